#pragma once
// Shared pieces of the camera-layer tests: a log that records, and a
// fixture with a fresh simulator world and a fresh CameraLink per test.
#include "SimControl.h"
#include "VantoraTest.h"
#include "camera/CameraLink.h"
#include "camera/ValueText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

// The camera layer's log in these tests.
using RecordingLog = RecordingLogSink;

class CameraTest : public VantoraTest {
protected:
    void SetUp() override {
        link = std::make_unique<CameraLink>(&log);
        link->setClock(m_clock);
        link->setWaitLimit(std::chrono::milliseconds(2000));
    }
    void TearDown() override { link.reset(); }

    // Attaches `model`, opens its module and selects camera `n` of it.
    int connect(const std::string& model, uint32_t n = 1) {
        const int camera = vsim::SimControl::attach(model);
        EXPECT_GT(camera, 0);
        EXPECT_TRUE(link->OpenCameraModule(model));
        EXPECT_TRUE(link->SelectSource(model, n));
        return camera;
    }

    CamObject* source() const { return link->CurrentSource(); }

    // Entry calls other than idle since the last clear.
    static std::vector<vsim::CallRecord> requests() {
        std::vector<vsim::CallRecord> calls = vsim::SimControl::callLog();
        calls.erase(
            std::remove_if(calls.begin(), calls.end(),
                           [](const vsim::CallRecord& c) { return c.command == orv::kCmdIdle; }),
            calls.end());
        return calls;
    }

    RecordingLog& log = m_sink;
    std::unique_ptr<CameraLink> link;
};
