#include "SimScene.h"

#include <cmath>
#include <cstdlib>

namespace vsim {

namespace {

constexpr double kDriftStops = 3.5; // reaches past the warning now and then
constexpr double kReferenceTime_s = 1.0 / 250.0;
constexpr double kReferenceFNumber = 5.6;
constexpr double kReferenceIso = 100.0;
constexpr uint32_t kBlinkShutter = 0x01;
constexpr uint32_t kBlinkAperture = 0x02;

// "1/250" and "30\"" (seconds); 0 for anything else.
double exposureTime(const std::string& text) {
    if (text.rfind("1/", 0) == 0) {
        const double denominator = std::strtod(text.c_str() + 2, nullptr);
        return denominator > 0 ? 1.0 / denominator : 0.0;
    }
    if (!text.empty() && text.back() == '"') {
        return std::strtod(text.c_str(), nullptr);
    }
    return 0.0;
}

} // namespace

double sceneDrift(uint64_t step) {
    constexpr double kTwoPi = 6.283185307179586;
    const double phase = static_cast<double>(step % kDriftPeriodSteps) / kDriftPeriodSteps;
    return kDriftStops * std::sin(kTwoPi * phase);
}

double settingsStops(const std::string& shutter, const std::string& aperture, uint32_t iso) {
    double stops = 0.0;
    if (const double t = exposureTime(shutter); t > 0) {
        stops += std::log2(t / kReferenceTime_s);
    }
    if (const double f = std::strtod(aperture.c_str(), nullptr); f > 0) {
        stops -= 2.0 * std::log2(f / kReferenceFNumber);
    }
    if (iso > 0) {
        stops += std::log2(iso / kReferenceIso);
    }
    return stops;
}

double meterReading(double stops) {
    return std::round(stops * 3.0) / 3.0;
}

uint32_t blinkingBits(uint32_t mode, double reading) {
    if (std::abs(reading) <= kMeterWarningStops) {
        return 0;
    }
    switch (mode) {
    case 1:
        return kBlinkShutter; // aperture priority: the body picks the time
    case 2:
        return kBlinkAperture; // shutter priority: the body picks the aperture
    default:
        return kBlinkShutter | kBlinkAperture;
    }
}

} // namespace vsim
