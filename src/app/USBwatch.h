#pragma once
// The device-change watcher: turns the plug notifications of a device
// backend into the OnUSBArrival / OnUSBRemove signals the main window
// handles, each carrying the device path. It owns the backend, which the
// detection and the device-property reader query.
#include "app/CameraDeviceList.h"

#include <QObject>
#include <QString>

#include <memory>

class TUSBwatch : public QObject {
    Q_OBJECT
public:
    explicit TUSBwatch(std::unique_ptr<CameraDeviceList> devices, QObject* parent = nullptr);
    ~TUSBwatch() override;

    CameraDeviceList& devices() { return *m_devices; }

signals:
    void OnUSBArrival(const QString& path);
    void OnUSBRemove(const QString& path);

private:
    std::unique_ptr<CameraDeviceList> m_devices;
};
