#include "simulated/SimulatedDeviceBackend.h"

#include "SimControl.h"
#include "app/UsbDescription.h"

namespace {

std::string descriptionOf(int camera) {
    return std::string(kOrvelManufacturer) + ": " + vsim::SimControl::model(camera);
}

} // namespace

SimulatedDeviceBackend::SimulatedDeviceBackend() {
    attachedDevices(); // remembers what is attached now
    vsim::SimControl::setPlugListener(&SimulatedDeviceBackend::onPlug, this);
}

SimulatedDeviceBackend::~SimulatedDeviceBackend() {
    vsim::SimControl::setPlugListener(nullptr, nullptr);
}

std::string SimulatedDeviceBackend::pathOf(int camera) {
    return "sim:" + std::to_string(camera);
}

std::vector<AttachedDevice> SimulatedDeviceBackend::attachedDevices() {
    std::vector<AttachedDevice> attached;
    for (int camera : vsim::SimControl::cameras()) {
        attached.push_back({pathOf(camera), descriptionOf(camera),
                            vsim::SimControl::serialNumber(camera),
                            vsim::SimControl::firmwareVersion(camera)});
    }
    return remember(std::move(attached));
}

void SimulatedDeviceBackend::onPlug(void* context, int camera, bool attached) {
    auto* self = static_cast<SimulatedDeviceBackend*>(context);
    const std::string path = pathOf(camera);
    // The model is read now: after an unplug the simulator no longer knows it.
    if (attached) {
        self->remember(path, descriptionOf(camera));
    }
    QMetaObject::invokeMethod(
        self, [self, path, attached] { self->report(path, attached); }, Qt::QueuedConnection);
}
