#pragma once
// The folders of this user that the program writes into besides the image
// directory. A predictable path in the shared temporary directory could be
// created first by another local user, as a link, to make the program write
// or delete a file elsewhere: private folders are therefore checked to be
// real directories of this user that nobody else can enter.
#include <QString>

#include <string>

namespace userfolders {

// $XDG_RUNTIME_DIR when it is such a folder, else "vantora-<uid>" in the
// temporary directory, created with mode 0700. Empty when neither is safe.
std::string privateDirectory();

// Whether `path` is a directory (not a link) owned by this user with no
// access for others; creates it with mode 0700 when it is missing.
bool ensurePrivateDirectory(const std::string& path);

// The instance's name: the program's name and the instance number in three
// digits ("vantora001").
QString instanceFolderName(const QString& programName, int instanceNo);

// The instance folder inside the private directory, created when missing;
// empty when it cannot be had safely.
QString instanceFolder(const QString& programName, int instanceNo);

// Where downloaded camera module files go: "modules" in the program's
// per-user data folder. The module loader searches it after the working
// directory.
QString userModuleFolder();

} // namespace userfolders
