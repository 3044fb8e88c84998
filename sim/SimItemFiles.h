#pragma once
// Which files the data object of an item delivers and what they hold: the
// shot's files by the image quality (ORW, JPEG or both), an explicit list
// for test items, the movie of a movie item.
#include "SimCamera.h"
#include "SimContent.h"

#include <cstdint>
#include <vector>

namespace vsim {

// How the module hands data over; the control interface changes it.
struct SimDeliverySettings {
    uint32_t chunkSize = 1u << 20;
    uint32_t jpegWidth = 0; // 0: the image size setting of the shot
    uint32_t jpegHeight = 0;
    uint32_t rawSize = 8u << 20;
};

// One file as its chunks describe it.
struct SimFile {
    uint32_t kind = 0;
    uint16_t fileType = 0;
    uint32_t totalLength = 0; // announced; for a file on disk its size there
    bool onDisk = false;
    bool rawRows = false;
    uint32_t bytesPerRow = 0;
    SimContent content; // what the chunks' data carry, in order
};

// The shot the settings of a source and the delivery settings would take now.
SimShot shotFrom(const std::vector<SimCapability>& sourceCaps, const SimDeliverySettings& delivery);

// Files of the image data object in delivery order; the JPEG is encoded
// here. Empty for an item without image data.
std::vector<SimFile> itemFiles(const SimItem& item);

// The movie of a movie item.
SimContent movieContent(const SimItem& item);

} // namespace vsim
