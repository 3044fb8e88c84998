#pragma once
// The light a simulated body meters: pure functions from the scene and the
// exposure settings to the meter reading and the blinking warning.
#include <cstdint>
#include <string>

namespace vsim {

// Beyond this many stops either way the body warns that it cannot expose
// correctly: shutter speed and aperture blink.
constexpr double kMeterWarningStops = 3.0;

// Slow swing of a moving scene (clouds passing), in stops at `step`; one
// full swing takes kDriftPeriodSteps metering steps.
constexpr uint32_t kDriftPeriodSteps = 60;
double sceneDrift(uint64_t step);

// Exposure of the settings in stops, relative to 1/250 s at f/5.6 and ISO
// 100 (the power-on settings); texts as the body's lists print them. A text
// that names no time or f-number ("Bulb") counts as the power-on setting.
double settingsStops(const std::string& shutter, const std::string& aperture, uint32_t iso);

// The meter shows thirds of a stop.
double meterReading(double stops);

// Blinking status bits for a reading in exposure mode `mode` (0 P, 1 A,
// 2 S, 3 M): the setting the body chooses itself blinks (bit 0 shutter,
// bit 1 aperture); in P and M both do. 0 while the exposure is in range.
uint32_t blinkingBits(uint32_t mode, double reading);

} // namespace vsim
