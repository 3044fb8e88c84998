#include "images/PosixFileSystem.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

// The descriptor of a directory opened only to be flushed.
class UniqueFd {
public:
    explicit UniqueFd(int fd) : m_fd(fd) {}
    ~UniqueFd() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

// Open errors that mean "this file system (or kernel) has no O_TMPFILE":
// old kernels see O_DIRECTORY and refuse to write a directory (EISDIR).
bool unnamedUnsupported(int error) {
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

// link() errors of file systems without hard links (FAT cards and sticks).
bool hardLinksUnsupported(int error) {
    return error == EPERM || error == EOPNOTSUPP || error == ENOSYS;
}

FileSystem::Opened openUnnamed(const std::string& directory) {
    const int fd = ::open(directory.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0644);
    if (fd < 0)
        return {{}, errno};
    return {{fd, {}}, 0};
}

std::string hiddenTemporaryName(std::mt19937& random) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<std::size_t> pick(0, sizeof(kLetters) - 2);
    std::string name = ".vantora-";
    for (int i = 0; i < 6; ++i)
        name += kLetters[pick(random)];
    return name + ".part";
}

// mkstemp's exclusive create, but with mode 0644 so the umask (and a default
// ACL of the folder) give the file its usual permission bits.
FileSystem::Opened openNamed(const std::string& directory) {
    std::mt19937 random{std::random_device{}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string path = directory + hiddenTemporaryName(random);
        const int fd = ::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
        if (fd >= 0)
            return {{fd, std::move(path)}, 0};
        if (errno != EEXIST && errno != EINTR)
            return {{}, errno};
    }
    return {{}, EEXIST};
}

// Moves the temporary name itself, still never over an existing file.
int moveNoReplace(const std::string& path, const std::string& finalPath) {
    if (::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, finalPath.c_str(), RENAME_NOREPLACE) != 0)
        return errno;
    return 0;
}

int linkUnnamed(int fd, const std::string& finalPath) {
    const std::string procPath = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, procPath.c_str(), AT_FDCWD, finalPath.c_str(), AT_SYMLINK_FOLLOW) != 0)
        return errno;
    return 0;
}

} // namespace

PosixFileSystem::PosixFileSystem(Temporaries temporaries) : m_temporaries(temporaries) {
    // An unnamed file gets its name through /proc; without /proc (a bare
    // chroot) it could never be named.
    if (m_temporaries == Temporaries::PreferUnnamed && ::access("/proc/self/fd", X_OK) != 0)
        m_temporaries = Temporaries::NamedLinked;
}

FileSystem::Opened PosixFileSystem::openTemporary(const std::string& directory) {
    if (m_temporaries == Temporaries::PreferUnnamed) {
        Opened unnamed = openUnnamed(directory);
        if (!unnamedUnsupported(unnamed.error))
            return unnamed;
    }
    return openNamed(directory);
}

FileSystem::Written PosixFileSystem::write(int fd, const void* data, std::size_t size) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0)
        return {0, errno};
    return {static_cast<std::size_t>(written), 0};
}

FileSystem::Error PosixFileSystem::sync(int fd) {
    while (::fsync(fd) != 0) {
        if (errno != EINTR)
            return errno;
    }
    return 0;
}

FileSystem::Error PosixFileSystem::linkNoReplace(Temporary& file, const std::string& finalPath) {
    if (file.path.empty())
        return linkUnnamed(file.fd, finalPath);
    if (m_temporaries != Temporaries::NamedMoved) {
        if (::link(file.path.c_str(), finalPath.c_str()) == 0)
            return 0;
        if (!hardLinksUnsupported(errno))
            return errno;
    }
    if (const Error error = moveNoReplace(file.path, finalPath); error != 0)
        return error;
    file.path.clear();
    return 0;
}

FileSystem::Error PosixFileSystem::syncDirectory(const std::string& directory) {
    const UniqueFd dir(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() < 0)
        return errno;
    while (::fsync(dir.get()) != 0) {
        // EINVAL: a file system that has nothing to flush for a directory.
        if (errno == EINVAL)
            return 0;
        if (errno != EINTR)
            return errno;
    }
    return 0;
}

FileSystem::Error PosixFileSystem::remove(const std::string& path) {
    return ::unlink(path.c_str()) == 0 ? 0 : errno;
}

void PosixFileSystem::close(int fd) {
    // Not retried on EINTR: Linux has released the descriptor either way.
    ::close(fd);
}

FileSystem::Space PosixFileSystem::freeSpace(const std::string& directory) {
    struct statvfs stats {};
    if (::statvfs(directory.c_str(), &stats) != 0)
        return {0, errno};
    return {static_cast<uint64_t>(stats.f_bavail) * stats.f_frsize, 0};
}
