#pragma once
// The real file system for the received-file writer (Linux): an unnamed
// O_TMPFILE file linked into place where the file system supports it,
// otherwise a hidden ".vantora-XXXXXX.part" file next to the final name,
// hard-linked to it, or moved there where hard links are missing (FAT).
// Neither ever replaces an existing file.
#include "images/FileSystem.h"

class PosixFileSystem : public FileSystem {
public:
    // Each file system gets the best way it supports; the others can be
    // chosen so that every way is tried on one machine.
    enum class Temporaries {
        PreferUnnamed, // O_TMPFILE, falling back to the named file where unsupported
        NamedLinked,   // the named file, hard-linked (file systems without O_TMPFILE)
        NamedMoved,    // the named file, moved into place (file systems without hard links)
    };

    explicit PosixFileSystem(Temporaries temporaries = Temporaries::PreferUnnamed);

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
