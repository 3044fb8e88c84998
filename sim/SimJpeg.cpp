#include "SimJpeg.h"

#include <turbojpeg.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

namespace vsim {

namespace {

struct CompressorDeleter {
    void operator()(void* handle) const { tjDestroy(handle); }
};
struct BufferDeleter {
    void operator()(unsigned char* buffer) const { tjFree(buffer); }
};

constexpr int kDigits = 4;
constexpr int kFontWidth = 3;
constexpr int kFontHeight = 5;
// 3x5 digits, the top row in the highest three bits, the left column first.
constexpr std::array<uint16_t, 10> kFont = {
    0b111'101'101'101'111, 0b010'110'010'010'111, 0b111'001'111'100'111, 0b111'001'111'001'111,
    0b101'101'111'001'001, 0b111'100'111'001'111, 0b111'100'111'101'111, 0b111'001'001'001'001,
    0b111'101'111'101'111, 0b111'101'111'001'111};

class Canvas {
public:
    Canvas(int width, int height)
        : m_width(width), m_height(height), m_pixels(static_cast<size_t>(width) * height * 3) {}

    // Brightness rises from left to right, the colour turns from warm at the
    // top to cool at the bottom; the exposure scales it all. Fixed point, as
    // a full-size picture has tens of millions of samples.
    void paintGradient(double exposureStops) {
        const double gain = std::exp2(std::clamp(exposureStops, -8.0, 8.0));
        std::vector<uint32_t> level(static_cast<size_t>(m_width)); // 8 fraction bits
        for (int x = 0; x < m_width; ++x) {
            const double value = (0.15 + 0.7 * x / std::max(1, m_width - 1)) * gain;
            level[static_cast<size_t>(x)] = static_cast<uint32_t>(std::min(value, 2.0) * 256);
        }
        for (int y = 0; y < m_height; ++y) {
            const double t = static_cast<double>(y) / std::max(1, m_height - 1);
            const std::array<uint32_t, 3> tint = {scaled(1.0 - 0.5 * t), scaled(0.8),
                                                  scaled(0.5 + 0.5 * t)};
            uint8_t* p = pixel(0, y);
            for (const uint32_t l : level) {
                for (const uint32_t c : tint) {
                    *p++ = static_cast<uint8_t>(std::min<uint32_t>((l * c) >> 16, 255));
                }
            }
        }
    }

    void drawNumber(uint32_t number) {
        const int block = std::max(1, std::min(m_width, m_height) / 48);
        const int plateWidth = (kDigits * (kFontWidth + 1) + 1) * block;
        fill(block, block, plateWidth, (kFontHeight + 2) * block, 0);
        for (int d = 0; d < kDigits; ++d) {
            uint32_t divisor = 1;
            for (int i = d + 1; i < kDigits; ++i) {
                divisor *= 10;
            }
            const uint16_t glyph = kFont[(number / divisor) % 10];
            const int left = block * (2 + d * (kFontWidth + 1));
            for (int row = 0; row < kFontHeight; ++row) {
                for (int col = 0; col < kFontWidth; ++col) {
                    const int bit = (kFontHeight - 1 - row) * kFontWidth + (kFontWidth - 1 - col);
                    if ((glyph >> bit) & 1) {
                        fill(left + col * block, block * (2 + row), block, block, 255);
                    }
                }
            }
        }
    }

    const uint8_t* data() const { return m_pixels.data(); }

private:
    // A colour factor as 255ths with 8 fraction bits.
    static uint32_t scaled(double factor) { return static_cast<uint32_t>(factor * 255.0 * 256.0); }
    uint8_t* pixel(int x, int y) {
        return m_pixels.data() + (static_cast<size_t>(y) * m_width + x) * 3;
    }
    // A grey rectangle, cut to the picture.
    void fill(int left, int top, int width, int height, uint8_t grey) {
        for (int y = std::max(top, 0); y < std::min(top + height, m_height); ++y) {
            for (int x = std::max(left, 0); x < std::min(left + width, m_width); ++x) {
                std::fill_n(pixel(x, y), 3, grey);
            }
        }
    }

    int m_width;
    int m_height;
    std::vector<uint8_t> m_pixels;
};

} // namespace

std::vector<uint8_t> encodeSceneJpeg(const ScenePicture& picture) {
    const int width = static_cast<int>(std::clamp<uint32_t>(picture.width, 1, kMaxPictureSide));
    const int height = static_cast<int>(std::clamp<uint32_t>(picture.height, 1, kMaxPictureSide));
    Canvas canvas(width, height);
    canvas.paintGradient(picture.exposureStops);
    canvas.drawNumber(picture.number);

    const std::unique_ptr<void, CompressorDeleter> compressor(tjInitCompress());
    if (!compressor) {
        return {};
    }
    unsigned char* raw = nullptr;
    unsigned long size = 0;
    const int failed = tjCompress2(compressor.get(), canvas.data(), width, 0, height, TJPF_RGB,
                                   &raw, &size, TJSAMP_420, std::clamp(picture.quality, 1, 100), 0);
    const std::unique_ptr<unsigned char, BufferDeleter> buffer(raw);
    if (failed != 0 || !buffer) {
        return {};
    }
    return std::vector<uint8_t>(buffer.get(), buffer.get() + size);
}

} // namespace vsim
