#pragma once
// The exposure compensation scale: the slider `tbExpoCorr` over the range's
// steps and the label `lExpCom` with a number per whole stop under it,
// twenty pixels a stop, the scale's left edge at -5 stops.
#include <cstdint>
#include <string>

class CameraLink;
struct ShootingControls;

struct ExposureScaleGeometry {
    std::string labelText; // "-3  -2  -1   0  +1  +2  +3  " for -3 ... +3
    int labelLeft = 0;
    int sliderLeft = 0;
    int sliderWidth = 0;
    int maximum = 0; // the last position: steps - 1
};

// The scale for a range from `lower` to `upper` stops in `steps` steps.
ExposureScaleGeometry ExposureScaleLayout(double lower, double upper, uint32_t steps);

// Rebuilds the scale from the range `capId` (the compensation 0x8115 or the
// movie compensation 0x8339) and puts the slider at its value index. The
// camera holds that value already: the slider's handler does not write it.
void SettbExpoCorr(CameraLink& link, const ShootingControls& shooting, uint32_t capId);
