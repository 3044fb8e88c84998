#pragma once
// What the program knows about one USB device, and the texts it derives from
// it: the description "manufacturer: product", the Orvel model name, the
// serial number and firmware version. Pure functions over recorded udev data,
// so tests drive them with captured property sets.
#include "app/CameraDeviceList.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

// Manufacturer text that marks a device as one of ours.
inline constexpr char kOrvelManufacturer[] = "Orvel Corporation";

// A USB device as udev shows it: its properties (ID_VENDOR, ...) and the
// sysfs attributes the program reads (manufacturer, product, serial,
// bcdDevice).
struct UsbDeviceInfo {
    std::map<std::string, std::string> properties;
    std::map<std::string, std::string> attributes;
};

// One device of a recorded listing: its sysfs path and its data.
struct RecordedUsbDevice {
    std::string path;
    UsbDeviceInfo info;
};

// "manufacturer: product" for a device. A manufacturer text carrying ";"
// gives no manufacturer prefix; without a product the manufacturer alone.
std::string DescribeUsbDevice(const UsbDeviceInfo& info);

// The model name in a description: the piece after the first ": " up to the
// next ": ". Empty unless the description's first 17 characters are
// "Orvel Corporation" and it names a product at all.
std::string orvelModelFromDescription(const std::string& description);

// Serial number text of the device; empty when it has none.
std::string serialNumberText(const UsbDeviceInfo& info);

// Firmware version from the device release number bcdDevice ("0101" gives
// "1.01", "1020" gives "10.20"); empty when the device has no valid one.
std::string firmwareVersionText(const UsbDeviceInfo& info);

// Undoes udev's \xHH escaping of *_ENC properties.
std::string decodeUdevEncoded(const std::string& text);

// An attached device with its texts, from its recorded udev data.
AttachedDevice attachedDeviceFrom(const RecordedUsbDevice& device);

// Recorded listings in the text form the probe tool prints:
//   P: <sysfs path>         starts a device
//   E: KEY=value            a udev property
//   A: name=value           a sysfs attribute
// Blank lines and lines starting with '#' are ignored.
std::vector<RecordedUsbDevice> parseDeviceRecords(const std::string& text);
std::string formatDeviceRecord(const RecordedUsbDevice& device);
