// Descriptions, model names, serial and firmware texts from recorded udev data.
#include "app/UsbDescription.h"
#include "AppTestDoubles.h"
#include "app/UdevDeviceBackend.h"

#include <gtest/gtest.h>

namespace {

UsbDeviceInfo withAttributes(std::map<std::string, std::string> attributes) {
    return UsbDeviceInfo{{}, std::move(attributes)};
}

TEST(UsbDescriptionTest, RecordedBusGivesManufacturerAndProduct) {
    const auto devices = loadRecording("orvel_bus.txt");
    ASSERT_EQ(devices.size(), 4u);
    EXPECT_EQ(DescribeUsbDevice(devices[0].info), "Linux Foundation: xHCI Host Controller");
    EXPECT_EQ(DescribeUsbDevice(devices[1].info), "Orvel Corporation: Y800");
    EXPECT_EQ(orvelModelFromDescription(DescribeUsbDevice(devices[1].info)), "Y800");
    EXPECT_EQ(orvelModelFromDescription(DescribeUsbDevice(devices[0].info)), "");
}

TEST(UsbDescriptionTest, SemicolonInManufacturerDropsThePrefix) {
    EXPECT_EQ(DescribeUsbDevice(withAttributes(
                  {{"manufacturer", "@oem12.inf,%orvel%;Orvel Corporation"}, {"product", "Y800"}})),
              "Y800");
    // Without a product only the manufacturer's last piece is left, which
    // names no model.
    const std::string bare =
        DescribeUsbDevice(withAttributes({{"manufacturer", "x;Orvel Corporation"}}));
    EXPECT_EQ(bare, "Orvel Corporation");
    EXPECT_EQ(orvelModelFromDescription(bare), "");
}

TEST(UsbDescriptionTest, PropertiesStandInForMissingAttributes) {
    const auto devices = loadRecording("odd_devices.txt");
    ASSERT_EQ(devices.size(), 4u);
    const AttachedDevice propsOnly = attachedDeviceFrom(devices[3]);
    EXPECT_EQ(propsOnly.description, "Orvel Corporation: Y90") << "ID_VENDOR_ENC is decoded";
    EXPECT_EQ(propsOnly.firmwareVersion, "10.20");
    EXPECT_EQ(propsOnly.serialNumber, "");
    // udev's sanitised name alone is not the maker's name.
    UsbDeviceInfo sanitised;
    sanitised.properties = {{"ID_VENDOR", "Orvel_Corporation"}, {"ID_MODEL", "Y800"}};
    EXPECT_EQ(orvelModelFromDescription(DescribeUsbDevice(sanitised)), "");
}

TEST(UsbDescriptionTest, ModelIsThePieceBetweenTheFirstTwoSeparators) {
    EXPECT_EQ(orvelModelFromDescription("Orvel Corporation: Y800: Limited: Edition"), "Y800");
    EXPECT_EQ(orvelModelFromDescription("Orvel Corporation Europe: Y4"), "Y4");
    EXPECT_EQ(orvelModelFromDescription("Orvel Corporation"), "");
    EXPECT_EQ(orvelModelFromDescription("Orvel Corp: Y800"), "");
    EXPECT_EQ(orvelModelFromDescription(""), "");
}

TEST(UsbDescriptionTest, FirmwareVersionIsTheReleaseNumberInBcd) {
    auto firmware = [](const std::string& bcd) {
        return firmwareVersionText(withAttributes({{"bcdDevice", bcd}}));
    };
    EXPECT_EQ(firmware("0101"), "1.01");
    EXPECT_EQ(firmware("1020"), "10.20");
    EXPECT_EQ(firmware("0000"), "0.00");
    EXPECT_EQ(firmware("01A0"), "1.a0");
    EXPECT_EQ(firmware("101"), "");
    EXPECT_EQ(firmware("01x1"), "");
    EXPECT_EQ(firmwareVersionText(UsbDeviceInfo{}), "");
}

TEST(UsbDescriptionTest, UdevEscapesAreDecodedAndBrokenOnesKept) {
    EXPECT_EQ(decodeUdevEncoded("Orvel\\x20Corporation"), "Orvel Corporation");
    EXPECT_EQ(decodeUdevEncoded("a\\x2"), "a\\x2");
    EXPECT_EQ(decodeUdevEncoded("a\\xzz\\"), "a\\xzz\\");
}

TEST(UsbDescriptionTest, RecordsSurviveFormatAndParse) {
    const auto devices = loadRecording("orvel_bus.txt");
    std::string text;
    for (const RecordedUsbDevice& d : devices) {
        text += formatDeviceRecord(d) + "\n";
    }
    const auto again = parseDeviceRecords(text);
    ASSERT_EQ(again.size(), devices.size());
    for (std::size_t i = 0; i < devices.size(); ++i) {
        EXPECT_EQ(again[i].path, devices[i].path);
        EXPECT_EQ(again[i].info.properties, devices[i].info.properties);
        EXPECT_EQ(again[i].info.attributes, devices[i].info.attributes);
    }
    EXPECT_TRUE(parseDeviceRecords("E: KEY=before any device\nX: junk\n").empty());
}

TEST(UsbDescriptionTest, ThisMachinesDevicesAreNoCameras) {
    // Captured with vantora-usbprobe on the build machine.
    const auto devices = loadRecording("build_machine_pci.txt");
    ASSERT_FALSE(devices.empty());
    for (const RecordedUsbDevice& d : devices) {
        EXPECT_EQ(orvelModelFromDescription(attachedDeviceFrom(d).description), "") << d.path;
    }
}

} // namespace

namespace {

// The real backend on whatever this machine has: every listed device is
// remembered for its removal, and unknown paths have no description.
TEST(UdevDeviceBackendTest, ListedDevicesAreRememberedForTheirRemoval) {
    for (const auto& [subsystem, devtype] :
         {std::pair<std::string, std::string>{"usb", "usb_device"}, {"pci", ""}}) {
        UdevDeviceBackend backend(subsystem, devtype);
        const auto devices = backend.attachedDevices();
        EXPECT_EQ(devices.size(), backend.recordDevices(subsystem.c_str(), devtype.c_str()).size());
        for (const AttachedDevice& d : devices) {
            EXPECT_FALSE(d.path.empty());
            EXPECT_EQ(backend.describe(d.path), d.description);
        }
        EXPECT_EQ(backend.describe("/sys/devices/none"), "");
    }
}

} // namespace
