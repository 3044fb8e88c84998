#pragma once
// A window connected to a simulated camera in live view, its frames run by
// hand one tick at a time, on a still scene.
#include "ConnectedWindow.h"
#include "liveview/LiveViewLoop.h"

class LiveViewWindowTest : public ConnectedWindowTest {
protected:
    void startLiveView(const std::string& model) {
        connectTo(model);
        vsim::SimControl::freezeLiveScene(0);
        c().liveView.sbLiveView->click();
        ASSERT_TRUE(c().liveView.sbLiveView->isChecked());
    }
    LiveViewLoop& loop() { return m_window->liveViewLoop(); }
    void frames(int count) {
        for (int i = 0; i < count; ++i) {
            loop().tLiveViewTimer();
        }
    }
};
