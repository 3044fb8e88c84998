#include "connection/CompensationScaleLayout.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kPixelsPerStop = 20;
constexpr int kPixelsPerStep = 7;
constexpr int kLeftmostStop = -5;
// A camera's compensation spans a few stops in thirds or halves. A range
// beyond these (a damaged answer) is drawn cut to them, not as millions of
// numbers on a slider wider than any screen.
constexpr double kMaxStops = 10.0;
constexpr uint32_t kMaxSteps = 1000;

double boundedStops(double stops) {
    return std::isnan(stops) ? 0.0 : std::clamp(stops, -kMaxStops, kMaxStops);
}

// Whole stops round halves to the even neighbour, as the scale always has.
int roundHalfEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

std::string stopText(int stop) {
    const std::string sign = stop == 0 ? " " : (stop > 0 ? "+" : "");
    return sign + std::to_string(stop) + "  ";
}

} // namespace

ExposureScaleGeometry ExposureScaleLayout(double lower, double upper, uint32_t steps) {
    lower = boundedStops(lower);
    upper = boundedStops(upper);
    steps = std::min(steps, kMaxSteps);
    ExposureScaleGeometry scale;
    for (int stop = roundHalfEven(lower); stop <= roundHalfEven(upper); ++stop) {
        scale.labelText += stopText(stop);
    }
    scale.labelLeft = roundHalfEven(lower - kLeftmostStop) * kPixelsPerStop + 12;
    scale.sliderLeft = scale.labelLeft - 4;
    scale.sliderWidth = static_cast<int>(steps) * kPixelsPerStep + 6;
    scale.maximum = steps > 0 ? static_cast<int>(steps) - 1 : 0;
    return scale;
}
