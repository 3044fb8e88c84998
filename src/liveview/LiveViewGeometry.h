#pragma once
// Where the live view's overlays go, computed from the header alone: the AF
// frame or the face frames on the live image, the navigator's shown area
// and frames, and the sensor point a click stands for. Painting only draws
// what these return. Nothing here divides by a width the header gives as 0:
// such a frame has no overlay, no navigator and no click point.
#include "liveview/LiveViewFields.h"

#include <array>
#include <optional>

// A rectangle in pixels; right and bottom are exclusive.
struct PixelBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const PixelBox&) const = default;
};

// The frames to draw: the AF area's (one), or one per face.
struct OverlayFrames {
    bool valid = false;
    bool faces = false;   // the boxes are faces, numbered from 1
    bool inFocus = false; // the AF frame is drawn green
    int count = 0;
    std::array<PixelBox, LiveViewFields::kMaxFaces> boxes{};
};

struct NavigatorGeometry {
    bool valid = false;
    int height = 0; // the navigator's height for its width
    PixelBox shown; // the area on screen
    OverlayFrames frames;
};

struct SensorPoint {
    int x = 0;
    int y = 0;
    bool operator==(const SensorPoint&) const = default;
};

// The live image is laid out for a frame this wide: the AF frame's
// horizontal offset is half of it, whatever the JPEG's own width.
constexpr int kLiveFrameWidth = 640;

// A header can put an area or a face far off the picture (a small shown
// area, a large JPEG width, a damaged frame): its frame is then drawn this
// far off, beyond any screen, and its sums stay far within an int.
constexpr int kFarOffPixels = 1 << 24;

// Rounds to the nearest integer, halves to even, within +-kFarOffPixels
// (NaN: 0).
int RoundHalfEven(double value);

OverlayFrames LiveImageFrames(const LiveViewFields& fields);
NavigatorGeometry Navigator(const LiveViewFields& fields, int navigatorWidth);

// The sensor point under a click on the live image or the navigator.
std::optional<SensorPoint> LiveImageClickPoint(const LiveViewFields& fields, int x, int y);
std::optional<SensorPoint> NavigatorClickPoint(const LiveViewFields& fields, int navigatorWidth,
                                               int x, int y);
