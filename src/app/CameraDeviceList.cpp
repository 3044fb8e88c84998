#include "app/CameraDeviceList.h"

#include "app/SimulatedDeviceBackend.h"
#include "app/UdevDeviceBackend.h"

std::unique_ptr<CameraDeviceList> createCameraDeviceList(DeviceBackendKind kind) {
    if (kind == DeviceBackendKind::Simulated) {
        return std::make_unique<SimulatedDeviceBackend>();
    }
    return std::make_unique<UdevDeviceBackend>();
}
