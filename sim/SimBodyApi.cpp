// The exported C functions that act on a camera body of the one world.
#include "SimBody.h"
#include "SimLiveView.h"
#include "SimMovieFile.h"
#include "SimRecording.h"
#include "SimText.h"
#include "sim_control.h"

#include <algorithm>
#include <cstring>

#define VSIM_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using vsim::copyText;
using vsim::SimBody;
using vsim::SimCamera;
using vsim::SimWorld;

SimWorld& world() {
    return SimWorld::instance();
}

// Runs `action` on the body of `camera`; `fallback` for an unknown camera.
template <typename Action, typename Result>
Result onBody(int camera, Result fallback, Action action) {
    SimCamera* c = world().camera(camera);
    if (c == nullptr) {
        return fallback;
    }
    SimBody body(world(), *c);
    return action(body);
}

} // namespace

VSIM_EXPORT int vsim_turn_dial(int camera, uint32_t cap, int32_t steps) {
    return onBody(camera, 0, [=](SimBody& b) { return b.turnDial(cap, steps) ? 1 : 0; });
}

VSIM_EXPORT int vsim_set_scene_brightness(int camera, double stops) {
    return onBody(camera, 0, [=](SimBody& b) {
        b.setSceneBrightness(stops);
        return 1;
    });
}

VSIM_EXPORT double vsim_scene_brightness(int camera) {
    SimCamera* c = world().camera(camera);
    return c != nullptr ? c->body().sceneStops : 0.0;
}

VSIM_EXPORT void vsim_set_scene_motion(bool on) {
    world().setSceneMotion(on);
}

VSIM_EXPORT bool vsim_scene_motion(void) {
    return world().sceneMotion();
}

VSIM_EXPORT int vsim_drain_battery(int camera, int32_t percent) {
    return onBody(camera, 0, [=](SimBody& b) { return b.drainBattery(percent) ? 1 : 0; });
}

VSIM_EXPORT size_t vsim_lens_count(void) {
    return vsim::lensTable().size();
}

VSIM_EXPORT size_t vsim_lens_name(size_t index, char* buffer, size_t size) {
    const auto& lenses = vsim::lensTable();
    return copyText(index < lenses.size() ? lenses[index].name : std::string(), buffer, size);
}

VSIM_EXPORT size_t vsim_mounted_lens(int camera, char* buffer, size_t size) {
    SimCamera* c = world().camera(camera);
    return copyText(c != nullptr ? c->body().lens->name : std::string(), buffer, size);
}

VSIM_EXPORT int vsim_mount_lens(int camera, const char* lens) {
    const vsim::SimLens* found = lens != nullptr ? vsim::findLens(lens) : nullptr;
    if (found == nullptr) {
        return 0;
    }
    return onBody(camera, 0, [found](SimBody& b) {
        b.mountLens(*found);
        return 1;
    });
}

VSIM_EXPORT int vsim_press_shutter(int camera) {
    return onBody(camera, 0, [](SimBody& b) { return b.pressShutter() ? 1 : 0; });
}

VSIM_EXPORT int vsim_end_live_view(int camera) {
    return onBody(camera, 0, [](SimBody& b) { return b.endLiveView() ? 1 : 0; });
}

VSIM_EXPORT uint32_t vsim_add_card_movie(int camera) {
    return onBody(camera, uint32_t{0}, [](SimBody& b) { return b.addCardMovie(); });
}

VSIM_EXPORT int vsim_stop_recording_by_error(int camera, uint32_t reason) {
    return onBody(camera, 0, [=](SimBody& b) {
        b.stopRecordingByError(reason);
        return 1;
    });
}

VSIM_EXPORT int vsim_set_card_state(int camera, uint32_t card_bits) {
    SimCamera* c = world().camera(camera);
    vsim::SimCapability* prohibit = c != nullptr ? c->find(orv::kCapMovieProhibit) : nullptr;
    if (prohibit == nullptr) {
        return 0;
    }
    prohibit->u = (prohibit->u & ~vsim::kCardProblems) | (card_bits & vsim::kCardProblems);
    vsim::SimLiveView(world(), *c).afterWrite(orv::kCapMovieProhibit);
    world().raiseValueChanged(camera, orv::kCapMovieProhibit);
    return 1;
}

VSIM_EXPORT int vsim_get_recording_state(int camera, vsim_recording_state* out) {
    SimCamera* c = world().camera(camera);
    if (c == nullptr || out == nullptr) {
        return 0;
    }
    const vsim::SimLiveState& live = c->live();
    *out = vsim_recording_state{};
    out->recording = live.recording;
    if (live.recording) {
        out->elapsed_ms =
            static_cast<uint32_t>(world().liveClock().now_ms() - live.recordingStart_ms);
    }
    if (live.lastMovie) {
        out->last_item = live.lastMovieItem;
        out->last_frames = live.lastMovie->frameCount();
        out->last_duration_ms = live.lastMovie->duration_ms();
        out->last_size = live.lastMovie->size();
    }
    return 1;
}

VSIM_EXPORT int vsim_toggle_shutter_lock(int camera) {
    return onBody(camera, 0, [](SimBody& b) { return b.toggleShutterLock() ? 1 : 0; });
}
