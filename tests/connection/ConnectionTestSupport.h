#pragma once
// A camera connection on its own: the controls it works on (with their
// design-time items), a host and a request queue that record, the real
// message log, and a fresh simulator world per test.
#include "VantoraTest.h"
#include "camera/CameraLink.h"
#include "connection/CameraConnection.h"
#include "liveview/FocusPointDisplay.h"
#include "log/LogModel.h"
#include "session/CameraSession.h"
#include "web/RequestQueue.h"
#include "widgets/CameraGroupBox.h"
#include "widgets/PaintBox.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Records what the connection asks of the window, in order.
class RecordingHost : public ConnectionHost {
public:
    void ShowCamPics(bool show) override {
        calls.push_back(show ? "ShowCamPics(1)" : "ShowCamPics(0)");
    }
    CameraIdentity LoadCamPics(const QString& name) override {
        calls.push_back("LoadCamPics(" + name.toStdString() + ")");
        return {QStringLiteral("SN%1-LONG").arg(name).left(7), QStringLiteral("1.1")};
    }
    void FormResize() override { calls.push_back("FormResize"); }
    void showLogPage() override { calls.push_back("showLogPage"); }
    void setCameraConnected(bool connected) override {
        windowConnected = connected;
        calls.push_back(connected ? "setCameraConnected(1)" : "setCameraConnected(0)");
    }
    CameraIdentity readIdentity(const QString& name, int ordinal) override {
        calls.push_back("readIdentity(" + name.toStdString() + "," + std::to_string(ordinal) + ")");
        return {QStringLiteral("SN%1-%2-LONG").arg(name).arg(ordinal),
                QStringLiteral("1.%1").arg(ordinal)};
    }

    std::vector<std::string> calls;
    bool windowConnected = false;
};

// The real message log, with a look at each line as it is written.
class ObservedLog : public LogModel {
public:
    void log(const std::string& text) override {
        if (onLog) {
            onLog(text);
        }
        LogModel::log(text);
    }
    std::function<void(const std::string&)> onLog;
};

class RecordingQueue : public RequestQueue {
public:
    void AddHTMLque(const HtmlRequest& request) override { requests.push_back(request); }
    std::vector<HtmlRequest> requests;
};

// The window's controls, built by the window's own builders on a root of
// their own; the connection receives its groups of them.
struct ConnectionControls : WindowControls {
    ConnectionControls();
    std::unique_ptr<QWidget> root;
};

class ConnectionTest : public VantoraTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Lists `models` in the camera selector and selects entry `selected`.
    void listCameras(const std::vector<std::string>& models, int selected = 0);
    // Attaches `model`, lists it and presses Start.
    int connectTo(const std::string& model);

    // Log texts after the stamp, with bold runs written back as <b>...</b>.
    std::vector<std::string> logTexts() const;
    bool logHas(const std::string& text) const;
    int logIndex(const std::string& text) const;
    std::vector<std::string> errorTexts() const;

    ConnectionControls controls;
    RecordingHost host;
    RecordingQueue queue;
    std::unique_ptr<ObservedLog> messages;
    std::unique_ptr<CameraLink> link;
    std::unique_ptr<CameraSession> session;
    std::unique_ptr<CameraConnection> connection;
    std::unique_ptr<FocusPointDisplay> focusPoint;
    int beeps = 0;
};
