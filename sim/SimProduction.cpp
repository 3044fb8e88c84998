#include "SimProduction.h"

#include "SimItemFiles.h"

#include <algorithm>

namespace vsim {

namespace {

constexpr uint64_t kFnvOffset = 0xCBF29CE484222325ull;
constexpr uint64_t kFnvPrime = 0x100000001B3ull;
constexpr size_t kBlock = 1u << 16;
constexpr uint32_t kImageData = 1;
constexpr uint32_t kVideoData = 4;

} // namespace

uint64_t fnv1a(const SimContent& content) {
    uint64_t hash = kFnvOffset;
    std::vector<uint8_t> block(kBlock);
    for (uint64_t offset = 0; offset < content.size; offset += kBlock) {
        const size_t n = static_cast<size_t>(std::min<uint64_t>(kBlock, content.size - offset));
        content.read(offset, block.data(), n);
        for (size_t i = 0; i < n; ++i) {
            hash = (hash ^ block[i]) * kFnvPrime;
        }
    }
    return hash;
}

void SimProduction::setEnabled(bool on) {
    m_enabled = on;
    m_files.clear();
}

void SimProduction::record(int camera, const SimItem& item) {
    if (!m_enabled) {
        return;
    }
    ProducedFile produced;
    produced.camera = camera;
    produced.itemId = item.id;
    const std::vector<SimFile> files = itemFiles(item);
    for (uint32_t index = 0; index < files.size(); ++index) {
        const SimFile& file = files[index];
        // A file that stays on the card sends only its name.
        if (file.onDisk) {
            continue;
        }
        produced.dataId = kImageData;
        produced.fileIndex = index;
        produced.kind = file.kind;
        produced.fileType = file.fileType;
        produced.size = file.content.size;
        produced.checksum = fnv1a(file.content);
        m_files.push_back(produced);
    }
    if (item.findData(kVideoData) != nullptr) {
        const SimContent movie = movieContent(item);
        produced.dataId = kVideoData;
        produced.fileIndex = 0;
        produced.kind = orv::kKindVideo;
        produced.fileType = 0;
        produced.size = movie.size;
        produced.checksum = fnv1a(movie);
        m_files.push_back(produced);
    }
}

} // namespace vsim
