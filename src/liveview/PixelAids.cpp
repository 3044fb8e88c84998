#include "liveview/PixelAids.h"

#include "liveview/PixelRows.h"
#include "liveview/VectorLoops.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// What the zebras and peaking make of a pixel of the row, as a code: 0
// stays, else an index into the row's colours. Codes are worked out on bytes, 32 pixels at a time,
// and only the pixels that change are written.
constexpr uint8_t kKeep = 0;
constexpr uint8_t kHighlight = 1;
constexpr uint8_t kShadow = 2;
constexpr uint8_t kEdge = 3; // has every bit of the others: or-ing it in wins

// Half the difference, so that two of them add up within a byte.
inline uint8_t halfDiff(uint8_t a, uint8_t b) {
    return static_cast<uint8_t>((std::max(a, b) - std::min(a, b)) >> 1);
}

// Stripes over the pixels at or above `high`: the stripe bytes are 0xFF on
// a stripe, so that everything stays in bytes, 32 pixels at a time.
VANTORA_VECTOR_LOOP
void highlightCodes(const uint8_t* __restrict luma, const uint8_t* __restrict stripes,
                    uint8_t* __restrict code, int width, uint8_t high) {
    for (int x = 0; x < width; ++x) {
        const uint8_t stripe = stripes[x]; // loaded always: a select, not a branch
        code[x] = (luma[x] >= high ? stripe : 0) & kHighlight;
    }
}

// Shadow stripes, added to the highlight codes (no pixel is both).
VANTORA_VECTOR_LOOP
void shadowCodes(const uint8_t* __restrict luma, const uint8_t* __restrict stripes,
                 uint8_t* __restrict code, int width, uint8_t low) {
    for (int x = 0; x < width; ++x) {
        const uint8_t stripe = stripes[x];
        code[x] = static_cast<uint8_t>(code[x] | ((luma[x] <= low ? stripe : 0) & kShadow));
    }
}

// Marks the pixels whose edge strength is above `threshold`; the first and
// last pixel of the row stay unmarked.
VANTORA_VECTOR_LOOP
void edgeCodes(const uint8_t* __restrict up, const uint8_t* __restrict mid,
               const uint8_t* __restrict down, uint8_t* __restrict code, int width,
               uint8_t threshold) {
    for (int x = 1; x < width - 1; ++x) {
        const auto strength =
            static_cast<uint8_t>(halfDiff(mid[x + 1], mid[x - 1]) + halfDiff(down[x], up[x]));
        code[x] = static_cast<uint8_t>(code[x] | (strength > threshold ? kEdge : kKeep));
    }
}

// False colour and the codes together: a coded pixel takes its code's
// colour (entries 256 on of the table), every other one its palette colour.
// Plain loads without branches.
VANTORA_SCALAR_LOOP
void paletteCodeRow(const uint8_t* __restrict luma, const uint8_t* __restrict code,
                    uint32_t* __restrict pixels, const uint32_t* __restrict table, int width) {
    for (int x = 0; x < width; ++x) {
        const uint32_t c = code[x];
        const uint32_t l = luma[x];
        const uint32_t coded = (c + 3u) >> 2; // 1 for the codes 1 ... 3
        pixels[x] = table[l + coded * (255u + c - l)];
    }
}

// Writes the colours of the coded pixels of one run, by selects rather than
// a table (a vectorised table lookup is a slow gather).
VANTORA_VECTOR_LOOP
void applyRun(const uint8_t* __restrict code, uint32_t* __restrict pixels, int count,
              uint32_t highlight, uint32_t shadow, uint32_t edge) {
    for (int x = 0; x < count; ++x) {
        const uint32_t c = code[x];
        uint32_t pixel = pixels[x];
        pixel = c == kHighlight ? highlight : pixel;
        pixel = c == kShadow ? shadow : pixel;
        pixel = c == kEdge ? edge : pixel;
        pixels[x] = pixel;
    }
}

// The row in runs of 64 pixels; a run without codes is passed over.
void applyCodes(const uint8_t* code, uint32_t* pixels, int width, uint32_t highlight,
                uint32_t shadow, uint32_t edge) {
    constexpr int kRun = 64;
    for (int x = 0; x < width; x += kRun) {
        const int count = std::min(kRun, width - x);
        uint64_t any = 0;
        for (int i = 0; i + 8 <= count; i += 8) {
            uint64_t eight = 0;
            std::memcpy(&eight, code + x + i, sizeof eight);
            any |= eight;
        }
        if (any == 0 && count == kRun) {
            continue;
        }
        applyRun(code + x, pixels + x, count, highlight, shadow, edge);
    }
}

VANTORA_SCALAR_LOOP
void paletteRow(const uint8_t* __restrict luma, uint32_t* __restrict pixels,
                const uint32_t* __restrict palette, int width) {
    for (int x = 0; x < width; ++x) {
        pixels[x] = palette[luma[x]];
    }
}

} // namespace

uint32_t FalseColourOf(uint8_t luma) {
    using namespace falsecolour;
    if (luma <= kShadowsTop) {
        return aidcolours::kClippedShadows;
    }
    if (luma >= kHighlightsLow) {
        return aidcolours::kClippedHighlights;
    }
    if (luma >= kMidGreyLow && luma <= kMidGreyHigh) {
        return aidcolours::kMidGrey;
    }
    if (luma >= kSkinLow && luma <= kSkinHigh) {
        return aidcolours::kSkin;
    }
    const uint32_t grey = luma * 3u / 4u;
    return 0xFF000000u | grey << 16 | grey << 8 | grey;
}

uint32_t PeakingRgb(PeakingColour colour) {
    switch (colour) {
    case PeakingColour::Green:
        return 0xFF00FF00;
    case PeakingColour::White:
        return 0xFFFFFFFF;
    case PeakingColour::Red:
        break;
    }
    return 0xFFFF0000;
}

const uint8_t* AidFramePass::lumaRow(int y) const {
    if (m_decoded.valid()) {
        return m_decoded.row(y);
    }
    return m_luma.data() + static_cast<size_t>(y % 3) * static_cast<size_t>(m_width);
}

void AidFramePass::computeLuma(const QImage& image, int y) {
    LumaRow(reinterpret_cast<const uint32_t*>(image.constScanLine(y)),
            m_luma.data() + static_cast<size_t>(y % 3) * static_cast<size_t>(m_width), m_width);
}

int AidFramePass::run(QImage& image, const AidSettings& s, const Scopes& scopes, LumaView decoded,
                      const GuidePlan* guides) {
    m_width = image.width();
    const int height = image.height();
    m_marked = 0;
    if (m_width < 1 || height < 1) {
        return 0;
    }
    m_decoded = decoded.valid() && decoded.width == m_width && decoded.height == height
                    ? decoded
                    : LumaView();
    if (!m_tableReady) {
        for (int level = 0; level < 256; ++level) {
            m_table[static_cast<size_t>(level)] = FalseColourOf(static_cast<uint8_t>(level));
        }
        m_table[255 + kHighlight] = aidcolours::kZebraHighlight;
        m_table[255 + kShadow] = aidcolours::kZebraShadow;
        m_tableReady = true;
    }
    m_luma.resize(3 * static_cast<size_t>(m_width));
    m_codes.resize(static_cast<size_t>(m_width));
    prepareStripes();
    if (scopes.waveform != nullptr) {
        m_waveformCounter.start(m_width, *scopes.waveform);
    }
    const bool computeRows = s.needsLuma() && !m_decoded.valid();
    if (computeRows) {
        computeLuma(image, 0);
    }
    const PixelRows rows(image);
    for (int y = 0; y < height; ++y) {
        if (computeRows && y + 1 < height) {
            computeLuma(image, y + 1); // before row y is painted: peaking reads it as it was
        }
        uint32_t* pixels = rows.row(y);
        if (guides != nullptr) {
            constexpr int kAhead = 8;
            if (y + kAhead < height) {
                guides->prefetchRow(rows.row(y + kAhead), y + kAhead);
            }
            guides->drawRow(rows.row(std::max(y - 1, 0)), y - 1); // finished: peaking has read it
        }
        if (scopes.histogram != nullptr && ScopeRow(y)) {
            CountHistogramRow(lumaRow(y), pixels, m_width, *scopes.histogram);
        }
        if (scopes.waveform != nullptr && WaveformRow(y)) {
            m_waveformCounter.countRow(lumaRow(y), *scopes.waveform);
        }
        if (s.paintsPixels()) {
            paintRow(pixels, y, height, s);
        }
    }
    if (guides != nullptr) {
        guides->drawRow(rows.row(height - 1), height - 1);
    }
    return m_marked;
}

// Stripe bytes for a row at every phase (width + 8).
void AidFramePass::prepareStripes() {
    const size_t phased = static_cast<size_t>(m_width) + 8;
    if (m_stripes.size() == phased) {
        return;
    }
    m_stripes.assign(phased, 0);
    for (size_t i = 0; i < phased; ++i) {
        m_stripes[i] = (i & 4) != 0 ? 0xFF : 0;
    }
}

void AidFramePass::paintRow(uint32_t* pixels, int y, int height, const AidSettings& s) {
    const uint8_t* luma = lumaRow(y);
    const int width = m_width;
    const bool edges = s.peaking && y > 0 && y < height - 1 && width > 2;
    if (!s.zebras && !edges) {
        if (s.falseColour) {
            paletteRow(luma, pixels, m_table.data(), width);
        }
        return;
    }
    uint8_t* code = m_codes.data();
    if (s.zebras) {
        // HighlightStripe(x, y) is stripes[x + y % 8], ShadowStripe(x, y)
        // stripes[x + (8 - y % 8) % 8].
        const uint8_t* stripes = m_stripes.data();
        highlightCodes(luma, stripes + (y & 7), code, width,
                       static_cast<uint8_t>(std::min(LevelOfPercent(s.zebraLevel), 255)));
        if (s.shadowLevel > 0) {
            shadowCodes(luma, stripes + ((8 - (y & 7)) & 7), code, width,
                        static_cast<uint8_t>(std::min(LevelOfPercent(s.shadowLevel), 255)));
        }
    } else {
        std::memset(code, kKeep, static_cast<size_t>(width));
    }
    const uint32_t edgeColour = PeakingRgb(s.peakingColour);
    if (edges) {
        edgeCodes(lumaRow(y - 1), luma, lumaRow(y + 1), code, width,
                  static_cast<uint8_t>(std::clamp(s.peakingThreshold, 0, 254)));
        if (ScopeRow(y)) {
            m_marked += static_cast<int>(std::count(code, code + width, kEdge));
        }
    }
    if (s.falseColour) {
        m_table[255 + kEdge] = edgeColour;
        paletteCodeRow(luma, code, pixels, m_table.data(), width);
        return;
    }
    applyCodes(code, pixels, width, aidcolours::kZebraHighlight, aidcolours::kZebraShadow,
               edgeColour);
}
