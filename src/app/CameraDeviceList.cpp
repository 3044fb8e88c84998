#include "app/CameraDeviceList.h"

#include "app/UdevDeviceBackend.h"

std::unique_ptr<CameraDeviceList> createUdevDeviceList() {
    return std::make_unique<UdevDeviceBackend>();
}
