#include "app/InstanceLock.h"

#include "app/UserFolders.h"

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
    // The temporary directory is shared by all users: keep ours apart, or
    // another user's lock file would block our numbers.
    return userfolders::privateDirectory();
}
