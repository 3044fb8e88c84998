#include "SimAcquire.h"

#include <algorithm>

namespace vsim {

namespace {

// How far a chunk that is too long runs past its file.
constexpr uint32_t kTooLongBytes = 4096;
constexpr uint32_t kTooLongRows = 4;

} // namespace

SimAcquire::SimAcquire(std::vector<SimFile> files, uint32_t chunkSize, const DataFaults& faults)
    : m_files(std::move(files)), m_chunkSize(std::max<uint32_t>(chunkSize, 1)), m_faults(faults) {}

std::optional<int32_t> SimAcquire::failureDue() const {
    if (m_faults.failAfter.has_value() && m_chunks >= *m_faults.failAfter) {
        return m_faults.failResult;
    }
    return std::nullopt;
}

std::optional<SimChunk> SimAcquire::next() {
    if (m_file >= m_files.size()) {
        return std::nullopt;
    }
    const SimFile& file = m_files[m_file];
    const bool tooLong = m_faults.tooLongAfter == m_chunks;
    SimChunk chunk = file.rawRows ? rowsChunk(file, tooLong) : fileChunk(file, tooLong);
    ++m_chunks;
    return chunk;
}

SimChunk SimAcquire::fileChunk(const SimFile& file, bool tooLong) {
    const uint64_t left = file.content.size - m_offset;
    const uint64_t length = tooLong ? left + kTooLongBytes : std::min<uint64_t>(left, m_chunkSize);
    SimChunk chunk;
    chunk.data.resize(static_cast<size_t>(length));
    file.content.read(m_offset, chunk.data.data(), chunk.data.size());
    orv::FileDataInfo& info = chunk.file;
    info.kind = file.kind;
    info.fileType = file.fileType;
    info.totalLength = m_faults.announcedTotal.value_or(file.totalLength);
    info.chunkOffset = static_cast<uint32_t>(m_offset);
    info.chunkLength = static_cast<uint32_t>(length);
    info.fileOnDisk = file.onDisk ? 1 : 0;
    advance(file, length);
    info.removeObject = m_file == m_files.size() && !m_faults.noRemoveObject ? 1 : 0;
    return chunk;
}

SimChunk SimAcquire::rowsChunk(const SimFile& file, bool tooLong) {
    const uint32_t perRow = std::max<uint32_t>(file.bytesPerRow, 1);
    const uint64_t rowsLeft = (file.content.size - m_offset) / perRow;
    const uint64_t rows =
        tooLong ? rowsLeft + kTooLongRows : std::clamp<uint64_t>(m_chunkSize / perRow, 1, rowsLeft);
    SimChunk chunk;
    chunk.rawRows = true;
    chunk.data.resize(static_cast<size_t>(rows * perRow));
    file.content.read(m_offset, chunk.data.data(), chunk.data.size());
    orv::RawDataInfo& info = chunk.rows;
    info.kind = file.kind;
    info.totalHeight = m_faults.announcedTotal.value_or(file.content.size / perRow);
    info.rowsInChunk = static_cast<uint32_t>(rows);
    info.bytesPerRow = perRow;
    advance(file, chunk.data.size());
    info.removeObject = m_file == m_files.size() && !m_faults.noRemoveObject ? 1 : 0;
    return chunk;
}

// Past the end of a file the next one begins.
void SimAcquire::advance(const SimFile& file, uint64_t bytes) {
    m_offset += bytes;
    if (m_offset >= file.content.size) {
        ++m_file;
        m_offset = 0;
    }
}

} // namespace vsim
