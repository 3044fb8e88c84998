#include "app/CameraDetection.h"

#include "app/UsbDescription.h"
#include "log/TaggedText.h"

CameraDetection::CameraDetection(CameraDeviceList& devices, CameraListControl& cameraList,
                                 DetectionHost& host, LogSink& log)
    : m_devices(devices), m_cameraList(cameraList), m_host(host), m_log(log) {}

std::vector<std::string> CameraDetection::attachedCameraNames() {
    std::vector<std::string> names;
    for (const AttachedDevice& device : m_devices.attachedDevices()) {
        // Orvel's cameras are the products whose names begin with "Y".
        const std::string model = orvelModelFromDescription(device.description);
        if (!model.empty() && model.front() == 'Y') {
            names.push_back(model);
        }
    }
    return names;
}

void CameraDetection::DetectCameras() {
    const std::vector<std::string> names = attachedCameraNames();
    if (names.empty()) {
        m_log.log("Orvel DSLR not detected.");
        m_host.LoadCamPics({});
        return;
    }
    std::string line = "Detected Orvel DSLR: ";
    for (std::size_t i = 0; i < names.size(); ++i) {
        line += (i == 0 ? "" : ", ") + TagBold(names[i]);
    }
    // Every activation detects again. While a camera is connected the list,
    // its selection and Start stay as they are: re-selecting the first entry
    // would misname the connected camera, and enabling Start would allow a
    // second connect. Plug events keep the list current meanwhile.
    if (!m_host.isConnected()) {
        m_cameraList.clear();
        for (const std::string& name : names) {
            m_cameraList.addItem(name);
        }
        m_cameraList.setCurrentIndex(0);
        m_host.LoadCamPics(names.front());
    }
    m_log.log(line);
    if (!m_host.isConnected()) {
        m_host.setConnectEnabled(true);
    }
}

void CameraDetection::USBwatchUSBArrival(const std::string& path) {
    const std::string model = orvelModelFromDescription(m_devices.describe(path));
    if (model.empty()) {
        return;
    }
    m_log.log("USB event " + TagBold(model) + " connected");
    m_cameraList.addItem(model);
    if (m_host.isConnected()) {
        return; // the open connection keeps its selection and is not disturbed
    }
    m_host.setConnectEnabled(true);
    m_host.LoadCamPics(model);
    if (m_host.autoConnectChecked()) {
        m_host.armAutoConnect(kAutoConnectDelay_ms);
    }
    m_cameraList.setCurrentIndex(m_cameraList.count() - 1);
}

void CameraDetection::USBwatchUSBRemove(const std::string& path) {
    const std::string model = orvelModelFromDescription(m_devices.describe(path));
    if (model.empty()) {
        return;
    }
    m_log.log("USB event " + TagBold(model) + " disconnected");
    const int index = findItem(m_cameraList, model);
    if (index >= 0) {
        m_cameraList.removeItem(index);
    }
    m_cameraList.repaint();
    if (m_host.isConnected() && model == m_host.connectedCameraName()) {
        m_host.bDSLRDisconnClick();
    }
    if (m_cameraList.count() > 0) {
        m_host.LoadCamPics(currentText(m_cameraList));
    } else {
        m_host.setConnectEnabled(false);
        m_host.LoadCamPics({});
    }
}
