#include "camera/LiveViewFrame.h"

#include "camera/CameraLink.h"
#include "camera/CameraTypeFacts.h"
#include "camera/CapabilityValues.h"

#include <algorithm>
#include <cstring>

using namespace orv;

namespace {

constexpr size_t kShortHeader = 64;
constexpr size_t kMediumHeader = 128;
constexpr size_t kFullHeader = LiveViewHeader::kSize;

constexpr uint16_t kStartOfScan = 0xFFDA;
constexpr uint8_t kMarkerPrefix = 0xFF;
constexpr uint8_t kEndOfImage = 0xD9;

uint16_t readBigEndian16(const uint8_t* p) {
    return static_cast<uint16_t>((p[0] << 8) | p[1]);
}

void swap16(std::array<uint8_t, kFullHeader>& bytes, size_t offset) {
    const uint16_t value = readBigEndian16(&bytes[offset]);
    std::memcpy(&bytes[offset], &value, sizeof value);
}

void swap32(std::array<uint8_t, kFullHeader>& bytes, size_t offset) {
    const uint8_t* p = &bytes[offset];
    const uint32_t value =
        (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
    std::memcpy(&bytes[offset], &value, sizeof value);
}

// Position after the marker segments (the start of the entropy-coded data),
// never beyond `limit`.
size_t skipMarkerSegments(std::span<const uint8_t> data) {
    const size_t limit = data.size();
    size_t position = 2; // after the start-of-image marker
    while (position + 4 <= limit) {
        const uint16_t marker = readBigEndian16(&data[position]);
        const uint16_t length = readBigEndian16(&data[position + 2]);
        position += 2 + size_t{length};
        if (marker == kStartOfScan) {
            break;
        }
    }
    return std::min(position, limit);
}

} // namespace

uint16_t LiveViewHeader::u16(size_t offset) const {
    uint16_t value = 0;
    std::memcpy(&value, &bytes[offset], sizeof value);
    return value;
}

uint32_t LiveViewHeader::u32(size_t offset) const {
    uint32_t value = 0;
    std::memcpy(&value, &bytes[offset], sizeof value);
    return value;
}

void ConvertLiveViewHeader(std::span<const uint8_t> received, LiveViewHeader& header) {
    const size_t size = received.size() == kMediumHeader || received.size() == kFullHeader
                            ? received.size()
                            : std::min(received.size(), kShortHeader);
    std::array<uint8_t, kFullHeader>& bytes = header.bytes;
    std::memcpy(bytes.data(), received.data(), size);
    // The image sizes and the shown and AF areas.
    for (size_t offset = liveview::kJpegWidth; offset < liveview::kAfArea + liveview::kAreaBytes;
         offset += 2) {
        swap16(bytes, offset);
    }
    swap16(bytes, liveview::kRemainingTime);
    swap32(bytes, liveview::kFrameSerial);
    if (size == kFullHeader) {
        swap32(bytes, 48);
        swap32(bytes, 52);
        swap32(bytes, liveview::kMovieTime);
        for (size_t offset = liveview::kFaceTable; offset < liveview::kFaceTableEnd; offset += 2) {
            swap16(bytes, offset);
        }
        return;
    }
    // Only the largest header has faces; what lies beyond a shorter one is
    // not this camera's.
    bytes[liveview::kFaceCount] = 0;
    std::fill(bytes.begin() + kMediumHeader, bytes.end(), uint8_t{0});
}

size_t JpegImageLength(std::span<const uint8_t> data) {
    const size_t limit = data.size();
    for (size_t i = skipMarkerSegments(data); i + 1 < limit; ++i) {
        if (data[i] == kMarkerPrefix && data[i + 1] == kEndOfImage) {
            return i + 2;
        }
    }
    return limit;
}

LiveViewFetcher::LiveViewFetcher(CameraLink& link) : m_link(link) {}

std::span<const uint8_t> LiveViewFetcher::FetchLiveViewFrame() {
    CamObject* source = m_link.CurrentSource();
    const CapabilityInfo* info =
        source ? CameraLink::FindCapability(source, kCapLiveViewImage) : nullptr;
    if (info == nullptr || info->valueType != kVtArray ||
        (info->operations & (kOpGetArray | kOpGet)) != (kOpGetArray | kOpGet)) {
        return {};
    }
    const size_t headerSize = LiveViewHeaderSize(m_link.CameraType());
    ArrayRecord record{};
    if (!m_link.values().getArrayReusing(source, kCapLiveViewImage, record, m_frame) ||
        m_frame.size() < headerSize) {
        return {};
    }
    const std::span<const uint8_t> frame(m_frame);
    ConvertLiveViewHeader(frame.first(headerSize), m_header);
    const std::span<const uint8_t> jpeg = frame.subspan(headerSize);
    return jpeg.first(JpegImageLength(jpeg));
}
