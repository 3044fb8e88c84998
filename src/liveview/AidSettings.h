#pragma once
// What the live view aids show, as the "Aids" row sets it and the settings
// file keeps it. Every aid is off until the user switches it on.
#include <cstdint>

enum class HistogramKind : int { Luminance = 0, Rgb = 1 };
enum class PeakingColour : int { Red = 0, Green = 1, White = 2 };

// Guides can be combined: one bit each.
enum GuideBits : int {
    kGuideThirds = 1,
    kGuideGolden = 2,
    kGuideCross = 4,
    kGuideDiagonals = 8,
    kGuideAll = 15,
};

struct AidSettings {
    bool histogram = false;
    HistogramKind histogramKind = HistogramKind::Luminance;
    bool waveform = false;
    bool zebras = false;
    int zebraLevel = 98; // per cent: stripes at and above it
    int shadowLevel = 0; // per cent: stripes at and below it; 0 = none
    bool peaking = false;
    PeakingColour peakingColour = PeakingColour::Red;
    int peakingThreshold = 40; // edge strength above which a pixel is tinted
    int guides = 0;            // GuideBits
    bool spot = false;
    bool falseColour = false;

    bool anyOn() const {
        return histogram || waveform || zebras || peaking || guides != 0 || spot || falseColour;
    }
    bool needsLuma() const { return histogram || waveform || zebras || peaking || falseColour; }
    bool paintsPixels() const { return zebras || peaking || falseColour; }
    bool operator==(const AidSettings&) const = default;
};

// A luminance level (0 ... 255) for a percentage, rounded.
constexpr int LevelOfPercent(int percent) {
    return (percent * 255 + 50) / 100;
}
