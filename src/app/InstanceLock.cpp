#include "app/InstanceLock.h"

#include <QDir>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char kLockName[] = "Vantora_instance_counter";
// More instances than anyone runs; ends the search should every lock fail.
constexpr int kMaxInstances = 10000;

} // namespace

InstanceLock::InstanceLock() : InstanceLock(defaultDirectory()) {}

InstanceLock::InstanceLock(const std::string& directory) {
    for (int n = 1; n <= kMaxInstances; ++n) {
        const std::string path = directory + "/" + kLockName + std::to_string(n);
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) {
            m_number = n; // no lock can be had here: run unreserved
            return;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            m_number = n;
            m_fd = fd;
            return;
        }
        const int error = errno;
        ::close(fd);
        if (error != EWOULDBLOCK) {
            m_number = n;
            return;
        }
    }
    m_number = kMaxInstances;
}

InstanceLock::~InstanceLock() {
    if (m_fd >= 0) {
        ::close(m_fd); // releases the lock; the file stays for the next instance
    }
}

std::string InstanceLock::defaultDirectory() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime && QDir(QString::fromLocal8Bit(runtime)).exists()) {
        return runtime;
    }
    // The temporary directory is shared by all users: keep ours apart, or
    // another user's lock file would block our numbers.
    const std::string own =
        QDir::tempPath().toStdString() + "/vantora-" + std::to_string(::getuid());
    ::mkdir(own.c_str(), 0700);
    return own;
}
