#pragma once
// The aids that change the live image's own pixels: false colour (the image
// in a luminance palette), zebra stripes over highlights and shadows, and
// focus peaking (edges tinted). All three read the frame's luminance as it
// was before anything was painted.
#include "liveview/AidSettings.h"
#include "liveview/Guides.h"
#include "liveview/LumaPlane.h"
#include "liveview/Scopes.h"

#include <QImage>

#include <array>
#include <cstdint>
#include <vector>

namespace aidcolours {
constexpr uint32_t kZebraHighlight = 0xFF000000;
constexpr uint32_t kZebraShadow = 0xFF2060FF;
constexpr uint32_t kClippedShadows = 0xFF8000C0;
constexpr uint32_t kMidGrey = 0xFF20C040;
constexpr uint32_t kSkin = 0xFFFF90B0;
constexpr uint32_t kClippedHighlights = 0xFFFF2020;
} // namespace aidcolours

// The false colour bands, in luminance levels (inclusive).
namespace falsecolour {
constexpr int kShadowsTop = 5;      // up to 2 %
constexpr int kMidGreyLow = 107;    // 42 % ...
constexpr int kMidGreyHigh = 122;   // ... 48 %: an 18 % grey card
constexpr int kSkinLow = 140;       // 55 % ...
constexpr int kSkinHigh = 166;      // ... 65 %
constexpr int kHighlightsLow = 250; // 98 % and above
} // namespace falsecolour

// The colour false colour gives a luminance: a band's colour, else a
// darkened grey so that the bands stand out.
uint32_t FalseColourOf(uint8_t luma);

// Diagonal stripes four pixels wide: highlights lean one way, shadows the
// other, so the two can be told apart where they meet.
constexpr bool HighlightStripe(int x, int y) {
    return ((x + y) & 4) != 0;
}
constexpr bool ShadowStripe(int x, int y) {
    return ((x - y) & 4) != 0;
}

uint32_t PeakingRgb(PeakingColour colour);

// One pass over the frame, row by row while the row is in the cache: its
// luminance (one row ahead, for peaking), the scopes' counts of the row as
// decoded, then false colour, zebras and peaking painted into it.
class AidFramePass {
public:
    // Where the scopes count (none: that scope is off).
    struct Scopes {
        Histogram* histogram = nullptr;
        Waveform* waveform = nullptr;
    };
    // Runs the aids `settings` switches on over `image`, counting the scopes
    // as it goes. `decoded` is the frame's luminance when the decoder has it
    // (else it is computed from the pixels). Returns how many pixels
    // peaking marked on the rows the scopes sample (every fourth).
    // `guides` are drawn on each row once it is finished with.
    int run(QImage& image, const AidSettings& settings, const Scopes& scopes, LumaView decoded = {},
            const GuidePlan* guides = nullptr);

private:
    void paintRow(uint32_t* pixels, int y, int height, const AidSettings& s);
    const uint8_t* lumaRow(int y) const;
    void computeLuma(const QImage& image, int y);
    void prepareStripes();

    // The false colour palette, then the colours of the codes 1 ... 3.
    std::array<uint32_t, 259> m_table{};
    bool m_tableReady = false;
    LumaView m_decoded;
    std::vector<uint8_t> m_luma; // three rows, by y % 3, when not decoded
    std::vector<uint8_t> m_codes;
    std::vector<uint8_t> m_stripes;
    int m_width = 0;
    int m_marked = 0;
    WaveformCounter m_waveformCounter;
};
