#include "SoakDisk.h"

#include "images/PosixFileSystem.h"

#include <algorithm>
#include <cerrno>
#include <map>
#include <utility>

// The machine's file system, bent by the disk's controls. Bytes of a file
// that never got a name come back when it is closed.
class SoakFileSystem : public FileSystem {
public:
    explicit SoakFileSystem(SoakDisk& disk) : m_disk(disk) {}

    Opened openTemporary(const std::string& directory) override {
        return m_real.openTemporary(directory);
    }

    Written write(int fd, const void* data, std::size_t size) override {
        std::size_t allowed = size;
        if (m_disk.m_left) {
            allowed = static_cast<std::size_t>(std::min<uint64_t>(size, *m_disk.m_left));
            if (allowed == 0) {
                ++m_disk.m_refusedWrites;
                return {0, ENOSPC};
            }
        }
        const Written written = m_real.write(fd, data, allowed);
        if (m_disk.m_left) {
            *m_disk.m_left -= written.bytes;
        }
        m_unnamedBytes[fd] += written.bytes;
        return written;
    }

    Error sync(int fd) override { return m_real.sync(fd); }

    Error linkNoReplace(Temporary& file, const std::string& finalPath) override {
        if (auto plant = std::exchange(m_disk.m_plant, nullptr)) {
            plant(finalPath);
        }
        const Error error = m_real.linkNoReplace(file, finalPath);
        if (error == 0) {
            m_unnamedBytes.erase(file.fd);
        }
        return error;
    }

    Error syncDirectory(const std::string& directory) override {
        return m_real.syncDirectory(directory);
    }

    Error remove(const std::string& path) override { return m_real.remove(path); }

    void close(int fd) override {
        const auto it = m_unnamedBytes.find(fd);
        if (it != m_unnamedBytes.end()) {
            if (m_disk.m_left) {
                *m_disk.m_left += it->second;
            }
            m_unnamedBytes.erase(it);
        }
        m_real.close(fd);
    }

    Space freeSpace(const std::string& directory) override {
        Space space = m_real.freeSpace(directory);
        if (m_disk.m_left && !m_disk.m_hideShortage) {
            space.freeBytes = std::min(space.freeBytes, *m_disk.m_left);
        }
        return space;
    }

private:
    SoakDisk& m_disk;
    PosixFileSystem m_real;
    std::map<int, uint64_t> m_unnamedBytes;
};

void SoakDisk::fill(uint64_t bytesLeft, bool hideShortage) {
    m_left = bytesLeft;
    m_hideShortage = hideShortage;
}

void SoakDisk::free() {
    m_left.reset();
    m_hideShortage = false;
}

void SoakDisk::takeNextName(std::function<void(const std::string& path)> plant) {
    m_plant = std::move(plant);
}

std::unique_ptr<FileSystem> SoakDisk::fileSystem() {
    return std::make_unique<SoakFileSystem>(*this);
}
