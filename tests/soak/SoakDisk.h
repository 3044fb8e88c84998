#pragma once
// The disk under the soak's folder: the machine's file system with a space
// limit the soak sets and lifts (a disk that fills up and is freed again),
// and a name another program takes just before the writer links its file
// (a clash no folder scan could have seen). The tethering run writes
// through the seam this hands out; the soak keeps the controls.
#include "images/FileSystem.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class SoakDisk {
public:
    // From now on only `bytesLeft` more bytes fit; a write past them fails
    // with ENOSPC. With `hideShortage` the free space asked for beforehand
    // still reads as plenty, as when another writer fills the disk meanwhile.
    void fill(uint64_t bytesLeft, bool hideShortage);
    // As much room as the machine has again.
    void free();
    bool full() const { return m_left.has_value(); }
    // The next final name the writer links is taken first: `plant` gets the
    // path and writes a file there.
    void takeNextName(std::function<void(const std::string& path)> plant);

    // Writes refused for want of room, since the start.
    int refusedWrites() const { return m_refusedWrites; }

    // The seam for the tethering run; it must not outlive this object.
    std::unique_ptr<FileSystem> fileSystem();

private:
    friend class SoakFileSystem;

    std::optional<uint64_t> m_left;
    bool m_hideShortage = false;
    std::function<void(const std::string&)> m_plant;
    int m_refusedWrites = 0;
};
