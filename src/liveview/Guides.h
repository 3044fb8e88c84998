#pragma once
// Composition guides over the live image: rule of thirds, golden ratio,
// centre cross and diagonals. A line sits on the pixel that holds its
// position; where the position falls between two pixels (the centre of an
// even size) it is two pixels wide, so every guide is symmetric.
#include "liveview/LiveViewGeometry.h"
#include "liveview/LumaPlane.h"

#include <QImage>

#include <array>
#include <cstdint>
#include <vector>

struct GuideLine {
    int first = 0;
    int count = 0; // 1, or 2 for a position between two pixels
};

// The line at num/den of `size` pixels.
GuideLine GuideAt(int size, int num, int den);

struct GuideSet {
    std::array<GuideLine, 6> lines{};
    int count = 0;
};
// Column (or row) lines of the guides `bits` for a side of `size` pixels.
GuideSet GuideLines(int size, int bits);

// The guides of a frame size, drawn row by row while the aids' pass has the
// row at hand (drawn afterwards, the lines down the frame would fetch every
// row again).
class GuidePlan {
public:
    // For the top-left `width` x `height` pixels; kept while they stay.
    void prepare(int width, int height, int bits);
    bool empty() const { return m_bits == 0; }
    void drawRow(uint32_t* row, int y) const;
    // Asks for the pixels a later row's guides touch: rows far apart in
    // memory are otherwise fetched one miss at a time.
    void prefetchRow(const uint32_t* row, int y) const;

private:
    struct Span {
        int first;
        int last; // < first: none
    };
    int m_width = -1;
    int m_height = -1;
    int m_bits = 0;
    GuideSet m_columns;
    GuideSet m_rows;
    std::vector<Span> m_diagonal; // per row
};

// Draws the guides over the top-left `width` x `height` pixels of the image.
void DrawGuides(QImage& image, int width, int height, int bits);

// Mean luminance of a box of `size` pixels centred on (x, y), clipped to the
// image, in per cent (0 ... 100, rounded); -1 when the box misses the image.
inline constexpr int kSpotSize = 16;
struct SpotReading {
    int percent = -1;
    PixelBox box;
};
SpotReading SpotMeter(const QImage& image, int x, int y, int size = kSpotSize);
SpotReading SpotMeter(const LumaView& luma, int x, int y, int size = kSpotSize);
void DrawSpot(QImage& image, const SpotReading& spot);
