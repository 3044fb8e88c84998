#include "SimFrameDamage.h"

#include <optional>

namespace vsim {

namespace {

constexpr uint8_t kMarker = 0xFF;
constexpr uint8_t kStartOfScan = 0xDA;

// Where the segments of a JPEG lie: the baseline or progressive frame
// header, the last segment before the scan and the scan's data.
struct Layout {
    size_t frameHeader = 0;
    size_t beforeScan = 0;
    size_t scanData = 0;
};

uint16_t lengthAt(const std::vector<uint8_t>& jpeg, size_t at) {
    return static_cast<uint16_t>(jpeg[at + 2] << 8 | jpeg[at + 3]);
}

std::optional<Layout> layoutOf(const std::vector<uint8_t>& jpeg) {
    Layout layout;
    bool haveFrame = false;
    bool haveSegment = false;
    size_t at = 2; // after the start-of-image marker
    while (at + 4 <= jpeg.size() && jpeg[at] == kMarker) {
        const uint8_t marker = jpeg[at + 1];
        const size_t next = at + 2 + lengthAt(jpeg, at);
        if (marker == kStartOfScan) {
            if (!haveFrame || !haveSegment || next >= jpeg.size()) {
                return std::nullopt;
            }
            layout.scanData = next;
            return layout;
        }
        if (marker == 0xC0 || marker == 0xC1 || marker == 0xC2) {
            layout.frameHeader = at;
            haveFrame = true;
        }
        layout.beforeScan = at;
        haveSegment = true;
        at = next;
    }
    return std::nullopt;
}

} // namespace

std::vector<uint8_t> damagedJpeg(const std::vector<uint8_t>& jpeg, LiveViewFault fault) {
    const std::optional<Layout> layout = layoutOf(jpeg);
    if (fault == LiveViewFault::None || !layout) {
        return jpeg;
    }
    std::vector<uint8_t> bytes = jpeg;
    switch (fault) {
    case LiveViewFault::CorruptJpeg: {
        // Length, precision, then height and width: an empty image.
        const size_t size = layout->frameHeader + 5;
        if (size + 4 <= bytes.size()) {
            std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(size), 4, uint8_t{0});
        }
        break;
    }
    case LiveViewFault::TruncatedFrame: {
        // Entropy-coded data never holds the end-of-image marker, so half
        // of it ends without one.
        const size_t end = bytes.size() - 2;
        bytes.resize(layout->scanData + (end - layout->scanData) / 2);
        break;
    }
    case LiveViewFault::SegmentPastEnd:
        bytes.resize(layout->beforeScan + 4 + (lengthAt(bytes, layout->beforeScan) - 2) / 2);
        break;
    case LiveViewFault::None:
        break;
    }
    return bytes;
}

} // namespace vsim
