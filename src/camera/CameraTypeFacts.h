#pragma once
// What follows from a camera's type (capability 0x81D7): its AF layout, the
// length of its live view frame header and its image-area choices. The
// program and the simulated module both take these from here, so the two
// cannot drift apart.
#include <cstdint>
#include <string>
#include <vector>

// AF point count of a camera type (51, 39 or 11); `current` for types not
// in the table.
uint32_t AfPointCountForCameraType(uint32_t cameraType, uint32_t current);

// Bytes of header in front of each live view JPEG: 128, 384 or 64.
uint32_t LiveViewHeaderSize(uint32_t cameraType);

// Image-area choices by the low byte of the camera type, in CCD data mode
// order (value 3 first). Empty when the type has no list of its own.
std::vector<std::string> ImageAreaNames(uint32_t cameraType);
