// Camera detection: start-up listing, plug and unplug decisions, log lines.
#include "app/CameraDetection.h"
#include "AppTestDoubles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::ElementsAre;
using Strings = std::vector<std::string>;

class CameraDetectionTest : public ::testing::Test {
protected:
    FakeDeviceList m_devices;
    FakeCameraList m_list;
    FakeHost m_host;
    RecordingLog m_log;
    CameraDetection m_detection{m_devices, m_list, m_host, m_log};

    CameraDetectionTest() {
        // What the window does with the watcher's signals.
        m_devices.setPlugHandler([this](const std::string& path, bool attached) {
            if (attached) {
                m_detection.USBwatchUSBArrival(path);
            } else {
                m_detection.USBwatchUSBRemove(path);
            }
        });
    }

    // Devices of a recording by the last piece of their path ("1-2").
    static AttachedDevice device(const std::string& file, const std::string& port) {
        for (const RecordedUsbDevice& d : loadRecording(file)) {
            if (d.path.ends_with("/" + port)) {
                return attachedDeviceFrom(d);
            }
        }
        ADD_FAILURE() << "no device " << port << " in " << file;
        return {};
    }

    void plug(const AttachedDevice& d) { m_devices.plug(d); }
    void unplug(const AttachedDevice& d) { m_devices.unplug(d.path); }
};

TEST_F(CameraDetectionTest, DetectListsEveryCameraAndSelectsTheFirst) {
    for (const RecordedUsbDevice& d : loadRecording("orvel_bus.txt")) {
        m_devices.addPresent(attachedDeviceFrom(d));
    }
    m_list.addItem("Y1");

    m_detection.DetectCameras();

    EXPECT_EQ(m_list.items, (Strings{"Y800", "Y4", "Y800"}));
    EXPECT_EQ(m_list.current, 0);
    EXPECT_THAT(m_log.sequence,
                ElementsAre("Detected Orvel DSLR: <b>Y800</b>, <b>Y4</b>, <b>Y800</b>"));
    EXPECT_THAT(m_host.calls, ElementsAre("pics:Y800", "enable"));
}

TEST_F(CameraDetectionTest, DetectWhileConnectedLogsButKeepsListSelectionAndStart) {
    const AttachedDevice first = device("orvel_bus.txt", "1-2");
    const AttachedDevice second = device("orvel_bus.txt", "1-4");
    m_devices.addPresent(first);
    m_devices.addPresent(second);
    m_list.addItem("Y800");
    m_list.addItem("Y800");
    m_list.setCurrentIndex(1);
    m_host.connected = true;
    m_host.connectedName = "Y800";

    m_detection.DetectCameras();

    EXPECT_EQ(m_list.items, (Strings{"Y800", "Y800"}));
    EXPECT_EQ(m_list.current, 1) << "the connected second camera stays selected";
    EXPECT_TRUE(m_host.calls.empty()) << "neither pictures nor Start change";
    EXPECT_THAT(m_log.sequence, ElementsAre("Detected Orvel DSLR: <b>Y800</b>, <b>Y800</b>"));
}

TEST_F(CameraDetectionTest, DetectWithoutCameraKeepsTheListAndShowsNoCamera) {
    m_devices.addPresent(device("orvel_bus.txt", "usb1"));
    m_devices.addPresent(device("odd_devices.txt", "1-6"));
    m_list.addItem("Y4");

    m_detection.DetectCameras();

    EXPECT_EQ(m_list.items, Strings{"Y4"});
    EXPECT_THAT(m_log.sequence, ElementsAre("Orvel DSLR not detected."));
    EXPECT_THAT(m_host.calls, ElementsAre("pics:"));
}

TEST_F(CameraDetectionTest, TwoCamerasOfOneModelAreListedTwiceAndTheFirstGoesOnUnplug) {
    const AttachedDevice first = device("orvel_bus.txt", "1-2");
    const AttachedDevice second = device("orvel_bus.txt", "1-4");
    plug(first);
    plug(device("orvel_bus.txt", "1-3"));
    plug(second);
    EXPECT_EQ(m_list.items, (Strings{"Y800", "Y4", "Y800"}));
    EXPECT_EQ(m_list.current, 2) << "an arrival selects the new entry";

    m_host.calls.clear();
    unplug(second);

    EXPECT_EQ(m_list.items, (Strings{"Y4", "Y800"}));
    EXPECT_EQ(m_list.current, 1) << "the selected camera stays selected";
    EXPECT_EQ(m_log.sequence.back(), "USB event <b>Y800</b> disconnected");
    EXPECT_THAT(m_host.calls, ElementsAre("pics:Y800"));
    EXPECT_EQ(m_list.repaints, 1);
}

TEST_F(CameraDetectionTest, ArrivalLogsSelectsAndArmsTheAutomaticConnection) {
    m_host.autoChecked = true;
    m_list.addItem("Y4");

    plug(device("orvel_bus.txt", "1-2"));

    EXPECT_THAT(m_log.sequence, ElementsAre("USB event <b>Y800</b> connected"));
    EXPECT_EQ(m_list.items, (Strings{"Y4", "Y800"}));
    EXPECT_EQ(m_list.current, 1);
    EXPECT_THAT(m_host.calls, ElementsAre("enable", "pics:Y800", "arm:100"));
}

TEST_F(CameraDetectionTest, ArrivalWhileConnectedAddsButNeitherSelectsNorArms) {
    m_host.autoChecked = true;
    m_host.connected = true;
    m_host.connectedName = "Y4";
    m_list.addItem("Y4");

    plug(device("orvel_bus.txt", "1-2"));

    EXPECT_EQ(m_list.items, (Strings{"Y4", "Y800"}));
    EXPECT_EQ(m_list.current, 0);
    EXPECT_TRUE(m_host.calls.empty());
    EXPECT_THAT(m_log.sequence, ElementsAre("USB event <b>Y800</b> connected"));
}

TEST_F(CameraDetectionTest, RemovalOfAnUnlistedModelStillLogs) {
    const AttachedDevice y800 = device("orvel_bus.txt", "1-2");
    m_devices.addPresent(y800);
    m_list.addItem("Y4");

    unplug(y800);

    EXPECT_EQ(m_list.items, Strings{"Y4"});
    EXPECT_THAT(m_log.sequence, ElementsAre("USB event <b>Y800</b> disconnected"));
    EXPECT_THAT(m_host.calls, ElementsAre("pics:Y4"));
}

TEST_F(CameraDetectionTest, UnpluggingTheConnectedCameraDisconnectsBeforePictures) {
    const AttachedDevice y800 = device("orvel_bus.txt", "1-2");
    plug(y800);
    m_host.connected = true;
    m_host.connectedName = "Y800";
    m_host.calls.clear();

    unplug(y800);

    EXPECT_TRUE(m_list.items.empty());
    EXPECT_THAT(m_host.calls, ElementsAre("disconnect", "disable", "pics:"));
}

TEST_F(CameraDetectionTest, UnpluggingAnotherModelKeepsTheConnection) {
    const AttachedDevice y4 = device("orvel_bus.txt", "1-3");
    plug(device("orvel_bus.txt", "1-2"));
    plug(y4);
    m_host.connected = true;
    m_host.connectedName = "Y800";
    m_host.calls.clear();

    unplug(y4);

    EXPECT_TRUE(m_host.connected);
    EXPECT_EQ(m_list.items, Strings{"Y800"});
}

TEST_F(CameraDetectionTest, SemicolonManufacturerAndOtherMakersAreIgnored) {
    m_list.addItem("Y4");
    const AttachedDevice foreign[] = {device("odd_devices.txt", "1-5"),
                                      device("odd_devices.txt", "1-6"),
                                      device("orvel_bus.txt", "usb1")};
    for (const AttachedDevice& d : foreign) {
        plug(d);
        unplug(d);
    }
    EXPECT_TRUE(m_log.sequence.empty());
    EXPECT_TRUE(m_host.calls.empty());
    EXPECT_EQ(m_list.items, Strings{"Y4"});
}

TEST_F(CameraDetectionTest, ModelContainingTheSeparatorIsCut) {
    const AttachedDevice limited = device("odd_devices.txt", "1-7");
    ASSERT_EQ(limited.description, "Orvel Corporation: Y800: Limited: Edition");

    plug(limited);
    unplug(limited);

    EXPECT_THAT(m_log.sequence, ElementsAre("USB event <b>Y800</b> connected",
                                            "USB event <b>Y800</b> disconnected"));
    EXPECT_TRUE(m_list.items.empty());
}

TEST_F(CameraDetectionTest, EventsForUnknownDevicesAreIgnored) {
    m_list.addItem("Y800");
    m_detection.USBwatchUSBArrival("/sys/devices/gone");
    m_detection.USBwatchUSBRemove("/sys/devices/gone");
    m_detection.USBwatchUSBRemove("");
    EXPECT_TRUE(m_log.sequence.empty());
    EXPECT_EQ(m_list.items, Strings{"Y800"});
}

TEST(CameraListControlTest, CurrentTextIsTheSelectedEntry) {
    FakeCameraList list;
    for (const char* model : {"Y800", "Y4", "Y800", "Y800"}) {
        list.addItem(model);
    }
    list.setCurrentIndex(1);
    EXPECT_EQ(currentText(list), "Y4");
}

} // namespace
