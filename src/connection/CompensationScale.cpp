#include "connection/CompensationScale.h"

#include "camera/CameraLink.h"
#include "camera/CapabilityValues.h"
#include "widgets/ExposureScale.h"
#include "widgets/WindowControls.h"

#include <QSignalBlocker>

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
