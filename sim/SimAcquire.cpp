#include "SimAcquire.h"

#include <algorithm>

namespace vsim {

SimAcquire::SimAcquire(std::vector<SimFile> files, uint32_t chunkSize)
    : m_files(std::move(files)), m_chunkSize(std::max<uint32_t>(chunkSize, 1)) {}

std::optional<SimChunk> SimAcquire::next() {
    if (m_file >= m_files.size()) {
        return std::nullopt;
    }
    return fileChunk(m_files[m_file]);
}

SimChunk SimAcquire::fileChunk(const SimFile& file) {
    const uint64_t left = file.content.size - m_offset;
    const uint64_t length = std::min<uint64_t>(left, m_chunkSize);
    SimChunk chunk;
    chunk.data.resize(static_cast<size_t>(length));
    file.content.read(m_offset, chunk.data.data(), chunk.data.size());
    orv::FileDataInfo& info = chunk.file;
    info.kind = file.kind;
    info.fileType = file.fileType;
    info.totalLength = file.totalLength;
    info.chunkOffset = static_cast<uint32_t>(m_offset);
    info.chunkLength = static_cast<uint32_t>(length);
    info.fileOnDisk = 0;
    advance(file, length);
    info.removeObject = m_file == m_files.size() ? 1 : 0;
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
