#pragma once
// The chunks of one acquire: every file of an item's data in order, each cut
// into chunks of the chunk size, with the records the data procedure gets.
#include "SimItemFiles.h"
#include "camera/CameraTypes.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace vsim {

struct SimChunk {
    orv::FileDataInfo file{};
    std::vector<uint8_t> data;

    const void* info() const { return &file; }
};

class SimAcquire {
public:
    SimAcquire(std::vector<SimFile> files, uint32_t chunkSize);

    // The next chunk; none when every file is delivered.
    std::optional<SimChunk> next();
    bool done() const { return m_file >= m_files.size(); }

private:
    SimChunk fileChunk(const SimFile& file);
    void advance(const SimFile& file, uint64_t bytes);

    std::vector<SimFile> m_files;
    uint32_t m_chunkSize;
    size_t m_file = 0;
    uint64_t m_offset = 0; // within the current file's content
};

} // namespace vsim
