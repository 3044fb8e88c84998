#include "SimLiveView.h"

#include "SimFrameDamage.h"
#include "SimRecording.h"
#include "SimResult.h"
#include "camera/CameraTypeFacts.h"

#include <algorithm>
#include <cstring>

namespace vsim {

namespace {

constexpr uint32_t kFaceTableHeader = 384;

// What one frame's header reports besides the picture's own key.
struct HeaderFields {
    SimFrameKey key;
    SimArea af;
    bool driving = false;
    bool inFocus = false;
    uint32_t remaining_s = 0;
    uint32_t serial = 0;
    uint32_t movie_ms = 0;
    uint32_t faces = 0;
    uint64_t tick = 0;
    bool microphoneOff = false;
};

void put8(std::vector<uint8_t>& header, size_t at, uint32_t value) {
    header[at] = static_cast<uint8_t>(std::min<uint32_t>(value, 0xFF));
}

void put16(std::vector<uint8_t>& header, size_t at, int64_t value) {
    const auto v = static_cast<uint32_t>(std::clamp<int64_t>(value, 0, 0xFFFF));
    header[at] = static_cast<uint8_t>(v >> 8);
    header[at + 1] = static_cast<uint8_t>(v);
}

void put32(std::vector<uint8_t>& header, size_t at, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) {
        header[at + i] = static_cast<uint8_t>(value >> (24 - 8 * i));
    }
}

void putArea(std::vector<uint8_t>& header, size_t at, const SimArea& area) {
    put16(header, at, area.width);
    put16(header, at + 2, area.height);
    put16(header, at + 4, area.cx);
    put16(header, at + 6, area.cy);
}

// The header in front of the JPEG; every number big-endian. Only the
// 384-byte header has room for movie time, faces and sound.
std::vector<uint8_t> liveHeader(uint32_t size, const HeaderFields& f) {
    using namespace orv::liveview;
    std::vector<uint8_t> header(size, 0);
    put16(header, kJpegWidth, f.key.width);
    put16(header, kJpegHeight, f.key.height);
    put16(header, kWholeWidth, kSensorWidth);
    put16(header, kWholeHeight, kSensorHeight);
    putArea(header, kShownArea, f.key.shown);
    putArea(header, kAfArea, f.af);
    put8(header, kFocusDrive, f.driving ? 1 : 0);
    put16(header, kRemainingTime, f.remaining_s);
    put8(header, kFocusState, f.inFocus ? kStateInFocus : 0);
    put32(header, kFrameSerial, f.serial);
    if (size < kFaceTableHeader) {
        return header;
    }
    put32(header, kMovieTime, f.movie_ms);
    put8(header, kFaceCount, f.faces);
    const std::vector<SimArea> faces = facesAt(f.key.phase, f.faces);
    for (size_t i = 0; i < faces.size(); ++i) {
        putArea(header, kFaceTable + kAreaBytes * i, faces[i]);
    }
    const SimSound sound = f.microphoneOff ? SimSound{} : soundAt(f.tick);
    put8(header, kSoundPeakLeft, sound.peakLeft);
    put8(header, kSoundPeakRight, sound.peakRight);
    put8(header, kSoundLevelLeft, sound.levelLeft);
    put8(header, kSoundLevelRight, sound.levelRight);
    return header;
}

} // namespace

void SimLiveView::afterWrite(uint32_t capId) {
    switch (capId) {
    case orv::kCapLiveViewStatus:
        followStatus();
        break;
    case orv::kCapContrastAf:
        // Contrast AF measures on the live image: without it there is
        // nothing to drive to.
        if (followStatus() && lensDrivable()) {
            m_camera.live().afFramesLeft = kContrastAfFrames;
            m_camera.live().inFocus = false;
        }
        break;
    case orv::kCapMfDrive:
        driveManualFocus();
        break;
    case orv::kCapContrastArea:
        clampContrastPoint();
        break;
    default:
        break;
    }
    SimRecording(m_world, m_camera).afterWrite(capId);
}

bool SimLiveView::followStatus() {
    const SimCapability* status = m_camera.find(orv::kCapLiveViewStatus);
    const bool on = status != nullptr && status->valueType == orv::kVtUnsigned && status->u != 0;
    SimLiveState& live = m_camera.live();
    if (on && !live.running) {
        live.running = true;
        live.start_ms = m_world.liveClock().now_ms();
        live.frames = 0;
    } else if (!on && live.running) {
        live.running = false;
        live.afFramesLeft = 0;
        live.header.clear();
        live.jpeg.reset();
    }
    return on;
}

// A lens without processor is focused by hand on its ring only.
bool SimLiveView::lensDrivable() {
    return !m_camera.body().lens->info.empty();
}

void SimLiveView::driveManualFocus() {
    const SimCapability* drive = m_camera.find(orv::kCapMfDrive);
    const SimCapability* step = m_camera.find(orv::kCapMfDriveStep);
    if (drive == nullptr || step == nullptr || !lensDrivable()) {
        return;
    }
    SimLiveState& live = m_camera.live();
    const auto distance = static_cast<int32_t>(std::max(step->range.value, 0.0));
    // 0 drives towards the near end, 1 towards the far end.
    const int32_t target = live.focusPosition + (drive->u == 0 ? -distance : distance);
    live.focusPosition = std::clamp(target, 0, kFocusFar);
    live.inFocus = false;
    live.afFramesLeft = 0;
}

void SimLiveView::clampContrastPoint() {
    SimCapability* point = m_camera.find(orv::kCapContrastArea);
    if (point != nullptr) {
        point->rect.x = std::clamp(point->rect.x, 0, kSensorWidth - 1);
        point->rect.y = std::clamp(point->rect.y, 0, kSensorHeight - 1);
    }
}

// One frame of a contrast AF drive: the lens closes a share of the way
// left, and lands on the focus with the last frame.
void SimLiveView::stepContrastAf() {
    SimLiveState& live = m_camera.live();
    if (live.afFramesLeft == 0) {
        return;
    }
    live.focusPosition +=
        (kSceneFocus - live.focusPosition) / static_cast<int32_t>(live.afFramesLeft);
    if (--live.afFramesLeft == 0) {
        live.focusPosition = kSceneFocus;
        live.inFocus = true;
    }
}

// "Off" is 1, or 4 in the second set of microphone settings.
bool SimLiveView::microphoneOff() {
    const SimCapability* microphone = m_camera.find(orv::kCapMovieMicrophone);
    return microphone != nullptr && (microphone->u == 1 || microphone->u == 4);
}

uint32_t SimLiveView::zoomValue() {
    const SimCapability* zoom = m_camera.find(orv::kCapLiveViewZoom);
    if (zoom == nullptr || zoom->valueType != orv::kVtEnum ||
        zoom->currentIndex >= zoom->values.size()) {
        return 0;
    }
    return zoom->values[zoom->currentIndex];
}

orv::PointRecord SimLiveView::contrastPoint() {
    const SimCapability* point = m_camera.find(orv::kCapContrastArea);
    if (point == nullptr) {
        return {kSensorWidth / 2, kSensorHeight / 2};
    }
    return {point->rect.x, point->rect.y};
}

bool SimLiveView::prepareFrame() {
    SimLiveState& live = m_camera.live();
    stepContrastAf();
    const SimLiveClock& clock = m_world.liveClock();
    const orv::PointRecord point = contrastPoint();

    HeaderFields f;
    f.tick = clock.sceneTick();
    f.key.phase = static_cast<uint32_t>(f.tick % kScenePhases);
    f.key.width = live.jpegWidth;
    f.key.height = live.jpegHeight;
    f.key.shown = displayArea(zoomValue(), point.x, point.y, live.jpegWidth, live.jpegHeight);
    f.key.blur = blurRadius(live.focusPosition - kSceneFocus, f.key.shown, live.jpegWidth);
    f.key.faces = std::min(live.faces, kMaxHeaderFaces);
    const SimJpegBytes jpeg = m_world.liveFrames().frame(f.key);
    if (!jpeg) {
        return false;
    }

    const SimCapability* afMode = m_camera.find(orv::kCapLiveViewAfArea);
    f.af = afArea(afMode != nullptr ? afMode->u : 1, point.x, point.y);
    f.driving = live.afFramesLeft != 0;
    f.inFocus = live.inFocus;
    const uint64_t elapsed_s = (clock.now_ms() - live.start_ms) / 1000;
    f.remaining_s =
        static_cast<uint32_t>(kLiveViewLimit_s - std::min<uint64_t>(elapsed_s, kLiveViewLimit_s));
    f.serial = ++live.frames;
    f.movie_ms =
        live.recording ? static_cast<uint32_t>(clock.now_ms() - live.recordingStart_ms) : 0;
    f.faces = live.faces;
    f.microphoneOff = microphoneOff();
    const SimCapability* type = m_camera.find(orv::kCapCameraType);
    live.header = liveHeader(LiveViewHeaderSize(type != nullptr ? type->u : 0), f);
    live.blurRadius = f.key.blur;

    if (live.fault != LiveViewFault::None) {
        live.jpeg = std::make_shared<const std::vector<uint8_t>>(damagedJpeg(*jpeg, live.fault));
        if (live.faultFrames > 0 && --live.faultFrames == 0) {
            live.fault = LiveViewFault::None;
        }
    } else {
        live.jpeg = jpeg;
    }
    return true;
}

int32_t SimLiveView::frameRecord(uint32_t dataType, intptr_t data) {
    if (dataType != orv::kDtArray) {
        return kErrWrongDataType;
    }
    if (data == 0) {
        return kErrNoData;
    }
    if (!followStatus()) {
        return kErrNotReady;
    }
    if (!prepareFrame()) {
        return kErrFailed;
    }
    const SimLiveState& live = m_camera.live();
    orv::ArrayRecord record{};
    record.elementType = orv::kElemUnsigned;
    record.elementCount = static_cast<uint32_t>(live.header.size() + live.jpeg->size());
    record.dim1 = record.elementCount;
    record.dim2 = 1;
    record.dim3 = 1;
    record.bytesPerElement = 1;
    record.bitsPerElement = 8;
    // The data address belongs to the program.
    std::memcpy(reinterpret_cast<void*>(data), &record, offsetof(orv::ArrayRecord, data));
    return kOk;
}

int32_t SimLiveView::frameContents(uint32_t dataType, intptr_t data) {
    if (dataType != orv::kDtArray) {
        return kErrWrongDataType;
    }
    if (data == 0) {
        return kErrNoData;
    }
    const SimLiveState& live = m_camera.live();
    if (!followStatus() || !live.jpeg) {
        return kErrNotReady; // no frame sized yet
    }
    orv::ArrayRecord target{};
    std::memcpy(&target, reinterpret_cast<const void*>(data), sizeof target);
    if (target.data == 0) {
        return kErrNoData;
    }
    const size_t room = size_t{target.elementCount} * target.bytesPerElement;
    if (room < live.header.size() + live.jpeg->size()) {
        return kErrArrayTooSmall;
    }
    auto* out = reinterpret_cast<uint8_t*>(target.data);
    std::memcpy(out, live.header.data(), live.header.size());
    std::memcpy(out + live.header.size(), live.jpeg->data(), live.jpeg->size());
    return kOk;
}

} // namespace vsim
