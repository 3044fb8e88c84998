#pragma once
// The picture of a simulated live view: a scene with detail worth focusing
// on (a star chart, fine stripes, a page of text-like blocks, a chequer
// board, colour bars), drifting slowly, with face-like blobs in front, drawn
// for the area shown and blurred by the lens, as a JPEG.
#include "SimLiveGeometry.h"

#include <compare>
#include <cstdint>
#include <vector>

namespace vsim {

// Everything one live view picture depends on: equal keys give the same
// JPEG, so a frame once encoded can be handed out again.
struct SimFrameKey {
    uint32_t phase = 0; // of the scene, below kScenePhases
    SimArea shown;      // the display area, in sensor units
    uint32_t blur = 0;  // radius in JPEG pixels
    uint32_t faces = 0; // drawn, at most 35
    uint32_t width = 0; // of the JPEG
    uint32_t height = 0;
    auto operator<=>(const SimFrameKey&) const = default;
};

// The picture for `key` as a JPEG; empty when the encoder fails.
std::vector<uint8_t> encodeLiveFrame(const SimFrameKey& key);

} // namespace vsim
