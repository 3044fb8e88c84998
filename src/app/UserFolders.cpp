#include "app/UserFolders.h"

#include <QDir>
#include <QStandardPaths>

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace userfolders {

namespace {

bool isPrivateDirectory(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        return false;
    }
    return S_ISDIR(info.st_mode) && info.st_uid == ::getuid() && (info.st_mode & 077) == 0;
}

} // namespace

bool ensurePrivateDirectory(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    ::mkdir(path.c_str(), 0700); // an existing one is checked like a new one
    return isPrivateDirectory(path);
}

std::string privateDirectory() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime && isPrivateDirectory(runtime)) {
        return runtime;
    }
    const std::string own =
        QDir::tempPath().toStdString() + "/vantora-" + std::to_string(::getuid());
    return ensurePrivateDirectory(own) ? own : std::string();
}

QString instanceFolderName(const QString& programName, int instanceNo) {
    return programName + QStringLiteral("%1").arg(instanceNo, 3, 10, QLatin1Char('0'));
}

QString instanceFolder(const QString& programName, int instanceNo) {
    const std::string base = privateDirectory();
    if (base.empty()) {
        return {};
    }
    const std::string folder =
        base + "/" + instanceFolderName(programName, instanceNo).toStdString();
    return ensurePrivateDirectory(folder) ? QString::fromStdString(folder) : QString();
}

QString userModuleFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/modules");
}

} // namespace userfolders
