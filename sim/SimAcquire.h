#pragma once
// The chunks of one acquire: every file of an item's data in order, each cut
// into chunks of the chunk size, with the records the data procedure gets.
// Data faults bend the records the way a faulty camera would.
#include "SimItemFiles.h"
#include "camera/CameraTypes.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace vsim {

// Data faults that a transfer took when it began.
struct DataFaults {
    std::optional<uint32_t> tooLongAfter; // this many chunks pass, the next runs too long
    std::optional<uint32_t> failAfter;    // this many chunks (reads) pass, then `failResult`
    int32_t failResult = -1;
    bool noRemoveObject = false;
    std::optional<uint32_t> announcedTotal;
};

// The records are aligned, so a program that reads their fields in place
// reads them at their natural alignment.
struct SimChunk {
    bool rawRows = false; // the record is `rows`, else `file`
    alignas(8) orv::FileDataInfo file{};
    alignas(8) orv::RawDataInfo rows{};
    std::vector<uint8_t> data;

    const void* info() const {
        return rawRows ? static_cast<const void*>(&rows) : static_cast<const void*>(&file);
    }
};

class SimAcquire {
public:
    SimAcquire(std::vector<SimFile> files, uint32_t chunkSize, const DataFaults& faults);

    // The next chunk; none when every file is delivered.
    std::optional<SimChunk> next();
    // The result the acquire must end with now instead of the next chunk.
    std::optional<int32_t> failureDue() const;
    bool done() const { return m_file >= m_files.size(); }

private:
    SimChunk fileChunk(const SimFile& file, bool tooLong);
    SimChunk rowsChunk(const SimFile& file, bool tooLong);
    void advance(const SimFile& file, uint64_t bytes);

    std::vector<SimFile> m_files;
    uint32_t m_chunkSize;
    DataFaults m_faults;
    size_t m_file = 0;
    uint64_t m_offset = 0; // within the current file's content
    uint32_t m_chunks = 0;
};

} // namespace vsim
