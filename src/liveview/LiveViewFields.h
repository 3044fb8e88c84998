#pragma once
// The live view header's fields by name, as the display reads them. All
// positions and sizes are in sensor units (the whole image area), except
// the JPEG's own width and height.
#include "camera/CameraTypes.h"

#include <array>
#include <cstdint>

struct LiveViewHeader;

// An area of the sensor by its size and centre.
struct SensorArea {
    int width = 0;
    int height = 0;
    int centreX = 0;
    int centreY = 0;
};

struct LiveViewFields {
    // The header's face table holds this many records; a larger count is cut.
    static constexpr int kMaxFaces = orv::liveview::kMaxFaces;

    int jpegWidth = 0;
    int jpegHeight = 0;
    int wholeWidth = 0;
    int wholeHeight = 0;
    SensorArea shown; // the part of the sensor the JPEG shows
    SensorArea afArea;
    bool focusDriving = false;
    int remainingSeconds = 0;
    bool inFocus = false;
    uint32_t movieTime_ms = 0;
    int faceCount = 0; // at most kMaxFaces
    std::array<SensorArea, kMaxFaces> faces{};
    uint8_t soundPeakLeft = 0;
    uint8_t soundPeakRight = 0;
    uint8_t soundLevelLeft = 0;
    uint8_t soundLevelRight = 0;
};

LiveViewFields ReadLiveViewFields(const LiveViewHeader& header);
