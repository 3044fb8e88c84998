#pragma once
// The histogram and the waveform of a frame, counted row by row as the
// aids' frame pass produces the luminance: the histogram on every fourth
// pixel of every fourth row, the waveform on every fourth pixel of every
// eighth row (a sample tells the shape as well as every pixel and keeps the
// count within the frame budget). Drawn as small scopes.
#include "liveview/AidSettings.h"
#include "liveview/LiveViewGeometry.h"
#include "liveview/LumaPlane.h"

#include <QImage>

#include <array>
#include <cstdint>
#include <vector>

// Levels counted as clipped: JPEG compression moves a blown-out area by a
// level or two, so the last three levels at each end count.
constexpr int kClippedShadowLevel = 2;
constexpr int kClippedHighlightLevel = 253;

struct Histogram {
    std::array<uint32_t, 256> luma{};
    std::array<uint32_t, 256> red{};
    std::array<uint32_t, 256> green{};
    std::array<uint32_t, 256> blue{};
    uint32_t samples = 0;       // of the luminance
    uint32_t colourSamples = 0; // of each channel (RGB only)
    bool rgb = false;
};

// Shares of the samples, 0 ... 1, at the two ends of the luminance.
struct ClippedShares {
    double shadows = 0;
    double highlights = 0;
    bool operator==(const ClippedShares&) const = default;
};

// Rows the scopes sample.
constexpr bool ScopeRow(int y) {
    return (y & 3) == 0;
}
constexpr bool WaveformRow(int y) {
    return (y & 7) == 0;
}
void ClearHistogram(Histogram& histogram, bool rgb);
// Counts a sampled row: its luminance, and its channels when the histogram
// is an RGB one.
void CountHistogramRow(const uint8_t* luma, const uint32_t* pixels, int width,
                       Histogram& histogram);
// The histogram of a whole picture (32-bit).
void CountHistogram(const QImage& image, bool rgb, Histogram& histogram);
ClippedShares ClippedShare(const Histogram& histogram);

// Luminance by column: the frame's width in kWaveColumns columns, the
// luminance in kWaveLevels steps.
struct Waveform {
    static constexpr int kWaveColumns = 128;
    static constexpr int kWaveLevels = 64;
    std::array<uint32_t, kWaveColumns * kWaveLevels> counts{};
    uint32_t samplesPerRow = 0;
    uint32_t rows = 0;
    uint32_t samplesPerColumn() const {
        return (samplesPerRow * rows + kWaveColumns - 1) / kWaveColumns;
    }
    uint32_t count(int column, int level) const {
        return counts[static_cast<size_t>(column * kWaveLevels + level)];
    }
};

class WaveformCounter {
public:
    // Clears the counts for a frame `width` pixels wide.
    void start(int width, Waveform& waveform);
    void countRow(const uint8_t* luma, Waveform& waveform) const;

private:
    std::vector<uint16_t> m_columnOf; // per sampled pixel of a row
    int m_width = -1;
};

// Size of each scope as drawn on the frame, and where they go: the
// histogram in the bottom left corner, the waveform beside it on the right.
constexpr int kScopeWidth = 128;
constexpr int kScopeHeight = 64;
PixelBox HistogramPlace(int visibleWidth, int visibleHeight);
PixelBox WaveformPlace(int visibleWidth, int visibleHeight);

// The scopes on a darkened ground, clipped to the image.
void DrawHistogram(QImage& image, const PixelBox& place, const Histogram& histogram);
void DrawWaveform(QImage& image, const PixelBox& place, const Waveform& waveform);
