#pragma once
// The exposure scale: a label of numbers ("-5  -4 ... +5") under a slider,
// one number per tick, in a fixed-pitch font. The numbers are placed from
// the slider's own tick positions, since a style's tick spacing (handle
// length, rounding) is not a whole number of characters of any font.
#include <QString>

#include <optional>
#include <vector>

class QLabel;
class QSlider;

namespace exposurescale {

// Where the scale text goes: the x of its first character and the extra
// space after every character that makes the character pitch match the
// ticks.
struct TextPlacement {
    int left = 0;
    double letterSpacing = 0.0;
};

// `ticks`: the centre x of each tick, left to right; `text`: one number per
// tick, separated by spaces; `advance`: the width of one character of the
// fixed-pitch font. The character pitch follows the ticks, and the whole-
// pixel left is the one that keeps the worst number nearest its tick (a
// one-digit number sits half a character right of where the two-character
// ones would put it). Nothing when the numbers and ticks do not pair up.
std::optional<TextPlacement> placeText(const std::vector<double>& ticks, const QString& text,
                                       double advance);

// The centre x of each tick of `slider` in its parent's coordinates, as
// the style places the handle at that value.
std::vector<double> tickCentres(const QSlider& slider);

// Moves `scale` and sets its letter spacing so that its numbers sit under
// the ticks of `slider` (both children of one parent). The font's size is
// the caller's; keep it in pixels, as the slider's geometry is.
void alignToSlider(QLabel& scale, const QSlider& slider);

} // namespace exposurescale
