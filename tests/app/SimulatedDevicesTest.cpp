// The simulated backend under the watcher, driving detection end to end.
#include "AppTestDoubles.h"
#include "SimControl.h"
#include "app/CameraDetection.h"
#include "app/USBwatch.h"
#include "simulated/SimulatedDeviceBackend.h"

#include <QCoreApplication>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::ElementsAre;

class SimulatedDevicesTest : public ::testing::Test {
protected:
    FakeCameraList m_list;
    FakeHost m_host;
    RecordingLog m_log;

    SimulatedDevicesTest() { vsim::SimControl::reset(); }
    ~SimulatedDevicesTest() override { vsim::SimControl::reset(); }

    static std::unique_ptr<TUSBwatch> makeWatch() {
        return std::make_unique<TUSBwatch>(std::make_unique<SimulatedDeviceBackend>());
    }
    void wire(TUSBwatch& watch, CameraDetection& detection) {
        QObject::connect(&watch, &TUSBwatch::OnUSBArrival, [&detection](const QString& path) {
            detection.USBwatchUSBArrival(path.toStdString());
        });
        QObject::connect(&watch, &TUSBwatch::OnUSBRemove, [&detection](const QString& path) {
            detection.USBwatchUSBRemove(path.toStdString());
        });
    }
};

TEST_F(SimulatedDevicesTest, CamerasAttachedBeforeStartAreDetected) {
    vsim::SimControl::attach("Y800");
    vsim::SimControl::attach("Y4");
    auto watch = makeWatch();
    CameraDetection detection(watch->devices(), m_list, m_host, m_log);

    detection.DetectCameras();

    EXPECT_EQ(m_list.items, (std::vector<std::string>{"Y800", "Y4"}));
    EXPECT_THAT(m_log.sequence, ElementsAre("Detected Orvel DSLR: <b>Y800</b>, <b>Y4</b>"));
    EXPECT_EQ(watch->devices().attachedDevices().front().description, "Orvel Corporation: Y800");
}

TEST_F(SimulatedDevicesTest, PlugEventsArriveFromTheEventLoop) {
    auto watch = makeWatch();
    CameraDetection detection(watch->devices(), m_list, m_host, m_log);
    wire(*watch, detection);

    const int camera = vsim::SimControl::attach("Y800");
    ASSERT_GT(camera, 0);
    EXPECT_TRUE(m_log.sequence.empty()) << "not from inside the simulator call";
    QCoreApplication::processEvents();
    EXPECT_EQ(m_list.items, std::vector<std::string>{"Y800"});

    ASSERT_TRUE(vsim::SimControl::detach(camera));
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_list.items.empty());
    EXPECT_THAT(m_log.sequence, ElementsAre("USB event <b>Y800</b> connected",
                                            "USB event <b>Y800</b> disconnected"));
}

TEST_F(SimulatedDevicesTest, PlugAndUnplugBeforeDeliveryStillReportBoth) {
    auto watch = makeWatch();
    CameraDetection detection(watch->devices(), m_list, m_host, m_log);
    wire(*watch, detection);

    vsim::SimControl::detach(vsim::SimControl::attach("Y4"));
    QCoreApplication::processEvents();

    EXPECT_THAT(m_log.sequence,
                ElementsAre("USB event <b>Y4</b> connected", "USB event <b>Y4</b> disconnected"));
    EXPECT_TRUE(m_list.items.empty());
}

TEST_F(SimulatedDevicesTest, NoEventsAfterTheWatcherIsGone) {
    auto watch = makeWatch();
    int events = 0;
    QObject::connect(watch.get(), &TUSBwatch::OnUSBArrival, [&events] { ++events; });
    vsim::SimControl::attach("Y800");
    watch.reset();
    QCoreApplication::processEvents();
    vsim::SimControl::attach("Y800");
    QCoreApplication::processEvents();
    EXPECT_EQ(events, 0);
}

} // namespace
