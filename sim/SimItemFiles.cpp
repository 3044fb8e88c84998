#include "SimItemFiles.h"

#include "SimJpeg.h"
#include "SimMovieFile.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string>

namespace vsim {

namespace {

constexpr uint32_t kFallbackWidth = 640;
constexpr uint32_t kFallbackHeight = 480;
constexpr size_t kDiskNameSize = 256;

const SimCapability* findCap(const std::vector<SimCapability>& caps, uint32_t capId) {
    for (const SimCapability& cap : caps) {
        if (cap.id == capId) {
            return &cap;
        }
    }
    return nullptr;
}

std::string enumText(const std::vector<SimCapability>& caps, uint32_t capId) {
    const SimCapability* cap = findCap(caps, capId);
    if (cap == nullptr || cap->valueType != orv::kVtEnum ||
        cap->currentIndex >= cap->texts.size()) {
        return {};
    }
    return cap->texts[cap->currentIndex];
}

// "RAW" alone is the raw file only; "RAW+Fine" both; a JPEG quality alone
// the JPEG only. A text the body does not know counts as Fine.
void applyQuality(const std::string& text, SimShot& shot) {
    shot.raw = text.rfind("RAW", 0) == 0;
    shot.jpeg = text != "RAW";
    if (text.find("Basic") != std::string::npos) {
        shot.jpegQuality = 50;
    } else if (text.find("Normal") != std::string::npos) {
        shot.jpegQuality = 75;
    } else {
        shot.jpegQuality = 92;
    }
}

// "4288x2848"; zero sizes when the text is not of that form.
void applyImageSize(const std::string& text, SimShot& shot) {
    const size_t x = text.find('x');
    if (x == std::string::npos) {
        return;
    }
    uint32_t width = 0;
    uint32_t height = 0;
    const auto w = std::from_chars(text.data(), text.data() + x, width);
    const auto h = std::from_chars(text.data() + x + 1, text.data() + text.size(), height);
    if (w.ec == std::errc() && h.ec == std::errc() && width > 0 && height > 0) {
        shot.width = width;
        shot.height = height;
    }
}

const char* extension(uint16_t fileType) {
    switch (fileType) {
    case orv::kFileJpeg:
        return ".JPG";
    case orv::kFileTiff:
        return ".TIF";
    case orv::kFileOrw:
        return ".ORW";
    default:
        return ".DAT";
    }
}

SimContent diskName(const SimItem& item, uint16_t fileType) {
    const std::string name = "/DCIM/100ORVEL/" + item.stem() + extension(fileType);
    SimContent content;
    content.head.assign(kDiskNameSize, 0);
    std::memcpy(content.head.data(), name.data(), std::min(name.size(), kDiskNameSize - 1));
    content.size = kDiskNameSize;
    return content;
}

SimFile listedFile(const SimItem& item, const SimListedFile& entry, uint32_t index) {
    SimFile file;
    file.kind = entry.kind;
    file.fileType = entry.fileType;
    file.totalLength = entry.size;
    file.onDisk = entry.onDisk;
    file.rawRows = entry.rawRows;
    file.bytesPerRow = entry.bytesPerRow;
    if (entry.onDisk) {
        file.content = diskName(item, entry.fileType);
    } else {
        file.content.patterned = true;
        file.content.seed = fileSeed(item.id, index);
        file.content.size = entry.size;
    }
    return file;
}

SimFile rawFile(const SimItem& item, uint32_t index, uint32_t size) {
    SimFile file;
    file.kind = orv::kKindImage | orv::kKindFile;
    file.fileType = orv::kFileOrw;
    file.content = rawContent(item.id, index, size);
    file.totalLength = file.content.size;
    return file;
}

SimFile jpegFile(const SimItem& item) {
    const SimShot& shot = *item.shot;
    const bool known = shot.width > 0 && shot.height > 0;
    ScenePicture picture;
    picture.width = known ? shot.width : kFallbackWidth;
    picture.height = known ? shot.height : kFallbackHeight;
    picture.exposureStops = shot.exposureStops;
    picture.number = item.number;
    picture.quality = shot.jpegQuality;
    SimFile file;
    file.kind = orv::kKindImage | orv::kKindFile;
    file.fileType = orv::kFileJpeg;
    file.content.head = encodeSceneJpeg(picture);
    file.content.size = static_cast<uint32_t>(file.content.head.size());
    file.totalLength = file.content.size;
    return file;
}

} // namespace

SimShot shotFrom(const std::vector<SimCapability>& sourceCaps,
                 const SimDeliverySettings& delivery) {
    SimShot shot;
    applyQuality(enumText(sourceCaps, orv::kCapCompression), shot);
    applyImageSize(enumText(sourceCaps, orv::kCapImageSize), shot);
    if (delivery.jpegWidth > 0 && delivery.jpegHeight > 0) {
        shot.width = delivery.jpegWidth;
        shot.height = delivery.jpegHeight;
    }
    shot.rawSize = delivery.rawSize;
    const SimCapability* meter = findCap(sourceCaps, orv::kCapExposureStatus);
    if (meter != nullptr && meter->valueType == orv::kVtFloat) {
        shot.exposureStops = meter->f;
    }
    return shot;
}

std::vector<SimFile> itemFiles(const SimItem& item) {
    std::vector<SimFile> files;
    if (!item.files.empty()) {
        for (uint32_t i = 0; i < item.files.size(); ++i) {
            files.push_back(listedFile(item, item.files[i], i));
        }
        return files;
    }
    if (!item.shot.has_value() || item.findData(1) == nullptr) {
        return files;
    }
    if (item.shot->raw) {
        files.push_back(rawFile(item, 0, item.shot->rawSize));
    }
    if (item.shot->jpeg) {
        files.push_back(jpegFile(item));
    }
    return files;
}

SimContent movieContent(const SimItem& item) {
    SimContent content;
    content.patterned = true;
    content.seed = fileSeed(item.id, 4);
    content.size = item.movieSize;
    if (item.recorded) {
        content.movie = item.recorded;
        content.size = item.recorded->size();
    }
    return content;
}

} // namespace vsim
