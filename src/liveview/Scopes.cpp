#include "liveview/Scopes.h"

#include "liveview/PixelRows.h"

#include <algorithm>
#include <numeric>

namespace {

constexpr int kMargin = 4;

// Halves the brightness of the box, so that a scope reads on any picture.
void darken(const PixelRows& pixels, const PixelBox& box) {
    const PixelBox b = pixels.clip(box);
    for (int y = b.top; y < b.bottom; ++y) {
        uint32_t* line = pixels.row(y);
        for (int x = b.left; x < b.right; ++x) {
            line[x] = 0xFF000000u | ((line[x] >> 1) & 0x007F7F7Fu);
        }
    }
}

// The tallest bar, leaving out the two end levels: a clipped area would
// otherwise flatten everything else (its share is shown as a number).
uint32_t tallest(const std::array<uint32_t, 256>& counts) {
    const uint32_t top = *std::max_element(counts.begin() + 1, counts.end() - 1);
    return std::max<uint32_t>(top, 1);
}

void drawChannel(const PixelRows& pixels, const PixelBox& place,
                 const std::array<uint32_t, 256>& counts, uint32_t colour, bool add) {
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    const uint32_t top = tallest(counts);
    for (int column = 0; column < width; ++column) {
        const int first = column * 256 / width;
        const int last = std::max(first + 1, (column + 1) * 256 / width);
        uint32_t count = 0;
        for (int level = first; level < last; ++level) {
            count = std::max(count, counts[static_cast<size_t>(level)]);
        }
        const auto bar = static_cast<int>(std::min<uint64_t>(
            height,
            (static_cast<uint64_t>(count) * static_cast<uint64_t>(height) + top - 1) / top));
        const int x = place.left + column;
        for (int y = place.bottom - bar; y < place.bottom; ++y) {
            if (pixels.contains(x, y)) {
                uint32_t& pixel = pixels.row(y)[x];
                pixel = add ? (pixel | colour) : colour;
            }
        }
    }
}

} // namespace

void ClearHistogram(Histogram& h, bool rgb) {
    h.luma.fill(0);
    h.red.fill(0);
    h.green.fill(0);
    h.blue.fill(0);
    h.samples = 0;
    h.colourSamples = 0;
    h.rgb = rgb;
}

void CountHistogramRow(const uint8_t* luma, const uint32_t* pixels, int width, Histogram& h) {
    for (int x = 0; x < width; x += 4) {
        ++h.luma[luma[x]];
    }
    const auto samples = static_cast<uint32_t>((width + 3) / 4);
    h.samples += samples;
    if (h.rgb) {
        for (int x = 0; x < width; x += 4) {
            const uint32_t p = pixels[x];
            ++h.red[(p >> 16) & 0xFF];
            ++h.green[(p >> 8) & 0xFF];
            ++h.blue[p & 0xFF];
        }
        h.colourSamples += samples;
    }
}

void CountHistogram(const QImage& image, bool rgb, Histogram& h) {
    ClearHistogram(h, rgb);
    std::vector<uint8_t> luma(static_cast<size_t>(std::max(image.width(), 0)));
    for (int y = 0; y < image.height(); ++y) {
        if (!ScopeRow(y)) {
            continue;
        }
        const auto* pixels = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
        LumaRow(pixels, luma.data(), image.width());
        CountHistogramRow(luma.data(), pixels, image.width(), h);
    }
}

ClippedShares ClippedShare(const Histogram& h) {
    if (h.samples == 0) {
        return {};
    }
    const auto sum = [&h](int from, int to) {
        return std::accumulate(h.luma.begin() + from, h.luma.begin() + to, uint64_t{0});
    };
    const double samples = h.samples;
    return {static_cast<double>(sum(0, kClippedShadowLevel + 1)) / samples,
            static_cast<double>(sum(kClippedHighlightLevel, 256)) / samples};
}

void WaveformCounter::start(int width, Waveform& w) {
    w.counts.fill(0);
    w.rows = 0;
    if (width != m_width) {
        m_width = width;
        m_columnOf.clear();
        for (int x = 0; x < width; x += 4) {
            m_columnOf.push_back(static_cast<uint16_t>(x * Waveform::kWaveColumns / width));
        }
    }
    w.samplesPerRow = static_cast<uint32_t>(m_columnOf.size());
}

void WaveformCounter::countRow(const uint8_t* luma, Waveform& w) const {
    const size_t samples = m_columnOf.size();
    for (size_t i = 0; i < samples; ++i) {
        const int level = luma[4 * i] * Waveform::kWaveLevels / 256;
        ++w.counts[static_cast<size_t>(m_columnOf[i] * Waveform::kWaveLevels + level)];
    }
    ++w.rows;
}

PixelBox HistogramPlace(int /*visibleWidth*/, int visibleHeight) {
    const int bottom = visibleHeight - kMargin;
    return {kMargin, bottom - kScopeHeight, kMargin + kScopeWidth, bottom};
}

PixelBox WaveformPlace(int visibleWidth, int visibleHeight) {
    const int bottom = visibleHeight - kMargin;
    const int right = visibleWidth - kMargin;
    return {right - kScopeWidth, bottom - kScopeHeight, right, bottom};
}

void DrawHistogram(QImage& image, const PixelBox& place, const Histogram& h) {
    const PixelRows pixels(image);
    darken(pixels, place);
    if (h.samples == 0) {
        return;
    }
    if (!h.rgb) {
        drawChannel(pixels, place, h.luma, 0xFFE0E0E0, false);
        return;
    }
    drawChannel(pixels, place, h.red, 0xFFC00000, true);
    drawChannel(pixels, place, h.green, 0xFF00C000, true);
    drawChannel(pixels, place, h.blue, 0xFF0000C0, true);
}

void DrawWaveform(QImage& image, const PixelBox& place, const Waveform& w) {
    const PixelRows pixels(image);
    darken(pixels, place);
    if (w.samplesPerColumn() == 0) {
        return;
    }
    const int width = std::min(place.right - place.left, Waveform::kWaveColumns);
    const int height = std::min(place.bottom - place.top, Waveform::kWaveLevels);
    // A level holding an eighth of its column's samples is drawn at full
    // strength; the scale is a multiplier in 1/65536, not a division per cell.
    const uint64_t full = std::max<uint64_t>(1, w.samplesPerColumn() / 8);
    const uint64_t scale = (191u << 16) / full;
    for (int column = 0; column < width; ++column) {
        for (int level = 0; level < height; ++level) {
            const uint32_t count = w.count(column, level);
            if (count == 0) {
                continue;
            }
            const int x = place.left + column;
            const int y = place.bottom - 1 - level;
            if (!pixels.contains(x, y)) {
                continue;
            }
            const auto strength =
                static_cast<uint32_t>(std::min<uint64_t>(255, 64 + ((count * scale) >> 16)));
            pixels.row(y)[x] = 0xFF000000u | (strength / 2) << 16 | strength << 8 | (strength / 2);
        }
    }
}
