// Prints the USB devices as the udev backend sees them (recorded form plus
// the derived texts) and, with --watch SECONDS, the plug events it reports.
// Usage: vantora-usbprobe [--subsystem NAME [--devtype TYPE]] [--watch SECONDS]
#include "app/USBwatch.h"
#include "app/UdevDeviceBackend.h"
#include "app/UsbDescription.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

struct ProbeOptions {
    std::string subsystem = "usb";
    std::string devtype = "usb_device";
    int watch_s = 0;
};

ProbeOptions parseOptions(const QStringList& args) {
    ProbeOptions options;
    for (qsizetype i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == "--subsystem") {
            options.subsystem = args[++i].toStdString();
            options.devtype.clear();
        } else if (args[i] == "--devtype") {
            options.devtype = args[++i].toStdString();
        } else if (args[i] == "--watch") {
            options.watch_s = args[++i].toInt();
        }
    }
    return options;
}

void printDevices(UdevDeviceBackend& backend, const ProbeOptions& options) {
    const auto devices = backend.recordDevices(options.subsystem.c_str(), options.devtype.c_str());
    std::printf("# %zu device(s) in subsystem %s%s%s\n", devices.size(), options.subsystem.c_str(),
                options.devtype.empty() ? "" : ", devtype ", options.devtype.c_str());
    for (const RecordedUsbDevice& device : devices) {
        const AttachedDevice attached = attachedDeviceFrom(device);
        std::printf("%s# description: %s\n# Orvel model: %s\n# serial: %s\n# firmware: %s\n\n",
                    formatDeviceRecord(device).c_str(), attached.description.c_str(),
                    orvelModelFromDescription(attached.description).c_str(),
                    attached.serialNumber.c_str(), attached.firmwareVersion.c_str());
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const ProbeOptions options = parseOptions(QCoreApplication::arguments());
    auto backend = std::make_unique<UdevDeviceBackend>(options.subsystem, options.devtype);
    printDevices(*backend, options);
    if (options.watch_s <= 0) {
        return 0;
    }
    std::printf("# watching for %d s (monitor %s)\n", options.watch_s,
                backend->isWatching() ? "open" : "unavailable");
    std::fflush(stdout);
    TUSBwatch watch(std::move(backend));
    QObject::connect(&watch, &TUSBwatch::OnUSBArrival, [&watch](const QString& path) {
        std::printf("arrival %s: %s\n", qPrintable(path),
                    watch.devices().describe(path.toStdString()).c_str());
        std::fflush(stdout);
    });
    QObject::connect(&watch, &TUSBwatch::OnUSBRemove, [&watch](const QString& path) {
        std::printf("removal %s: %s\n", qPrintable(path),
                    watch.devices().describe(path.toStdString()).c_str());
        std::fflush(stdout);
    });
    QTimer::singleShot(options.watch_s * 1000, &app, &QCoreApplication::quit);
    return QCoreApplication::exec();
}
