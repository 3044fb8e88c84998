#pragma once
// A main window against the simulator with its own settings file and
// instance locks in a temporary directory, and helpers to read its log.
#include "VantoraTest.h"
#include "app/window/Main.h"
#include "images/ImageBrowser.h"
#include "log/LogModel.h"
#include "session/CameraSession.h"
#include "simulated/SimulatedDeviceBackend.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// The image directory's questions without dialogs: never create, never choose.
class DecliningDirectoryQuestions : public DirectoryQuestions {
public:
    bool askCreate(const QString&) override { return false; }
    QString chooseDirectory(const QString&) override { return {}; }
};

// Services that keep a window off the user's files and the real USB bus.
inline WindowServices hermeticServices(const QTemporaryDir& dir) {
    WindowServices s;
    s.settingsPath = dir.filePath(QStringLiteral("Vantora.ini"));
    s.lockDirectory = dir.path().toStdString();
    s.deviceList = [] { return std::make_unique<SimulatedDeviceBackend>(); };
    s.logToStderr = false;
    s.directoryQuestions = [] { return std::make_unique<DecliningDirectoryQuestions>(); };
    // Received pictures land here, never in the user's own folder.
    s.defaultImageDirectory = dir.filePath(QStringLiteral("Pictures"));
    QDir().mkpath(s.defaultImageDirectory);
    return s;
}

class WindowTest : public VantoraTest {
protected:
    WindowServices services() const { return hermeticServices(m_dir); }

    std::unique_ptr<TfMain> makeWindow() const { return std::make_unique<TfMain>(services()); }

    // Shows the window and runs its first activation, as start-up does
    // (the platform's own activation event, when it sends one, is taken
    // here too, so that it does not arrive in the middle of a test).
    static void start(TfMain& window) {
        window.show();
        QCoreApplication::processEvents();
        if (!window.activatedOnce()) {
            window.FormActivate();
        }
    }

    // Lets queued plug events arrive.
    static void deliverEvents() { QCoreApplication::processEvents(); }

    // The log's lines without their time stamps.
    static std::vector<std::string> messages(TfMain& window) {
        std::vector<std::string> out;
        for (const LogLine& line : window.messageLog().lines()) {
            const std::size_t separator = line.plain.find(": ");
            out.push_back(separator == std::string::npos ? line.plain
                                                         : line.plain.substr(separator + 2));
        }
        return out;
    }

    static bool logged(TfMain& window, const std::string& message) {
        for (const std::string& m : messages(window)) {
            if (m == message) {
                return true;
            }
        }
        return false;
    }

    // Index of the first line equal to `message`, -1 when absent.
    static int lineIndex(TfMain& window, const std::string& message) {
        const std::vector<std::string> all = messages(window);
        for (std::size_t i = 0; i < all.size(); ++i) {
            if (all[i] == message) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
};
