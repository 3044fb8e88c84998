#pragma once
// Device properties of an attached camera, found by model name and camera
// ordinal: its serial number and firmware version. Each call asks the device
// inventory afresh; nothing is kept between calls.
#include "app/CameraDeviceList.h"

#include <cstdint>
#include <optional>
#include <string>

// The properties the program reads, by their property ids.
enum class DeviceProperty : uint32_t { FirmwareVersion = 3, SerialNumber = 9 };

// The occurrence-th attached Orvel camera (1-based) whose model name equals
// name exactly, with every property the inventory has for it; one scan
// serves a caller that needs several properties.
std::optional<AttachedDevice> FindAttachedCamera(CameraDeviceList& devices, const std::string& name,
                                                 int occurrence);

// Path of the occurrence-th attached Orvel camera (1-based) whose model name
// equals name exactly; empty when there is none (occurrence 0 matches none).
std::string FindDeviceId(CameraDeviceList& devices, const std::string& name, int occurrence);

// The property as text; empty when the device or the property is not there.
std::string ReadDeviceProperty(CameraDeviceList& devices, const std::string& name, int occurrence,
                               DeviceProperty key);
