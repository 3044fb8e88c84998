#include "connection/CompensationScale.h"

#include "camera/CameraLink.h"
#include "camera/CapabilityValues.h"
#include "widgets/ExposureScale.h"
#include "widgets/WindowControls.h"

#include <QSignalBlocker>

#include <cmath>

namespace {

constexpr int kPixelsPerStop = 20;
constexpr int kPixelsPerStep = 7;
constexpr int kLeftmostStop = -5;

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

void SettbExpoCorr(CameraLink& link, const ShootingControls& shooting, uint32_t capId) {
    orv::RangeRecord range{};
    if (!link.values().readRange(link.CurrentSource(), capId, range)) {
        return;
    }
    const ExposureScaleGeometry scale = ExposureScaleLayout(range.lower, range.upper, range.steps);
    QLabel* label = shooting.lExpCom;
    QSlider* slider = shooting.tbExpoCorr;
    label->setText(QString::fromStdString(scale.labelText));
    label->move(scale.labelLeft, label->y());
    const QSignalBlocker quiet(slider);
    slider->setMaximum(scale.maximum);
    slider->setGeometry(scale.sliderLeft, slider->y(), scale.sliderWidth, slider->height());
    slider->setValue(static_cast<int>(range.valueIndex));
    // The style's ticks are not a whole number of characters apart: the
    // numbers are fitted to where the ticks really are.
    exposurescale::alignToSlider(*label, *slider);
}
