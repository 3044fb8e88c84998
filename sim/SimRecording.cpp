#include "SimRecording.h"

#include "SimLiveGeometry.h"
#include "SimMovieFile.h"

#include <algorithm>

namespace vsim {

namespace {

constexpr uint32_t kMovieSelector = 1;
// A body records at most this long in one go, as real ones do.
constexpr uint64_t kRecordingLimit_s = 20 * 60;

} // namespace

void SimRecording::afterWrite(uint32_t capId) {
    switch (capId) {
    case orv::kCapMovieRecordStatus:
        followStatus();
        break;
    case orv::kCapLiveViewStatus:
    case orv::kCapLiveViewSelector:
        if (m_camera.live().recording && !inMovieLiveView()) {
            setStatus(0);
            m_world.raiseValueChanged(m_camera.handle(), orv::kCapMovieRecordStatus);
            finish();
        }
        break;
    case orv::kCapMovieProhibit:
        if (m_camera.live().recording && (cardBits() & kCardProblems) != 0) {
            stopByError(cardBits() & kCardProblems);
        }
        break;
    default:
        break;
    }
}

void SimRecording::followStatus() {
    const SimCapability* status = m_camera.find(orv::kCapMovieRecordStatus);
    const bool wanted = status != nullptr && status->u != 0;
    SimLiveState& live = m_camera.live();
    if (wanted && !live.recording) {
        start();
    } else if (!wanted && live.recording) {
        finish();
    }
}

// The status stays 0 when the body cannot record; a card fault says why.
void SimRecording::start() {
    if (!inMovieLiveView()) {
        setStatus(0);
        return;
    }
    if (const uint32_t problems = cardBits() & kCardProblems; problems != 0) {
        setStatus(0);
        m_world.raise(orv::kObjSource, m_camera.handle(), 0, 0, kEvRecordingError, problems);
        return;
    }
    SimLiveState& live = m_camera.live();
    live.recording = true;
    live.recordingStart_ms = m_world.liveClock().now_ms();
    live.recordingStartTick = m_world.liveClock().sceneTick();
    setRecordingBit(true);
}

void SimRecording::stopByError(uint32_t reason) {
    const SimCapability* status = m_camera.find(orv::kCapMovieRecordStatus);
    if (status != nullptr && status->u != 0) {
        setStatus(0);
        m_world.raiseValueChanged(m_camera.handle(), orv::kCapMovieRecordStatus);
    }
    if (m_camera.live().recording) {
        finish();
    }
    m_world.raise(orv::kObjSource, m_camera.handle(), 0, 0, kEvRecordingError, reason);
}

// The frames of the scene from the start on, 25 a second as the scene
// moves, drawn as the whole sensor (recording shows the full view) with
// the lens as it is now.
void SimRecording::finish() {
    SimLiveState& live = m_camera.live();
    live.recording = false;
    setRecordingBit(false);
    const SimLiveClock& clock = m_world.liveClock();
    const uint64_t elapsed_ms =
        std::min(clock.now_ms() - live.recordingStart_ms, kRecordingLimit_s * 1000);
    const uint64_t count = std::max<uint64_t>(1, elapsed_ms * kScenePhasesPerSecond / 1000);
    SimFrameKey key;
    key.width = live.jpegWidth;
    key.height = live.jpegHeight;
    key.shown = displayArea(0, kSensorWidth / 2, kSensorHeight / 2, key.width, key.height);
    key.blur = blurRadius(live.focusPosition - kSceneFocus, key.shown, key.width);
    key.faces = std::min(live.faces, kMaxHeaderFaces);
    std::vector<SimJpegBytes> frames;
    frames.reserve(count);
    for (uint64_t i = 0; i < count; ++i) {
        const uint64_t tick = clock.frozen() ? clock.sceneTick() : live.recordingStartTick + i;
        key.phase = static_cast<uint32_t>(tick % kScenePhases);
        frames.push_back(m_world.liveFrames().frame(key));
    }
    auto movie = std::make_shared<const SimMovieFile>(std::move(frames), key.width, key.height,
                                                      kScenePhasesPerSecond);
    live.lastMovie = movie;
    const uint32_t id = m_world.addRecordedMovie(m_camera, std::move(movie)).id;
    live.lastMovieItem = id;
    m_world.raise(orv::kObjSource, m_camera.handle(), 0, 0, kEvCardItemAdded, id);
}

bool SimRecording::inMovieLiveView() {
    const SimCapability* selector = m_camera.find(orv::kCapLiveViewSelector);
    return m_camera.live().running && selector != nullptr &&
           selector->currentIndex < selector->values.size() &&
           selector->values[selector->currentIndex] == kMovieSelector;
}

uint32_t SimRecording::cardBits() {
    const SimCapability* prohibit = m_camera.find(orv::kCapMovieProhibit);
    return prohibit != nullptr ? prohibit->u : 0;
}

void SimRecording::setStatus(uint32_t value) {
    if (SimCapability* status = m_camera.find(orv::kCapMovieRecordStatus)) {
        status->u = value;
    }
}

void SimRecording::setRecordingBit(bool on) {
    if (SimCapability* prohibit = m_camera.find(orv::kCapMovieProhibit)) {
        prohibit->u = on ? (prohibit->u | kRecordingBit) : (prohibit->u & ~kRecordingBit);
    }
}

} // namespace vsim
