#pragma once
// The few file-system calls the received-file writer makes, behind an
// interface so that tests can make any of them fail. Every call reports an
// errno value (0 is success) instead of throwing: a full card is an
// everyday event, not an exception.
#include <cstddef>
#include <cstdint>
#include <string>

class FileSystem {
public:
    using Error = int; // an errno value, 0 on success

    // A file being written: its descriptor and, while it has one, the name
    // it sits under. An unnamed file (O_TMPFILE) has an empty path and
    // vanishes when closed.
    struct Temporary {
        int fd = -1;
        std::string path;
    };
    struct Opened {
        Temporary file;
        Error error = 0;
    };
    struct Written {
        std::size_t bytes = 0;
        Error error = 0;
    };
    struct Space {
        uint64_t freeBytes = 0;
        Error error = 0;
    };

    virtual ~FileSystem() = default;

    // A new temporary file in `directory` (which ends with "/"), so that its
    // final name is on the same file system.
    virtual Opened openTemporary(const std::string& directory) = 0;
    // One write call: it may write less than `size` or fail with EINTR; the
    // caller continues.
    virtual Written write(int fd, const void* data, std::size_t size) = 0;
    virtual Error sync(int fd) = 0;
    // Gives the file `finalPath` as well; EEXIST when that name is taken,
    // which is never replaced. Clears file.path when the temporary name was
    // moved rather than copied.
    virtual Error linkNoReplace(Temporary& file, const std::string& finalPath) = 0;
    virtual Error syncDirectory(const std::string& directory) = 0;
    // Takes a temporary file's name away.
    virtual Error remove(const std::string& path) = 0;
    virtual void close(int fd) = 0;
    // What an unprivileged writer may still put into `directory`.
    virtual Space freeSpace(const std::string& directory) = 0;
};
