#pragma once
// Where things are in a simulated live view frame: the area the JPEG shows,
// the AF area, the faces, how blurred the lens draws, and the sound the
// microphones hear. Pure functions of the body's settings and the scene
// phase, so the header and the picture always agree.
#include <compare>
#include <cstdint>
#include <vector>

namespace vsim {

// The scene moves on 25 phases a second and repeats after kScenePhases, so
// the frames of one loop can be kept encoded and handed out again.
constexpr uint32_t kScenePhasesPerSecond = 25;
constexpr uint32_t kScenePhases = 150;

// A rectangle in sensor units, by its centre.
struct SimArea {
    int32_t cx = 0;
    int32_t cy = 0;
    int32_t width = 0;
    int32_t height = 0;
    auto operator<=>(const SimArea&) const = default;
};

// The area shown for zoom value `zoomValue` of 0x823F (0 the whole frame,
// then as the value names it: 5 "100%" is one sensor unit per JPEG pixel),
// with the JPEG's aspect. Zoomed in, it is centred on the contrast-AF point
// as far as the sensor allows; otherwise on the sensor.
SimArea displayArea(uint32_t zoomValue, int32_t pointX, int32_t pointY, uint32_t jpegWidth,
                    uint32_t jpegHeight);

// The AF area for live view AF area mode `mode` (0x8275: 0 face priority,
// 1 wide, 2 normal, 3 tracking) around the contrast-AF point, inside the
// sensor.
SimArea afArea(uint32_t mode, int32_t pointX, int32_t pointY);

// The faces at `phase`: `count` (at most 35) of them spread over the
// picture, each circling slowly around its place.
std::vector<SimArea> facesAt(uint32_t phase, uint32_t count);

// Blur radius in JPEG pixels of a lens `defocus` focus units off the scene,
// for a JPEG of `jpegWidth` showing `shown`: zoomed in, the same defocus
// looks larger. Capped, so a far-off lens still shows shapes.
uint32_t blurRadius(int32_t defocus, const SimArea& shown, uint32_t jpegWidth);

// Microphone levels 0-14 and their peaks over the last half second: speech
// with syllables and pauses, a little different on either side.
struct SimSound {
    uint8_t peakLeft = 0;
    uint8_t peakRight = 0;
    uint8_t levelLeft = 0;
    uint8_t levelRight = 0;
};
SimSound soundAt(uint64_t tick);

} // namespace vsim
