#pragma once
// `LvDecoder`: one TurboJPEG decompressor for the whole run, decoding every
// live frame at full size into the same bitmap (`LvBitmap`), which is
// reallocated only when the frame size changes. Only a damaged frame costs
// a new decompressor.
#include <QImage>

#include <cstdint>
#include <span>

class LiveViewDecoder {
public:
    LiveViewDecoder();
    ~LiveViewDecoder();
    LiveViewDecoder(const LiveViewDecoder&) = delete;
    LiveViewDecoder& operator=(const LiveViewDecoder&) = delete;

    // False for a damaged frame; the bitmap's contents are then unspecified.
    bool decode(std::span<const uint8_t> jpeg);
    QImage& bitmap() { return m_bitmap; }

private:
    bool decodeWith(std::span<const uint8_t> jpeg);

    void* m_handle = nullptr;
    QImage m_bitmap;
};
