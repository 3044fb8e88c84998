#pragma once
// Attached cameras of the simulator: lists its cameras under the texts a real
// Orvel camera has on the USB bus and reports its plug and unplug events.
// Events are delivered from the event loop, as udev's are, never from inside
// the simulator call that caused them.
#include "app/RememberingDeviceList.h"

#include <QObject>

class SimulatedDeviceBackend final : public QObject, public RememberingDeviceList {
public:
    SimulatedDeviceBackend();
    ~SimulatedDeviceBackend() override;
    SimulatedDeviceBackend(const SimulatedDeviceBackend&) = delete;
    SimulatedDeviceBackend& operator=(const SimulatedDeviceBackend&) = delete;

    std::vector<AttachedDevice> attachedDevices() override;

    // Device path of a simulated camera: "sim:<handle>".
    static std::string pathOf(int camera);

private:
    static void onPlug(void* context, int camera, bool attached);
};
