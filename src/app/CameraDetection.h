#pragma once
// Camera detection: fills the camera selector with the attached Orvel
// cameras at activation and keeps it up to date on plug and unplug, with the
// log lines, Start button, pictures and automatic connection that go with
// it. The window owns one and forwards the watcher's signals to it.
#include "app/CameraDeviceList.h"
#include "app/CameraListControl.h"
#include "app/DetectionHost.h"
#include "camera/LogSink.h"

#include <string>
#include <vector>

// Delay of the automatic connection after a camera arrived.
inline constexpr int kAutoConnectDelay_ms = 100;

class CameraDetection {
public:
    CameraDetection(CameraDeviceList& devices, CameraListControl& cameraList, DetectionHost& host,
                    LogSink& log);

    // Lists the attached cameras; leaves the selector alone when there are
    // none.
    void DetectCameras();
    // Handlers of the watcher's OnUSBArrival / OnUSBRemove.
    void USBwatchUSBArrival(const std::string& path);
    void USBwatchUSBRemove(const std::string& path);

    // Model names of the attached Orvel cameras, in inventory order.
    std::vector<std::string> attachedCameraNames();

private:
    CameraDeviceList& m_devices;
    CameraListControl& m_cameraList;
    DetectionHost& m_host;
    LogSink& m_log;
};
