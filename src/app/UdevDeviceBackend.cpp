#include "app/UdevDeviceBackend.h"

#include <libudev.h>

#include <QFileInfo>

#include <cstring>

namespace {

// The sysfs attributes the descriptions and device properties use.
constexpr const char* kAttributes[] = {"manufacturer", "product", "serial", "bcdDevice"};
constexpr char kSubsystem[] = "usb";
constexpr char kDevtype[] = "usb_device";

// Devices handled by udevd carry its database properties; without a running
// udevd (a container, a minimal system) only the kernel's own events arrive.
const char* monitorSource() {
    return QFileInfo::exists(QStringLiteral("/run/udev/control")) ? "udev" : "kernel";
}

struct DeviceUnref {
    void operator()(udev_device* d) const { udev_device_unref(d); }
};
using DevicePtr = std::unique_ptr<udev_device, DeviceUnref>;

struct EnumerateUnref {
    void operator()(udev_enumerate* e) const { udev_enumerate_unref(e); }
};

} // namespace

void UdevDeviceBackend::UdevDeleter::operator()(udev* u) const {
    udev_unref(u);
}

void UdevDeviceBackend::MonitorDeleter::operator()(udev_monitor* m) const {
    udev_monitor_unref(m);
}

UdevDeviceBackend::UdevDeviceBackend() : UdevDeviceBackend(kSubsystem, kDevtype) {}

UdevDeviceBackend::UdevDeviceBackend(std::string subsystem, std::string devtype)
    : m_subsystem(std::move(subsystem)), m_devtype(std::move(devtype)), m_udev(udev_new()) {
    if (!m_udev) {
        return;
    }
    attachedDevices(); // remembers what is attached now
    startMonitor();
}

UdevDeviceBackend::~UdevDeviceBackend() = default;

void UdevDeviceBackend::startMonitor() {
    m_monitor.reset(udev_monitor_new_from_netlink(m_udev.get(), monitorSource()));
    if (!m_monitor ||
        udev_monitor_filter_add_match_subsystem_devtype(
            m_monitor.get(), m_subsystem.c_str(), m_devtype.empty() ? nullptr : m_devtype.c_str()) <
            0 ||
        udev_monitor_enable_receiving(m_monitor.get()) < 0) {
        m_monitor.reset();
        return;
    }
    m_notifier = std::make_unique<QSocketNotifier>(udev_monitor_get_fd(m_monitor.get()),
                                                   QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(),
                     [this] { onMonitorReadable(); });
}

UsbDeviceInfo UdevDeviceBackend::readDeviceInfo(udev_device* device) {
    UsbDeviceInfo info;
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_device_get_properties_list_entry(device)) {
        const char* value = udev_list_entry_get_value(entry);
        info.properties[udev_list_entry_get_name(entry)] = value ? value : "";
    }
    for (const char* name : kAttributes) {
        if (const char* value = udev_device_get_sysattr_value(device, name)) {
            info.attributes[name] = value;
        }
    }
    return info;
}

std::vector<RecordedUsbDevice> UdevDeviceBackend::recordDevices(const char* subsystem,
                                                                const char* devtype) {
    std::vector<RecordedUsbDevice> devices;
    if (!m_udev) {
        return devices;
    }
    std::unique_ptr<udev_enumerate, EnumerateUnref> enumerate(udev_enumerate_new(m_udev.get()));
    if (!enumerate || udev_enumerate_add_match_subsystem(enumerate.get(), subsystem) < 0 ||
        (devtype && *devtype &&
         udev_enumerate_add_match_property(enumerate.get(), "DEVTYPE", devtype) < 0) ||
        udev_enumerate_scan_devices(enumerate.get()) < 0) {
        return devices;
    }
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate.get())) {
        const char* path = udev_list_entry_get_name(entry);
        DevicePtr device(udev_device_new_from_syspath(m_udev.get(), path));
        if (device) {
            devices.push_back({path, readDeviceInfo(device.get())});
        }
    }
    return devices;
}

std::vector<AttachedDevice> UdevDeviceBackend::attachedDevices() {
    std::vector<AttachedDevice> attached;
    for (const RecordedUsbDevice& device : recordDevices(m_subsystem.c_str(), m_devtype.c_str())) {
        attached.push_back(attachedDeviceFrom(device));
    }
    return remember(std::move(attached));
}

void UdevDeviceBackend::onMonitorReadable() {
    while (DevicePtr device{udev_monitor_receive_device(m_monitor.get())}) {
        const char* action = udev_device_get_action(device.get());
        const char* syspath = udev_device_get_syspath(device.get());
        if (!action || !syspath) {
            continue;
        }
        if (std::strcmp(action, "add") == 0) {
            remember(syspath, DescribeUsbDevice(readDeviceInfo(device.get())));
            report(syspath, true);
        } else if (std::strcmp(action, "remove") == 0) {
            report(syspath, false);
        }
    }
}
