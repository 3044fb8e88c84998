#pragma once
// The exposure compensation scale: the slider `tbExpoCorr` over the range's
// steps and the label `lExpCom` with a number per whole stop under it, laid
// out by ExposureScaleLayout.
#include "connection/CompensationScaleLayout.h"

#include <cstdint>

class CameraLink;
struct ShootingControls;

// Rebuilds the scale from the range `capId` (the compensation 0x8115 or the
// movie compensation 0x8339) and puts the slider at its value index. The
// camera holds that value already: the slider's handler does not write it.
void SettbExpoCorr(CameraLink& link, const ShootingControls& shooting, uint32_t capId);
