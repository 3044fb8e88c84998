#include "liveview/PixelAids.h"

#include "liveview/VectorLoops.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// What a pixel of the row becomes, as a code: 0 stays, else an index into
// the row's colours. Codes are worked out on bytes, 32 pixels at a time,
// and only the pixels that change are written.
constexpr uint8_t kKeep = 0;
constexpr uint8_t kHighlight = 1;
constexpr uint8_t kShadow = 2;
constexpr uint8_t kEdge = 3;

// Half the difference, so that two of them add up within a byte.
inline uint8_t halfDiff(uint8_t a, uint8_t b) {
    return static_cast<uint8_t>((std::max(a, b) - std::min(a, b)) >> 1);
}

// What the zebras and peaking make of a row, as codes. The stripes come as
// rows of bytes (0xFF on a stripe), so that everything stays in bytes and
// the loop handles 32 pixels at a time; an all-zero stripe row switches
// that zebra off, a threshold of 255 peaking (the strength never gets there).
struct CodeRule {
    const uint8_t* highStripes = nullptr;
    uint8_t high = 255;
    const uint8_t* shadowStripes = nullptr;
    uint8_t low = 0;
    uint8_t threshold = 255;
};

inline uint8_t codeOf(uint8_t luma, uint8_t highStripe, uint8_t shadowStripe, uint8_t strength,
                      const CodeRule& r) {
    const uint8_t highlight = (luma >= r.high ? highStripe : 0) & kHighlight;
    const uint8_t shadow = (luma <= r.low ? shadowStripe : 0) & kShadow;
    const uint8_t zebra = highlight != 0 ? highlight : shadow;
    // kEdge has every bit of the other codes: or-ing it in wins over them.
    return static_cast<uint8_t>(zebra | (strength > r.threshold ? kEdge : kKeep));
}

// The codes of a row whose neighbours above and below are `up` and `down`;
// the first and last pixel have no edge strength.
VANTORA_VECTOR_LOOP
void codeRow(const uint8_t* __restrict up, const uint8_t* __restrict mid,
             const uint8_t* __restrict down, uint8_t* __restrict code, int width, CodeRule r) {
    const uint8_t* __restrict high = r.highStripes;
    const uint8_t* __restrict shadow = r.shadowStripes;
    code[0] = codeOf(mid[0], high[0], shadow[0], 0, r);
    for (int x = 1; x < width - 1; ++x) {
        const auto strength =
            static_cast<uint8_t>(halfDiff(mid[x + 1], mid[x - 1]) + halfDiff(down[x], up[x]));
        code[x] = codeOf(mid[x], high[x], shadow[x], strength, r);
    }
    if (width > 1) {
        code[width - 1] = codeOf(mid[width - 1], high[width - 1], shadow[width - 1], 0, r);
    }
}

// False colour and the codes together: a coded pixel takes its code's
// colour (entries 256 on of the table), every other one its palette colour.
SCALAR_LOOP
int paletteCodeRow(const uint8_t* __restrict luma, const uint8_t* __restrict code,
                   uint32_t* __restrict pixels, const uint32_t* __restrict table, int width) {
    // Written without branches, so that it vectorises.
    uint32_t edges = 0;
    for (int x = 0; x < width; ++x) {
        const uint32_t c = code[x];
        const uint32_t l = luma[x];
        const uint32_t coded = (c + 3u) >> 2; // 1 for the codes 1 ... 3
        pixels[x] = table[l + coded * (255u + c - l)];
        edges += (c >> 1) & c & 1u; // 1 for kEdge only
    }
    return static_cast<int>(edges);
}

// Writes the colours of the coded pixels, skipping runs of eight that keep
// theirs; within a run without branches, as edges come in noisy runs.
// Returns how many pixels are edges.
SCALAR_LOOP
int applyCodes(const uint8_t* code, uint32_t* pixels, int width,
               const std::array<uint32_t, 4>& colours) {
    uint32_t edges = 0;
    const auto apply = [&](int i) {
        const uint32_t c = code[i];
        const uint32_t keep = 0u - static_cast<uint32_t>(c == kKeep);
        pixels[i] = (pixels[i] & keep) | (colours[c] & ~keep);
        edges += (c >> 1) & c & 1u; // 1 for kEdge only
    };
    int x = 0;
    for (; x + 8 <= width; x += 8) {
        uint64_t run = 0;
        std::memcpy(&run, code + x, sizeof run);
        if (run == 0) {
            continue;
        }
        for (int i = x; i < x + 8; ++i) {
            apply(i);
        }
    }
    for (; x < width; ++x) {
        apply(x);
    }
    return static_cast<int>(edges);
}

SCALAR_LOOP
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

int EdgeStrength(const LumaPlane& luma, int x, int y) {
    if (x <= 0 || y <= 0 || x >= luma.width() - 1 || y >= luma.height() - 1) {
        return 0;
    }
    return halfDiff(luma.at(x + 1, y), luma.at(x - 1, y)) +
           halfDiff(luma.at(x, y + 1), luma.at(x, y - 1));
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

int AidFramePass::run(QImage& image, const AidSettings& s, const Scopes& scopes, LumaView decoded) {
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
        m_table[256 + kHighlight - 1] = aidcolours::kZebraHighlight;
        m_table[256 + kShadow - 1] = aidcolours::kZebraShadow;
        m_tableReady = true;
    }
    m_luma.resize(3 * static_cast<size_t>(m_width));
    m_codes.resize(static_cast<size_t>(m_width));
    prepareStripes();
    if (scopes.waveform != nullptr) {
        m_waveformCounter.start(m_width, *scopes.waveform);
    }
    if (!m_decoded.valid()) {
        computeLuma(image, 0);
    }
    for (int y = 0; y < height; ++y) {
        if (!m_decoded.valid() && y + 1 < height) {
            computeLuma(image, y + 1); // before row y is painted: peaking reads it as it was
        }
        auto* pixels = reinterpret_cast<uint32_t*>(image.scanLine(y));
        if (ScopeRow(y)) {
            if (scopes.histogram != nullptr) {
                CountHistogramRow(lumaRow(y), pixels, m_width, *scopes.histogram);
            }
            if (scopes.waveform != nullptr) {
                m_waveformCounter.countRow(lumaRow(y), *scopes.waveform);
            }
        }
        paintRow(pixels, y, height, s);
    }
    return m_marked;
}

// Stripe bytes for a row at every phase (width + 8), then a zero row.
void AidFramePass::prepareStripes() {
    const size_t phased = static_cast<size_t>(m_width) + 8;
    if (m_stripes.size() == 2 * phased) {
        return;
    }
    m_stripes.assign(2 * phased, 0);
    for (size_t i = 0; i < phased; ++i) {
        m_stripes[i] = (i & 4) != 0 ? 0xFF : 0;
    }
}

void AidFramePass::paintRow(uint32_t* pixels, int y, int height, const AidSettings& s) {
    const uint8_t* luma = lumaRow(y);
    const int width = m_width;
    const bool edges = s.peaking && y > 0 && y < height - 1;
    if (!s.zebras && !edges) {
        if (s.falseColour) {
            paletteRow(luma, pixels, m_table.data(), width);
        }
        return;
    }
    CodeRule rule;
    const uint8_t* none = m_stripes.data() + m_width + 8; // all zero
    rule.highStripes = none;
    rule.shadowStripes = none;
    if (s.zebras) {
        // HighlightStripe(x, y) is stripes[x + y % 8], ShadowStripe(x, y)
        // stripes[x + (8 - y % 8) % 8].
        rule.highStripes = m_stripes.data() + (y & 7);
        rule.high = static_cast<uint8_t>(std::min(LevelOfPercent(s.zebraLevel), 255));
        if (s.shadowLevel > 0) {
            rule.shadowStripes = m_stripes.data() + ((8 - (y & 7)) & 7);
            rule.low = static_cast<uint8_t>(std::min(LevelOfPercent(s.shadowLevel), 255));
        }
    }
    if (edges) {
        rule.threshold = static_cast<uint8_t>(std::clamp(s.peakingThreshold, 0, 254));
    }
    uint8_t* code = m_codes.data();
    codeRow(y > 0 ? lumaRow(y - 1) : luma, luma, y + 1 < height ? lumaRow(y + 1) : luma, code,
            width, rule);
    m_table[256 + kEdge - 1] = PeakingRgb(s.peakingColour);
    if (s.falseColour) {
        m_marked += paletteCodeRow(luma, code, pixels, m_table.data(), width);
        return;
    }
    m_marked += applyCodes(
        code, pixels, width,
        {0, aidcolours::kZebraHighlight, aidcolours::kZebraShadow, PeakingRgb(s.peakingColour)});
}
