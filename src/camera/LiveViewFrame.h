#pragma once
// One live view frame as the camera delivers it in capability 0x8247: a
// header of big-endian numbers (its size by camera type: LiveViewHeaderSize
// in CameraTypeFacts.h) followed by a JPEG image. The header record is
// converted in place to host order, so the display reads it without
// allocating; the JPEG is trimmed at its end-of-image marker. The walk
// through the JPEG trusts nothing it reads: every marker and length is
// checked against the delivered size.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class CameraLink;

// The header record: 384 bytes, the largest header any camera sends.
// Fields are stored in host order after conversion.
struct LiveViewHeader {
    static constexpr size_t kSize = 384;
    std::array<uint8_t, kSize> bytes{};

    uint8_t u8(size_t offset) const { return bytes[offset]; }
    uint16_t u16(size_t offset) const;
    uint32_t u32(size_t offset) const;
};

// Copies a received header (64, 128 or 384 bytes; any other size is taken
// as 64) into `header` and converts its big-endian fields. A 64-byte header
// leaves bytes 64-127 as an earlier, larger header left them; the bytes a
// short header does not carry (the face table, the sound levels) are zero.
void ConvertLiveViewHeader(std::span<const uint8_t> received, LiveViewHeader& header);

// Length of the JPEG at the start of `data`: through the end-of-image
// marker, or all of `data` when there is none. The marker segments are
// skipped first so that their contents are not mistaken for the marker.
size_t JpegImageLength(std::span<const uint8_t> data);

// Reads frames from the current source of a link. The buffer is kept
// between frames; the returned image stays valid until the next fetch.
class LiveViewFetcher {
public:
    explicit LiveViewFetcher(CameraLink& link);

    // One frame: the JPEG bytes, empty when no frame could be read (the
    // header then keeps the previous frame's values).
    std::span<const uint8_t> FetchLiveViewFrame();
    const LiveViewHeader& header() const { return m_header; }

private:
    CameraLink& m_link;
    LiveViewHeader m_header;
    std::vector<uint8_t> m_frame;
};
