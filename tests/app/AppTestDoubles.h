#pragma once
// Test doubles for the application shell: a device inventory fed from
// recorded udev data, the camera selector, the window's side of detection,
// and a log that records its lines.
#include "RecordingLogSink.h"
#include "app/CameraDeviceList.h"
#include "app/CameraListControl.h"
#include "app/DetectionHost.h"
#include "app/UsbDescription.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

// Recorded udev listings shipped with the tests.
inline std::vector<RecordedUsbDevice> loadRecording(const std::string& name) {
    std::ifstream in(std::string(VANTORA_APP_TEST_DATA) + "/" + name);
    std::stringstream text;
    text << in.rdbuf();
    return parseDeviceRecords(text.str());
}

// An inventory whose devices the test plugs and unplugs.
class FakeDeviceList : public CameraDeviceList {
public:
    std::vector<AttachedDevice> attachedDevices() override { return m_devices; }
    std::string describe(const std::string& path) const override {
        const auto it = m_known.find(path);
        return it == m_known.end() ? std::string() : it->second;
    }
    void setPlugHandler(PlugHandler handler) override { m_handler = std::move(handler); }

    // Present from the start, without an event.
    void addPresent(const AttachedDevice& device) {
        m_devices.push_back(device);
        m_known[device.path] = device.description;
    }
    void plug(const AttachedDevice& device) {
        addPresent(device);
        if (m_handler) {
            m_handler(device.path, true);
        }
    }
    void unplug(const std::string& path) {
        std::erase_if(m_devices, [&](const AttachedDevice& d) { return d.path == path; });
        if (m_handler) {
            m_handler(path, false);
        }
        m_known.erase(path);
    }

private:
    std::vector<AttachedDevice> m_devices;
    std::map<std::string, std::string> m_known;
    PlugHandler m_handler;
};

// The selector, behaving like a combo box: the first item added to an empty
// list becomes current, and removing the current item selects the one that
// takes its place (or the new last one).
class FakeCameraList : public CameraListControl {
public:
    std::vector<std::string> items;
    int current = -1;
    int repaints = 0;

    int count() const override { return static_cast<int>(items.size()); }
    std::string itemText(int index) const override { return items.at(index); }
    void addItem(const std::string& text) override {
        items.push_back(text);
        if (current < 0) {
            current = 0;
        }
    }
    void removeItem(int index) override {
        items.erase(items.begin() + index);
        if (index < current) {
            --current;
        } else if (index == current) {
            current = std::min(current, count() - 1);
        }
    }
    void clear() override {
        items.clear();
        current = -1;
    }
    int currentIndex() const override { return current; }
    void setCurrentIndex(int index) override { current = index; }
    void repaint() override { ++repaints; }
};

// The window's side, recording every call in order.
class FakeHost : public DetectionHost {
public:
    bool connected = false;
    std::string connectedName;
    bool autoChecked = false;
    std::vector<std::string> calls;

    void setConnectEnabled(bool enabled) override {
        calls.push_back(enabled ? "enable" : "disable");
    }
    void LoadCamPics(const std::string& model) override { calls.push_back("pics:" + model); }
    bool autoConnectChecked() const override { return autoChecked; }
    void armAutoConnect(int delay_ms) override {
        calls.push_back("arm:" + std::to_string(delay_ms));
    }
    bool isConnected() const override { return connected; }
    std::string connectedCameraName() const override { return connectedName; }
    void bDSLRDisconnClick() override {
        calls.push_back("disconnect");
        connected = false;
    }
};

// The detection's log: everything in order, camera traffic marked "dslr:".
using RecordingLog = RecordingLogSink;
