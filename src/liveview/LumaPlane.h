#pragma once
// The luminance of 32-bit pixels as one byte each, by row as the aids'
// frame pass computes it, and the decoder's luminance plane seen by row.
#include <cstddef>
#include <cstdint>

// Rec. 601 weights in 256ths: white stays 255, grey keeps its level.
constexpr uint8_t LumaOf(uint32_t rgb) {
    return static_cast<uint8_t>(
        (((rgb >> 16) & 0xFFu) * 77u + ((rgb >> 8) & 0xFFu) * 150u + (rgb & 0xFFu) * 29u + 128u) >>
        8);
}

void LumaRow(const uint32_t* pixels, uint8_t* luma, int width);

// Luminance rows that belong to somebody else (the JPEG decoder's plane).
struct LumaView {
    const uint8_t* data = nullptr;
    int stride = 0;
    int width = 0;
    int height = 0;
    bool valid() const { return data != nullptr && width > 0 && height > 0; }
    const uint8_t* row(int y) const { return data + static_cast<size_t>(y) * stride; }
};
