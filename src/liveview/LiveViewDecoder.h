#pragma once
// `LvDecoder`: one TurboJPEG decompressor for the whole run, decoding every
// live frame at full size into the same bitmap (`LvBitmap`), which is
// reallocated only when the frame size changes. Only a damaged frame costs
// a new decompressor. Frames are decoded into their luminance and colour
// planes first and then converted: this costs no more than decoding
// straight to pixels, and leaves the aids the frame's luminance for free.
#include "liveview/LumaPlane.h"

#include <QImage>

#include <cstdint>
#include <span>
#include <vector>

class LiveViewDecoder {
public:
    LiveViewDecoder();
    ~LiveViewDecoder();
    LiveViewDecoder(const LiveViewDecoder&) = delete;
    LiveViewDecoder& operator=(const LiveViewDecoder&) = delete;

    // False for a damaged frame; the bitmap's contents are then unspecified.
    // Without `toPixels` only the planes are decoded and the bitmap keeps
    // its old contents (for an aid that paints every pixel from the
    // luminance).
    bool decode(std::span<const uint8_t> jpeg, bool toPixels = true);
    QImage& bitmap() { return m_bitmap; }
    // The last decoded frame's luminance.
    LumaView luma() const;

private:
    bool decodeWith(std::span<const uint8_t> jpeg, bool toPixels);
    bool preparePlanes(int width, int height, int subsampling);

    void* m_handle = nullptr;
    QImage m_bitmap;
    std::vector<uint8_t> m_planeData[3];
    int m_strides[3] = {0, 0, 0};
    int m_subsampling = -1;
};
