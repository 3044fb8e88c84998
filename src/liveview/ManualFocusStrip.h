#pragma once
// The manual-focus strip `iContrastAF`: a click drives the lens focus by a
// step that grows with the click's distance from the strip's centre, away
// from the camera for a click left of it, towards it for one right of it.
// The strip shows the last drive as a green bar from the centre to the click.
#include <Qt>

#include <cstdint>
#include <optional>

class QImage;

// One drive of the lens: the step (0x8248 "MF drive step") and the direction
// (0x8249 "MF drive": 0 left of the centre, 1 right of it).
struct ManualFocusDrive {
    uint32_t step = 0;
    uint32_t direction = 0;

    bool operator==(const ManualFocusDrive&) const = default;
};

// The drive of a click at `x` on a strip `width` pixels wide: 23 per pixel
// of distance from the centre (width / 2), 3 per pixel with the right
// button (fine). Pixel 0 counts as pixel 1; nullopt for the centre itself.
std::optional<ManualFocusDrive> ManualFocusDriveAt(int x, int width, Qt::MouseButton button);

// The empty strip: two grey-outlined white halves meeting at the centre
// pixel column.
void DrawManualFocusStrip(QImage& image);

// The strip after a click at `x` (pixel 0 counts as 1): a green bar from the
// centre to the click, the rest inside the outline white. Nothing for a
// click on the centre.
void DrawManualFocusBar(QImage& image, int x);
