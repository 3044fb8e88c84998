// The exported C functions for picture and movie data of the one world.
#include "SimJpeg.h"
#include "SimWorld.h"
#include "sim_control.h"

#include <algorithm>
#include <cstring>

#define VSIM_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using vsim::SimCamera;
using vsim::SimContent;
using vsim::SimListedFile;
using vsim::SimWorld;

SimWorld& world() {
    return SimWorld::instance();
}

bool acceptable(const SimListedFile& entry) {
    if (entry.onDisk) {
        return true; // only the name travels
    }
    if (entry.rawRows) {
        return entry.bytesPerRow > 0 && entry.size > 0 && entry.size % entry.bytesPerRow == 0;
    }
    return entry.size > 0;
}

SimListedFile listedFrom(const vsim_listed_file& in) {
    SimListedFile entry;
    entry.kind = in.kind;
    entry.fileType = in.file_type;
    entry.size = in.size;
    entry.onDisk = (in.flags & VSIM_FILE_ON_DISK) != 0;
    entry.rawRows = (in.flags & VSIM_FILE_RAW_ROWS) != 0;
    entry.bytesPerRow = in.bytes_per_row;
    return entry;
}

uint32_t announce(int camera, uint32_t itemId) {
    world().raise(orv::kObjSource, camera, 0, 0, orv::kEvChildAdded, itemId);
    return itemId;
}

// The content of one file of a data object, as an acquire now would make it.
bool contentOf(int camera, uint32_t itemId, uint32_t dataId, uint32_t fileIndex, SimContent& out) {
    SimCamera* c = world().camera(camera);
    const vsim::SimItem* item = c != nullptr ? c->findItem(itemId) : nullptr;
    if (item == nullptr || item->findData(dataId) == nullptr) {
        return false;
    }
    if (dataId == 4) {
        if (fileIndex != 0) {
            return false;
        }
        out = vsim::movieContent(*item);
        return true;
    }
    std::vector<vsim::SimFile> files = vsim::itemFiles(*item);
    if (fileIndex >= files.size()) {
        return false;
    }
    out = std::move(files[fileIndex].content);
    return true;
}

} // namespace

VSIM_EXPORT int vsim_set_chunk_size(uint32_t bytes) {
    if (bytes == 0) {
        return 0;
    }
    world().deliverySettings().chunkSize = bytes;
    return 1;
}

VSIM_EXPORT int vsim_set_jpeg_size(uint32_t width, uint32_t height) {
    if (width > vsim::kMaxPictureSide || height > vsim::kMaxPictureSide ||
        (width == 0) != (height == 0)) {
        return 0;
    }
    world().deliverySettings().jpegWidth = width;
    world().deliverySettings().jpegHeight = height;
    return 1;
}

VSIM_EXPORT int vsim_set_raw_size(uint32_t bytes) {
    if (bytes < vsim::kRawHeaderSize) {
        return 0;
    }
    world().deliverySettings().rawSize = bytes;
    return 1;
}

VSIM_EXPORT uint32_t vsim_add_movie_item(int camera, uint32_t size) {
    SimCamera* c = world().camera(camera);
    if (c == nullptr) {
        return 0;
    }
    return announce(camera, world().addItem(*c, orv::kKindVideo, size).id);
}

VSIM_EXPORT uint32_t vsim_add_file_item(int camera, const vsim_listed_file* files, size_t count) {
    SimCamera* c = world().camera(camera);
    if (c == nullptr || (count > 0 && files == nullptr)) {
        return 0;
    }
    std::vector<SimListedFile> entries;
    for (size_t i = 0; i < count; ++i) {
        entries.push_back(listedFrom(files[i]));
        if (!acceptable(entries.back())) {
            return 0;
        }
    }
    const vsim::SimItem& item = c->addFileItem(std::move(entries));
    world().production().record(camera, item);
    return announce(camera, item.id);
}

VSIM_EXPORT size_t vsim_data_file_bytes(int camera, uint32_t item_id, uint32_t data_id,
                                        uint32_t file_index, uint64_t offset, void* buffer,
                                        size_t size) {
    SimContent content;
    if (!contentOf(camera, item_id, data_id, file_index, content)) {
        return 0;
    }
    if (buffer != nullptr && offset < content.size) {
        const size_t count = static_cast<size_t>(std::min<uint64_t>(size, content.size - offset));
        content.read(offset, static_cast<uint8_t*>(buffer), count);
    }
    return content.size;
}

VSIM_EXPORT void vsim_set_production_log(bool on) {
    world().production().setEnabled(on);
}

VSIM_EXPORT size_t vsim_production_log(vsim_produced_file* records, size_t capacity) {
    const std::vector<vsim::ProducedFile>& files = world().production().files();
    for (size_t i = 0; records != nullptr && i < std::min(capacity, files.size()); ++i) {
        const vsim::ProducedFile& f = files[i];
        records[i] = {f.camera, f.itemId,   f.dataId, f.fileIndex,
                      f.kind,   f.fileType, f.size,   f.checksum};
    }
    return files.size();
}

VSIM_EXPORT int vsim_item_held(int camera, uint32_t item_id) {
    SimCamera* c = world().camera(camera);
    const vsim::SimItem* item = c != nullptr ? c->findItem(item_id) : nullptr;
    return item != nullptr && !item->taken ? 1 : 0;
}
