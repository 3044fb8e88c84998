#pragma once
// What one simulated body keeps for live view between entry calls: the
// picture settings a test or the demo chose, the lens focus, the running
// live view session and the frame the last record get sized.
#include "SimControl.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace vsim {

class SimMovieFile;

// The whole image area, in the units every header position uses.
constexpr int32_t kSensorWidth = 6000;
constexpr int32_t kSensorHeight = 4000;

// Lens focus positions, in the units of the program's MF drive steps: near
// end 0, far end kFocusFar. The scene is sharp at kSceneFocus; the body
// powers on focused well in front of it, so the picture starts out blurred.
constexpr int32_t kFocusFar = 10000;
constexpr int32_t kSceneFocus = 6200;
constexpr int32_t kPowerOnFocus = 1500;

// Frames a contrast AF drive lasts before the lens settles on the target.
constexpr uint32_t kContrastAfFrames = 8;

// Seconds a live view session may last; the header counts them down.
constexpr uint32_t kLiveViewLimit_s = 1800;

// The header's face table has room for this many faces.
constexpr uint32_t kMaxHeaderFaces = orv::liveview::kMaxFaces;

struct SimLiveState {
    // Chosen through the control interface.
    uint32_t jpegWidth = 640;
    uint32_t jpegHeight = 424;
    uint32_t faces = 0; // what the header counts; at most 35 are drawn and listed
    LiveViewFault fault = LiveViewFault::None;
    int32_t faultFrames = 0; // frames the fault still damages; -1 until cleared

    // The lens.
    int32_t focusPosition = kPowerOnFocus;
    bool inFocus = false;      // contrast AF found the focus; manual focus clears it
    uint32_t afFramesLeft = 0; // a contrast AF drive is under way while not 0

    // The session: on while 0x823E is 1.
    bool running = false;
    uint64_t start_ms = 0;
    uint32_t frames = 0;     // frames sized since the session began
    uint32_t blurRadius = 0; // of the last frame, in JPEG pixels
    // A movie recording under way: the header counts its time.
    bool recording = false;
    uint64_t recordingStart_ms = 0;
    uint64_t recordingStartTick = 0; // the scene's, for the movie's frames
    // The movie recorded last and its item on the card.
    std::shared_ptr<const SimMovieFile> lastMovie;
    uint32_t lastMovieItem = 0;

    // The frame the last record get sized, handed out by the contents get.
    std::vector<uint8_t> header;
    std::shared_ptr<const std::vector<uint8_t>> jpeg;
};

} // namespace vsim
