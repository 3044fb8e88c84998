#pragma once
// Where an AF point sits on the camera's AF layout, and which layout a camera has.
#include "camera/CameraTypeFacts.h"

#include <cstdint>

// Looks `number` up in the AF grid of `afPointCount` (11, 39 or 51 points)
// and sets the offsets of its cell from the centre cell. Every equal cell
// overwrites the offsets, so the last one scanned wins (this matters only
// for 0, which marks empty cells). Returns false and leaves the offsets
// alone for other counts or numbers not in the grid.
bool FocusPointGrid(uint32_t afPointCount, int32_t number, int& horizontal, int& vertical);
