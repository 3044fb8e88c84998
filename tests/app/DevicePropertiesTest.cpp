// Serial number and firmware of the n-th camera of a model.
#include "AppTestDoubles.h"
#include "SimControl.h"
#include "app/PDAPIlib.h"
#include "simulated/SimulatedDeviceBackend.h"

#include <gtest/gtest.h>

namespace {

class RecordedPropertiesTest : public ::testing::Test {
protected:
    FakeDeviceList m_devices;
    RecordedPropertiesTest() {
        for (const RecordedUsbDevice& d : loadRecording("orvel_bus.txt")) {
            m_devices.addPresent(attachedDeviceFrom(d));
        }
        for (const RecordedUsbDevice& d : loadRecording("odd_devices.txt")) {
            m_devices.addPresent(attachedDeviceFrom(d));
        }
    }
};

TEST_F(RecordedPropertiesTest, OccurrenceTwoReadsTheSecondDevice) {
    EXPECT_EQ(ReadDeviceProperty(m_devices, "Y800", 1, DeviceProperty::SerialNumber), "2041587");
    EXPECT_EQ(ReadDeviceProperty(m_devices, "Y800", 2, DeviceProperty::SerialNumber), "2099310");
    EXPECT_EQ(ReadDeviceProperty(m_devices, "Y800", 2, DeviceProperty::FirmwareVersion), "2.01");
    EXPECT_EQ(FindDeviceId(m_devices, "Y800", 2), "/sys/devices/pci0000:00/0000:00:14.0/usb1/1-4");
}

TEST_F(RecordedPropertiesTest, OccurrenceZeroAndMissingDevicesGiveEmptyTexts) {
    EXPECT_EQ(ReadDeviceProperty(m_devices, "Y800", 0, DeviceProperty::SerialNumber), "");
    EXPECT_EQ(FindDeviceId(m_devices, "Y800", 0), "");
    EXPECT_EQ(FindDeviceId(m_devices, "Y800", -1), "");
    // The third "Y800" is the separator-cut one; the other maker's and the
    // ";" one do not count, so there is no fourth.
    EXPECT_EQ(ReadDeviceProperty(m_devices, "Y800", 3, DeviceProperty::SerialNumber), "3333333");
    EXPECT_EQ(ReadDeviceProperty(m_devices, "Y800", 4, DeviceProperty::SerialNumber), "");
    EXPECT_EQ(ReadDeviceProperty(m_devices, "y800", 1, DeviceProperty::SerialNumber), "");
    EXPECT_EQ(ReadDeviceProperty(m_devices, "Y90", 1, DeviceProperty::SerialNumber), "");
    EXPECT_EQ(ReadDeviceProperty(m_devices, "Y90", 1, DeviceProperty::FirmwareVersion), "10.20");
}

class SimulatedPropertiesTest : public ::testing::Test {
protected:
    SimulatedPropertiesTest() { vsim::SimControl::reset(); }
    ~SimulatedPropertiesTest() override { vsim::SimControl::reset(); }
};

TEST_F(SimulatedPropertiesTest, EachSimulatedCameraAnswersWithItsOwnTexts) {
    const int first = vsim::SimControl::attach("Y800");
    ASSERT_GT(vsim::SimControl::attach("Y4"), 0);
    const int second = vsim::SimControl::attach("Y800");
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    SimulatedDeviceBackend devices;

    EXPECT_EQ(ReadDeviceProperty(devices, "Y800", 2, DeviceProperty::SerialNumber),
              vsim::SimControl::serialNumber(second));
    EXPECT_EQ(ReadDeviceProperty(devices, "Y800", 2, DeviceProperty::FirmwareVersion),
              vsim::SimControl::firmwareVersion(second));
    EXPECT_EQ(ReadDeviceProperty(devices, "Y800", 1, DeviceProperty::SerialNumber),
              vsim::SimControl::serialNumber(first));
    EXPECT_NE(vsim::SimControl::serialNumber(first), vsim::SimControl::serialNumber(second));
    EXPECT_EQ(FindDeviceId(devices, "Y800", 2), SimulatedDeviceBackend::pathOf(second));
    EXPECT_EQ(ReadDeviceProperty(devices, "Y800", 0, DeviceProperty::SerialNumber), "");
    EXPECT_EQ(ReadDeviceProperty(devices, "Y800", 3, DeviceProperty::SerialNumber), "");
}

} // namespace
