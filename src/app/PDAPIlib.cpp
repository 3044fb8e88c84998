#include "app/PDAPIlib.h"

#include "app/UsbDescription.h"

#include <optional>

std::optional<AttachedDevice> FindAttachedCamera(CameraDeviceList& devices, const std::string& name,
                                                 int occurrence) {
    if (occurrence < 1 || name.empty()) {
        return std::nullopt;
    }
    int seen = 0;
    for (AttachedDevice& device : devices.attachedDevices()) {
        // Only Orvel cameras count, so another maker's device of the same
        // product name cannot shift the ordinal.
        if (orvelModelFromDescription(device.description) == name && ++seen == occurrence) {
            return std::move(device);
        }
    }
    return std::nullopt;
}

std::string FindDeviceId(CameraDeviceList& devices, const std::string& name, int occurrence) {
    const auto device = FindAttachedCamera(devices, name, occurrence);
    return device ? device->path : std::string();
}

std::string ReadDeviceProperty(CameraDeviceList& devices, const std::string& name, int occurrence,
                               DeviceProperty key) {
    const auto device = FindAttachedCamera(devices, name, occurrence);
    if (!device) {
        return {};
    }
    switch (key) {
    case DeviceProperty::SerialNumber:
        return device->serialNumber;
    case DeviceProperty::FirmwareVersion:
        return device->firmwareVersion;
    }
    return {};
}
