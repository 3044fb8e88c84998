#pragma once
// The picture a simulated release produces, as a real JPEG file.
#include <cstdint>
#include <vector>

namespace vsim {

// Sides beyond this are cut: the picture is drawn in memory first.
constexpr uint32_t kMaxPictureSide = 16384;

struct ScenePicture {
    uint32_t width = 0;
    uint32_t height = 0;
    double exposureStops = 0.0; // the meter's reading at the release: 0 is exposed right
    uint32_t number = 0;        // the picture's number, drawn into its upper-left corner
    int quality = 90;           // JPEG quality 1-100
};

// A colour gradient lit by the exposure with the number in white blocks on
// a black plate; empty when the encoder fails.
std::vector<uint8_t> encodeSceneJpeg(const ScenePicture& picture);

} // namespace vsim
