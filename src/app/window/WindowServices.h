#pragma once
// What the main window needs from outside: handed in by the program's entry
// (or a test) when the window is built. Every field has a default that gives
// the program's normal behaviour, so `WindowServices{}` is a real window.
#include "app/CameraDeviceList.h"
#include "app/window/CamPictures.h"

#include <QString>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

class DirectoryQuestions;

struct WindowServices {
    // Serial number and firmware of an attached camera. Empty: read from the
    // attached-camera list the window watches.
    CameraIdentityReader identityReader;
    // Settings file; empty: the per-user file.
    QString settingsPath;
    // Directory of the instance lock files; empty: the per-user runtime one.
    std::string lockDirectory;
    // Where attached cameras are found; empty: the USB bus.
    CameraDeviceListFactory deviceList;
    // Directory of the camera module files; empty: the program's default.
    std::filesystem::path moduleDirectory;
    // Base address for module downloads ("down/" + file name is appended).
    QString webBase;
    // Also write every log line into this file; empty: no file.
    QString logFile;
    // Mirror log lines to standard error (off in tests to keep output short).
    bool logToStderr = true;
    // The image directory of a first start; empty: the user's pictures folder.
    QString defaultImageDirectory;
    // The image directory's questions (create it? which one?); empty: dialogs.
    std::function<std::unique_ptr<DirectoryQuestions>()> directoryQuestions;
};
