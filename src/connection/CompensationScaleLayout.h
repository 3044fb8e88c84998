#pragma once
// Where the exposure compensation scale's numbers and slider go for a range
// of the camera: twenty pixels a stop, the scale's left edge at -5 stops.
// A pure function of the range the camera reports, kept apart from the
// widgets so that any range a camera can send is tried on it alone.
#include <cstdint>
#include <string>

struct ExposureScaleGeometry {
    std::string labelText; // "-3  -2  -1   0  +1  +2  +3  " for -3 ... +3
    int labelLeft = 0;
    int sliderLeft = 0;
    int sliderWidth = 0;
    int maximum = 0; // the last position: steps - 1
};

// The scale for a range from `lower` to `upper` stops in `steps` steps. The
// bounds are cut to +-10 stops (NaN counts as 0), the steps to 1000.
ExposureScaleGeometry ExposureScaleLayout(double lower, double upper, uint32_t steps);
