#pragma once
// A window connected to one simulated camera, with the poll ticked by hand
// so that each step of a test sees exactly the events it caused.
#include "WindowTestSupport.h"
#include "connection/CameraConnection.h"
#include "session/StatePoll.h"

#include <QTimer>

class ConnectedWindowTest : public WindowTest {
protected:
    void connectTo(const std::string& model) {
        m_camera = vsim::SimControl::attach(model);
        ASSERT_GT(m_camera, 0);
        m_window = makeWindow();
        start(*m_window);
        // The test drives the poll itself.
        m_window->controls().timers.tCamSync->stop();
        m_window->controls().camera.bDSLRConnect->click();
        ASSERT_TRUE(m_window->session().connected());
    }
    // One poll tick: the camera's queued events arrive.
    void poll(int ticks = 1) {
        for (int i = 0; i < ticks; ++i) {
            m_window->statePoll().tCamSyncTimer();
        }
    }
    // An event on the camera's source, as the body raises it.
    void raise(uint32_t event, uint32_t datum) {
        ASSERT_TRUE(vsim::SimControl::raiseEvent(2, m_camera, 0, 0, event, datum));
        poll();
    }
    // Items stay waiting: what counts them is tested without the transfer
    // fetching them in the same tick.
    void holdTransfers() { m_window->statePoll().setFetcher(nullptr); }
    void logAllEvents(bool on) { m_window->controls().camera.chLogAllDSLR->setChecked(on); }
    WindowControls& c() { return m_window->controls(); }
    // Set requests for `capId` since the call log was last cleared.
    static int writes(uint32_t capId) { return vsim::SimControl::countCalls(orv::kCmdSet, capId); }

    std::unique_ptr<TfMain> m_window;
    int m_camera = 0;
};

// The same with small pictures, so that the many files of a test arrive fast;
// the simulator's faults are cleared afterwards.
class SmallPicturesWindowTest : public ConnectedWindowTest {
protected:
    void SetUp() override {
        ConnectedWindowTest::SetUp();
        vsim::SimControl::setJpegSize(320, 240);
    }
    void TearDown() override {
        vsim::SimControl::setJpegSize(0, 0);
        vsim::SimControl::clearFaults();
        ConnectedWindowTest::TearDown();
    }
};
