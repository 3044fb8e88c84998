#pragma once
// Where an AF point sits on the camera's AF layout, and which layout a camera has.
#include "camera/CameraTypeFacts.h"

#include <cstdint>

// Looks `number` up in the AF layout of `afPointCount` (11, 39 or 51 points)
// and sets the offsets of its cell from the centre cell (AfLayout::cellOf,
// so for 0, which marks empty cells, the last empty cell wins). Returns
// false and leaves the offsets alone for other counts or numbers not in the
// layout.
bool FocusPointGrid(uint32_t afPointCount, int32_t number, int& horizontal, int& vertical);
