#include "liveview/Guides.h"

#include "liveview/AidSettings.h"
#include "liveview/LiveViewPainting.h"
#include "liveview/LumaPlane.h"
#include "liveview/PixelRows.h"

#include <algorithm>
#include <cstdint>

namespace {

// 1/phi^2 and 1/phi in millionths: they add up to one, so the two golden
// lines mirror each other.
constexpr int kGoldenNear = 381966;
constexpr int kGoldenFar = 618034;
constexpr int kMillion = 1000000;

// Lightens the pixel halfway to white: a guide reads on dark and light.
inline void lighten(uint32_t& pixel) {
    pixel = 0xFF808080u + ((pixel >> 1) & 0x007F7F7Fu);
}

// The diagonal from the top left corner's point at step `i` of `steps`
// along the longer side.
struct DiagonalPoint {
    int x;
    int y;
};
DiagonalPoint diagonalAt(int i, int steps, int width, int height) {
    const int64_t span = std::max(steps - 1, 1);
    return {static_cast<int>((int64_t{i} * (width - 1) * 2 + span) / (2 * span)),
            static_cast<int>((int64_t{i} * (height - 1) * 2 + span) / (2 * span))};
}

} // namespace

GuideLine GuideAt(int size, int num, int den) {
    const int64_t scaled = static_cast<int64_t>(size) * num;
    const auto pixel = static_cast<int>(scaled / den);
    if (scaled % den == 0 && pixel > 0) {
        return {pixel - 1, 2};
    }
    return {pixel, 1};
}

GuideSet GuideLines(int size, int bits) {
    GuideSet set;
    const auto add = [&set, size](int num, int den) {
        set.lines[static_cast<size_t>(set.count++)] = GuideAt(size, num, den);
    };
    if ((bits & kGuideThirds) != 0) {
        add(1, 3);
        add(2, 3);
    }
    if ((bits & kGuideGolden) != 0) {
        add(kGoldenNear, kMillion);
        add(kGoldenFar, kMillion);
    }
    if ((bits & kGuideCross) != 0) {
        add(1, 2);
    }
    return set;
}

void GuidePlan::prepare(int width, int height, int bits) {
    if (width == m_width && height == m_height && bits == m_bits) {
        return;
    }
    m_width = width;
    m_height = height;
    m_bits = bits;
    m_columns = GuideLines(width, bits);
    m_rows = GuideLines(height, bits);
    m_diagonal.assign(static_cast<size_t>(std::max(height, 0)), {width, -1});
    if ((bits & kGuideDiagonals) == 0 || width < 2 || height < 2) {
        return;
    }
    // One pixel per step along the longer side, as spans of each row.
    const int steps = std::max(width, height);
    for (int i = 0; i < steps; ++i) {
        const DiagonalPoint p = diagonalAt(i, steps, width, height);
        Span& span = m_diagonal[static_cast<size_t>(p.y)];
        span.first = std::min(span.first, p.x);
        span.last = std::max(span.last, p.x);
    }
}

void GuidePlan::drawRow(uint32_t* row, int y) const {
    if (m_bits == 0 || y < 0 || y >= m_height || m_width < 2 || m_height < 2) {
        return;
    }
    for (int i = 0; i < m_rows.count; ++i) {
        const GuideLine& line = m_rows.lines[static_cast<size_t>(i)];
        if (y >= line.first && y < line.first + line.count) {
            for (int x = 0; x < m_width; ++x) {
                lighten(row[x]);
            }
        }
    }
    for (int i = 0; i < m_columns.count; ++i) {
        const GuideLine& line = m_columns.lines[static_cast<size_t>(i)];
        for (int x = line.first; x < std::min(line.first + line.count, m_width); ++x) {
            lighten(row[x]);
        }
    }
    const Span& span = m_diagonal[static_cast<size_t>(y)];
    for (int x = span.first; x <= span.last; ++x) {
        lighten(row[x]);
        const int mirrored = m_width - 1 - x;
        if (mirrored != x) {
            lighten(row[mirrored]);
        }
    }
}

void GuidePlan::prefetchRow(const uint32_t* row, int y) const {
    if (m_bits == 0 || y < 0 || y >= m_height) {
        return;
    }
    for (int i = 0; i < m_columns.count; ++i) {
        __builtin_prefetch(row + m_columns.lines[static_cast<size_t>(i)].first, 1);
    }
    const Span& span = m_diagonal[static_cast<size_t>(y)];
    if (span.first <= span.last) {
        __builtin_prefetch(row + span.first, 1);
        __builtin_prefetch(row + (m_width - 1 - span.first), 1);
    }
}

void DrawGuides(QImage& image, int width, int height, int bits) {
    GuidePlan plan;
    plan.prepare(std::min(width, image.width()), std::min(height, image.height()), bits);
    const PixelRows pixels(image);
    for (int y = 0; y < std::min(height, image.height()); ++y) {
        plan.drawRow(pixels.row(y), y);
    }
}

namespace {

// The box of `size` centred on (x, y) within a width x height picture, and
// the rounded mean percentage of what `lumaAt` gives for its pixels.
template <typename LumaAt>
SpotReading meanOfBox(int width, int height, int x, int y, int size, LumaAt lumaAt) {
    SpotReading spot;
    const int half = size / 2;
    spot.box = {std::max(x - half, 0), std::max(y - half, 0), std::min(x - half + size, width),
                std::min(y - half + size, height)};
    if (spot.box.right <= spot.box.left || spot.box.bottom <= spot.box.top) {
        return spot;
    }
    uint64_t sum = 0;
    for (int row = spot.box.top; row < spot.box.bottom; ++row) {
        for (int column = spot.box.left; column < spot.box.right; ++column) {
            sum += lumaAt(column, row);
        }
    }
    const uint64_t pixels = static_cast<uint64_t>(spot.box.right - spot.box.left) *
                            static_cast<uint64_t>(spot.box.bottom - spot.box.top);
    spot.percent = static_cast<int>((sum * 100 * 2 + pixels * 255) / (pixels * 255 * 2));
    return spot;
}

} // namespace

SpotReading SpotMeter(const QImage& image, int x, int y, int size) {
    return meanOfBox(image.width(), image.height(), x, y, size, [&image](int column, int row) {
        return LumaOf(reinterpret_cast<const uint32_t*>(image.constScanLine(row))[column]);
    });
}

SpotReading SpotMeter(const LumaView& luma, int x, int y, int size) {
    return meanOfBox(luma.width, luma.height, x, y, size,
                     [&luma](int column, int row) { return luma.row(row)[column]; });
}

void DrawSpot(QImage& image, const SpotReading& spot) {
    if (spot.percent < 0) {
        return;
    }
    const PixelBox outer{spot.box.left - 1, spot.box.top - 1, spot.box.right + 1,
                         spot.box.bottom + 1};
    FramePixelBox(image, outer, 0xFF000000);
    FramePixelBox(image, spot.box, 0xFFFFFFFF);
}
