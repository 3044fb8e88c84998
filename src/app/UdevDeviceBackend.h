#pragma once
// Attached USB devices from libudev: enumeration of usb/usb_device, and a
// udev monitor whose socket sits on a QSocketNotifier so plug events arrive
// on the main thread.
#include "app/RememberingDeviceList.h"
#include "app/UsbDescription.h"

#include <QSocketNotifier>

#include <memory>
#include <string>

struct udev;
struct udev_device;
struct udev_monitor;

class UdevDeviceBackend final : public RememberingDeviceList {
public:
    // Lists the devices attached now (so their removal can be described
    // later) and starts watching. The program watches USB devices; the probe
    // tool can point it at another subsystem to check the event path.
    UdevDeviceBackend();
    UdevDeviceBackend(std::string subsystem, std::string devtype);
    ~UdevDeviceBackend() override;
    UdevDeviceBackend(const UdevDeviceBackend&) = delete;
    UdevDeviceBackend& operator=(const UdevDeviceBackend&) = delete;

    std::vector<AttachedDevice> attachedDevices() override;

    // Whether plug events can arrive (udev available and the monitor open).
    bool isWatching() const { return m_notifier != nullptr; }

    // The recorded form of every device of a subsystem (devtype may be
    // empty): what the probe tool prints.
    std::vector<RecordedUsbDevice> recordDevices(const char* subsystem, const char* devtype);

    // The udev data the program reads from one device.
    static UsbDeviceInfo readDeviceInfo(udev_device* device);

private:
    struct UdevDeleter {
        void operator()(udev* u) const;
    };
    struct MonitorDeleter {
        void operator()(udev_monitor* m) const;
    };

    void startMonitor();
    void onMonitorReadable();

    std::string m_subsystem;
    std::string m_devtype;
    std::unique_ptr<udev, UdevDeleter> m_udev;
    std::unique_ptr<udev_monitor, MonitorDeleter> m_monitor;
    std::unique_ptr<QSocketNotifier> m_notifier;
};
