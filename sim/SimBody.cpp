#include "SimBody.h"

#include "SimLiveView.h"
#include "SimRecording.h"
#include "SimResult.h"
#include "SimScene.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vsim {

namespace {

constexpr uint32_t kModeManual = 3;   // exposure mode M
constexpr uint32_t kAfModeManual = 2; // AF mode MF
constexpr uint32_t kShotsPerBatteryPercent = 20;
constexpr char kBulb[] = "Bulb";

bool isDial(uint32_t capId) {
    return capId == orv::kCapExposureMode || capId == orv::kCapShutterSpeed ||
           capId == orv::kCapAperture || capId == orv::kCapSensitivity;
}

} // namespace

// ---- Dials, scene and meter -------------------------------------------------

bool SimBody::turnDial(uint32_t capId, int32_t steps) {
    SimCapability* cap = find(capId);
    if (!isDial(capId) || cap == nullptr || cap->valueType != orv::kVtEnum ||
        cap->enumEntries() == 0) {
        return false;
    }
    if (capId == orv::kCapShutterSpeed && !cap->allows(orv::kOpSet)) {
        return false; // the shutter speed lock holds the dial
    }
    const int64_t last = static_cast<int64_t>(cap->enumEntries()) - 1;
    const auto index =
        static_cast<uint32_t>(std::clamp<int64_t>(int64_t{cap->currentIndex} + steps, 0, last));
    if (index == cap->currentIndex) {
        return false;
    }
    cap->currentIndex = index;
    valueChanged(capId);
    meter();
    return true;
}

void SimBody::setSceneBrightness(double stops) {
    m_camera.body().sceneStops = stops;
    meter();
}

void SimBody::meter() {
    SimCapability* status = find(orv::kCapExposureStatus);
    if (status == nullptr || status->valueType != orv::kVtFloat) {
        return;
    }
    const double reading = meterReading(sceneLight());
    if (std::abs(reading - status->f) > 1e-9) {
        status->f = reading;
        valueChanged(orv::kCapExposureStatus);
    }
    SimCapability* blinking = find(orv::kCapBlinkingStatus);
    const uint32_t bits = blinkingBits(enumValue(orv::kCapExposureMode), reading);
    if (blinking != nullptr && blinking->valueType == orv::kVtUnsigned && blinking->u != bits) {
        blinking->u = bits;
        valueChanged(orv::kCapBlinkingStatus);
    }
}

// In P, A and S the body sets the free values itself, so only the scene
// moves the meter; in M the settings count too.
double SimBody::sceneLight() {
    double stops = m_camera.body().sceneStops + sceneDrift(m_world.sceneStep());
    if (enumValue(orv::kCapExposureMode) == kModeManual) {
        stops += settingsStops(enumText(orv::kCapShutterSpeed), enumText(orv::kCapAperture),
                               enumValue(orv::kCapSensitivity));
    }
    return stops;
}

// ---- Battery, live view, card and switches ------------------------------------

bool SimBody::drainBattery(int32_t percent) {
    SimCapability* level = find(orv::kCapBatteryLevel);
    if (level == nullptr || level->valueType != orv::kVtInteger || percent < 0 || level->i <= 0) {
        return false;
    }
    level->i = std::max(level->i - percent, 0);
    valueChanged(orv::kCapBatteryLevel);
    return true;
}

bool SimBody::endLiveView() {
    SimCapability* status = find(orv::kCapLiveViewStatus);
    if (status == nullptr || status->u == 0) {
        return false;
    }
    status->u = 0;
    SimLiveView(m_world, m_camera).afterWrite(orv::kCapLiveViewStatus);
    valueChanged(orv::kCapLiveViewStatus);
    return true;
}

uint32_t SimBody::addCardMovie() {
    const uint32_t id = m_world.addItem(m_camera, orv::kKindVideo).id;
    // Announced as a card item only: a child-added as well would make the
    // program count the movie twice.
    m_world.raise(orv::kObjSource, m_camera.handle(), 0, 0, kEvCardItemAdded, id);
    return id;
}

void SimBody::stopRecordingByError(uint32_t reason) {
    SimRecording(m_world, m_camera).stopByError(reason);
}

bool SimBody::toggleShutterLock() {
    SimCapability* lock = find(orv::kCapShutterSpeedLock);
    if (lock == nullptr) {
        return false;
    }
    lock->u ^= 1;
    // A locked shutter speed can be set neither on the body nor by the
    // program; the changed list tells the program so.
    if (SimCapability* shutter = find(orv::kCapShutterSpeed)) {
        shutter->operations = lock->u != 0 ? (shutter->operations & ~uint32_t{orv::kOpSet})
                                           : (shutter->operations | orv::kOpSet);
    }
    listChanged(orv::kCapShutterSpeedLock);
    return true;
}

// ---- Lens ------------------------------------------------------------------------

void SimBody::mountLens(const SimLens& lens) {
    const SimLens& previous = *m_camera.body().lens;
    m_camera.body().lens = &lens;
    fitApertures(orv::kCapAperture, lens);
    fitApertures(orv::kCapMovieAperture, lens);
    followFocus(previous, lens);
    if (SimCapability* type = find(orv::kCapLensType)) {
        type->u = lens.lensType;
        valueChanged(orv::kCapLensType);
    }
    // Last, so the program reads the AF mode the new lens left.
    if (SimCapability* info = find(orv::kCapLensInfo)) {
        info->text = lens.info;
        valueChanged(orv::kCapLensInfo);
    }
    meter();
}

void SimBody::fitApertures(uint32_t capId, const SimLens& lens) {
    SimCapability* cap = find(capId);
    if (cap == nullptr || cap->valueType != orv::kVtEnum ||
        cap->elementType != orv::kElemPackedText) {
        return;
    }
    const double fNumber = std::strtod(enumText(capId).c_str(), nullptr);
    cap->texts = apertureTexts(lens);
    cap->currentIndex = nearestAperture(cap->texts, fNumber);
    cap->defaultIndex = std::min<uint32_t>(cap->defaultIndex, cap->currentIndex);
    listChanged(capId);
}

// Without a processor the body cannot drive the focus: manual focus only.
void SimBody::followFocus(const SimLens& previous, const SimLens& lens) {
    SimCapability* af = find(orv::kCapAfMode);
    const bool wasManual = previous.info.empty();
    const bool manual = lens.info.empty();
    if (af == nullptr || manual == wasManual) {
        return;
    }
    if (manual) {
        m_camera.body().afModeWithProcessor = af->u;
        af->u = kAfModeManual;
        af->operations &= ~uint32_t{orv::kOpSet};
    } else {
        af->u = m_camera.body().afModeWithProcessor;
        af->operations |= orv::kOpSet;
    }
    listChanged(orv::kCapAfMode);
}

// ---- Release -------------------------------------------------------------------

int32_t SimBody::startCapture() {
    if (!canRelease()) {
        return kErrNotReady;
    }
    SimBodyState& body = m_camera.body();
    if (bulbSelected()) {
        if (body.bulbOpen) {
            return kErrBusy;
        }
        body.bulbOpen = true; // open until Terminate Capture
        return kOk;
    }
    ++body.releasesDue;
    return kOk;
}

int32_t SimBody::terminateCapture() {
    SimBodyState& body = m_camera.body();
    // Nothing to end is no failure: the shutter is closed either way.
    if (body.bulbOpen) {
        body.bulbOpen = false;
        ++body.releasesDue;
    }
    return kOk;
}

bool SimBody::pressShutter() {
    SimBodyState& body = m_camera.body();
    if (body.bulbOpen) {
        body.bulbOpen = false; // a second press ends a bulb exposure
        finishRelease();
        return true;
    }
    if (!canRelease()) {
        return false;
    }
    if (bulbSelected()) {
        body.bulbOpen = true;
    } else {
        finishRelease();
    }
    return true;
}

void SimBody::idle(bool meterNow) {
    SimBodyState& body = m_camera.body();
    for (; body.releasesDue > 0; --body.releasesDue) {
        finishRelease();
    }
    if (meterNow) {
        meter();
    }
}

bool SimBody::canRelease() {
    const SimCapability* remaining = find(orv::kCapRemainContinuous);
    const SimCapability* battery = find(orv::kCapBatteryLevel);
    return (remaining == nullptr || remaining->u > 0) && (battery == nullptr || battery->i > 0);
}

bool SimBody::bulbSelected() {
    return enumText(orv::kCapShutterSpeed) == kBulb;
}

// The picture is on the card: its item appears (its data is fetched later
// through the item), one shot less fits, and the release is complete.
void SimBody::finishRelease() {
    const uint32_t id = m_world.addItem(m_camera, orv::kKindImage).id;
    m_world.raise(orv::kObjSource, m_camera.handle(), 0, 0, orv::kEvChildAdded, id);
    if (SimCapability* remaining = find(orv::kCapRemainContinuous);
        remaining != nullptr && remaining->u > 0) {
        --remaining->u;
        valueChanged(orv::kCapRemainContinuous);
    }
    if (++m_camera.body().shots % kShotsPerBatteryPercent == 0) {
        drainBattery(1);
    }
    m_world.raise(orv::kObjSource, m_camera.handle(), 0, 0, kEvCaptureComplete, 0);
}

// ---- Helpers ------------------------------------------------------------------

std::string SimBody::enumText(uint32_t capId) {
    const SimCapability* cap = find(capId);
    if (cap == nullptr || cap->valueType != orv::kVtEnum ||
        cap->currentIndex >= cap->texts.size()) {
        return {};
    }
    return cap->texts[cap->currentIndex];
}

uint32_t SimBody::enumValue(uint32_t capId) {
    const SimCapability* cap = find(capId);
    if (cap == nullptr || cap->valueType != orv::kVtEnum ||
        cap->currentIndex >= cap->values.size()) {
        return 0;
    }
    return cap->values[cap->currentIndex];
}

void SimBody::valueChanged(uint32_t capId) {
    m_world.raiseValueChanged(m_camera.handle(), capId);
}

void SimBody::listChanged(uint32_t capId) {
    m_world.raise(orv::kObjSource, m_camera.handle(), 0, 0, orv::kEvCapListChanged, capId);
}

} // namespace vsim
