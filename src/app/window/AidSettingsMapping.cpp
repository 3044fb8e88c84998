#include "app/window/AidSettingsMapping.h"

#include <algorithm>
#include <functional>
#include <utility>

// Levels and colours outside what the row offers fall back to the row's
// defaults there; kinds are mapped here.
AidSettings aidsFromSaved(const SavedAids& saved) {
    AidSettings a;
    a.histogram = saved.histogram == 1 || saved.histogram == 2;
    a.histogramKind = saved.histogram == 2 ? HistogramKind::Rgb : HistogramKind::Luminance;
    a.waveform = saved.waveform;
    a.zebras = saved.zebras;
    a.zebraLevel = saved.zebraLevel;
    a.shadowLevel = saved.shadowLevel;
    a.peaking = saved.peaking;
    a.peakingColour = static_cast<PeakingColour>(std::clamp(saved.peakingColour, 0, 2));
    a.peakingThreshold = saved.peakingThreshold;
    a.guides = saved.guides & kGuideAll;
    a.spot = saved.spot;
    a.falseColour = saved.falseColour;
    return a;
}

SavedAids savedFromAids(const AidSettings& a) {
    SavedAids saved;
    saved.histogram = !a.histogram ? 0 : a.histogramKind == HistogramKind::Rgb ? 2 : 1;
    saved.waveform = a.waveform;
    saved.zebras = a.zebras;
    saved.zebraLevel = a.zebraLevel;
    saved.shadowLevel = a.shadowLevel;
    saved.peaking = a.peaking;
    saved.peakingColour = static_cast<int>(a.peakingColour);
    saved.peakingThreshold = a.peakingThreshold;
    saved.guides = a.guides;
    saved.spot = a.spot;
    saved.falseColour = a.falseColour;
    return saved;
}

namespace {

using AidSwitch = std::function<void(AidSettings&)>;

const std::pair<const char*, AidSwitch>* aidSwitches(size_t& count) {
    static const std::pair<const char*, AidSwitch> switches[] = {
        {"histogram", [](AidSettings& a) { a.histogram = true; }},
        {"rgb-histogram",
         [](AidSettings& a) {
             a.histogram = true;
             a.histogramKind = HistogramKind::Rgb;
         }},
        {"waveform", [](AidSettings& a) { a.waveform = true; }},
        {"zebras", [](AidSettings& a) { a.zebras = true; }},
        {"peaking", [](AidSettings& a) { a.peaking = true; }},
        {"false-colour", [](AidSettings& a) { a.falseColour = true; }},
        {"spot", [](AidSettings& a) { a.spot = true; }},
        {"thirds", [](AidSettings& a) { a.guides |= kGuideThirds; }},
        {"golden", [](AidSettings& a) { a.guides |= kGuideGolden; }},
        {"cross", [](AidSettings& a) { a.guides |= kGuideCross; }},
        {"diagonals", [](AidSettings& a) { a.guides |= kGuideDiagonals; }},
    };
    count = std::size(switches);
    return switches;
}

const AidSwitch* findSwitch(const QString& name) {
    size_t count = 0;
    const auto* switches = aidSwitches(count);
    for (size_t i = 0; i < count; ++i) {
        if (name == QLatin1String(switches[i].first)) {
            return &switches[i].second;
        }
    }
    return nullptr;
}

} // namespace

bool isAidName(const QString& name) {
    return findSwitch(name) != nullptr;
}

AidSettings withAidsOn(AidSettings base, const QStringList& names) {
    base.histogram = base.waveform = base.zebras = base.peaking = false;
    base.falseColour = base.spot = false;
    base.guides = 0;
    for (const QString& name : names) {
        if (const AidSwitch* on = findSwitch(name)) {
            (*on)(base);
        }
    }
    return base;
}
