#pragma once
// "Attached cameras": the device inventory and plug notifications the
// detection and the device-property reader work from. One backend watches
// the real USB bus through udev, the other the simulated cameras.
#include <functional>
#include <memory>
#include <string>
#include <vector>

// One attached USB device, with the texts derived from it.
struct AttachedDevice {
    std::string path;        // identifies the device while it is attached
    std::string description; // "manufacturer: product"
    std::string serialNumber;
    std::string firmwareVersion;
};

class CameraDeviceList {
public:
    // Called on the main thread after a device arrived (attached = true) or
    // went away; describe(path) still answers during a removal call.
    using PlugHandler = std::function<void(const std::string& path, bool attached)>;

    virtual ~CameraDeviceList() = default;

    // The devices attached now, in the inventory's order.
    virtual std::vector<AttachedDevice> attachedDevices() = 0;
    // The description of a device seen attached; empty for an unknown one.
    virtual std::string describe(const std::string& path) const = 0;
    virtual void setPlugHandler(PlugHandler handler) = 0;
};

// Builds the inventory a window watches: the USB bus, or (handed in by the
// program for --simulate runs) the simulated cameras.
using CameraDeviceListFactory = std::function<std::unique_ptr<CameraDeviceList>()>;

// The USB bus through udev; lists nothing when udev is not available.
std::unique_ptr<CameraDeviceList> createUdevDeviceList();
