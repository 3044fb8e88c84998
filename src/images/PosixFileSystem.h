#pragma once
// The real file system for the received-file writer (Linux): an unnamed
// O_TMPFILE file linked into place where the file system supports it,
// otherwise a hidden ".vantora-XXXXXX.part" file next to the final name.
#include "images/FileSystem.h"

class PosixFileSystem : public FileSystem {
public:
    enum class Temporaries {
        PreferUnnamed, // O_TMPFILE, falling back to a named file where unsupported
        NamedOnly,     // always the named file (what file systems without O_TMPFILE get)
    };

    explicit PosixFileSystem(Temporaries temporaries = Temporaries::PreferUnnamed)
        : m_temporaries(temporaries) {}

    Opened openTemporary(const std::string& directory) override;
    Written write(int fd, const void* data, std::size_t size) override;
    Error sync(int fd) override;
    Error linkNoReplace(Temporary& file, const std::string& finalPath) override;
    Error syncDirectory(const std::string& directory) override;
    Error remove(const std::string& path) override;
    void close(int fd) override;
    Space freeSpace(const std::string& directory) override;

private:
    Temporaries m_temporaries;
};
