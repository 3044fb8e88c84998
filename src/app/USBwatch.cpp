#include "app/USBwatch.h"

TUSBwatch::TUSBwatch(std::unique_ptr<CameraDeviceList> devices, QObject* parent)
    : QObject(parent), m_devices(std::move(devices)) {
    m_devices->setPlugHandler([this](const std::string& path, bool attached) {
        const QString text = QString::fromStdString(path);
        if (attached) {
            emit OnUSBArrival(text);
        } else {
            emit OnUSBRemove(text);
        }
    });
}

TUSBwatch::~TUSBwatch() {
    m_devices->setPlugHandler({});
}
