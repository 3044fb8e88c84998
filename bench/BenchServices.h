#pragma once
// The window's services for a benchmark: settings, lock files and (when
// asked) the image folder inside a temporary directory, the simulated
// camera list, and no log on standard error.
#include "app/window/WindowServices.h"
#include "simulated/SimulatedDeviceBackend.h"

#include <QDir>
#include <QTemporaryDir>

#include <memory>

inline WindowServices benchWindowServices(const QTemporaryDir& dir, bool imageFolder = true) {
    WindowServices services;
    services.settingsPath = dir.filePath(QStringLiteral("Vantora.ini"));
    services.lockDirectory = dir.path().toStdString();
    services.deviceList = [] { return std::make_unique<SimulatedDeviceBackend>(); };
    services.logToStderr = false;
    if (imageFolder) {
        services.defaultImageDirectory = dir.filePath(QStringLiteral("images"));
        QDir().mkpath(services.defaultImageDirectory);
    }
    return services;
}
