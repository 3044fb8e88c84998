// The exported C functions for live view of the one world.
#include "SimWorld.h"
#include "camera/CameraTypeFacts.h"
#include "sim_control.h"

#include <algorithm>
#include <cstring>

#define VSIM_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using vsim::SimLiveState;
using vsim::SimWorld;

constexpr uint32_t kMinSide = 16;
constexpr uint32_t kMaxSide = 4096;
constexpr uint32_t kMaxFaces = 255; // what the header's count byte holds

SimWorld& world() {
    return SimWorld::instance();
}

SimLiveState* liveOf(int camera) {
    vsim::SimCamera* c = world().camera(camera);
    return c != nullptr ? &c->live() : nullptr;
}

} // namespace

VSIM_EXPORT int vsim_set_live_view_size(int camera, uint32_t width, uint32_t height) {
    SimLiveState* live = liveOf(camera);
    if (live == nullptr || width < kMinSide || width > kMaxSide || height < kMinSide ||
        height > kMaxSide) {
        return 0;
    }
    live->jpegWidth = width;
    live->jpegHeight = height;
    return 1;
}

VSIM_EXPORT int vsim_set_live_view_faces(int camera, uint32_t count) {
    SimLiveState* live = liveOf(camera);
    if (live == nullptr || count > kMaxFaces) {
        return 0;
    }
    live->faces = count;
    return 1;
}

VSIM_EXPORT int vsim_set_live_view_fault(int camera, int32_t fault, int32_t frames) {
    SimLiveState* live = liveOf(camera);
    if (live == nullptr || fault < VSIM_LIVE_VIEW_FAULT_NONE ||
        fault > VSIM_LIVE_VIEW_FAULT_SEGMENT_PAST_END || frames == 0 || frames < -1) {
        return 0;
    }
    live->fault = static_cast<vsim::LiveViewFault>(fault);
    live->faultFrames = live->fault == vsim::LiveViewFault::None ? 0 : frames;
    return 1;
}

VSIM_EXPORT void vsim_freeze_live_scene(int32_t phase) {
    if (phase < 0) {
        world().liveClock().thaw();
    } else {
        world().liveClock().freeze(static_cast<uint32_t>(phase));
    }
}

VSIM_EXPORT bool vsim_live_scene_frozen(void) {
    return world().liveClock().frozen();
}

VSIM_EXPORT int32_t vsim_live_scene_phase(void) {
    return static_cast<int32_t>(world().liveClock().scenePhase());
}

VSIM_EXPORT int32_t vsim_live_scene_phases(void) {
    return static_cast<int32_t>(vsim::kScenePhases);
}

VSIM_EXPORT void vsim_skip_time(uint32_t milliseconds) {
    world().liveClock().skip(milliseconds);
}

VSIM_EXPORT int vsim_get_live_view_state(int camera, vsim_live_view_state* out) {
    vsim::SimCamera* c = world().camera(camera);
    if (c == nullptr || out == nullptr) {
        return 0;
    }
    const SimLiveState& live = c->live();
    const vsim::SimCapability* type = c->find(orv::kCapCameraType);
    *out = {};
    out->frames = live.frames;
    out->header_size = LiveViewHeaderSize(type != nullptr ? type->u : 0);
    out->jpeg_width = live.jpegWidth;
    out->jpeg_height = live.jpegHeight;
    out->faces = live.faces;
    out->focus_position = live.focusPosition;
    out->focus_target = vsim::kSceneFocus;
    out->blur_radius = live.blurRadius;
    out->running = live.running;
    out->focus_driving = live.afFramesLeft != 0;
    out->in_focus = live.inFocus;
    return 1;
}

VSIM_EXPORT size_t vsim_live_view_header(int camera, void* buffer, size_t size) {
    const SimLiveState* live = liveOf(camera);
    if (live == nullptr) {
        return 0;
    }
    if (buffer != nullptr && !live->header.empty()) {
        std::memcpy(buffer, live->header.data(), std::min(size, live->header.size()));
    }
    return live->header.size();
}

VSIM_EXPORT uint64_t vsim_live_frames_encoded(void) {
    return world().liveFrames().encodes();
}
