#pragma once
// Where the user's hand takes the chosen AF point: the point a click on the
// AF picture `iFocus` hits, and the point an arrow button moves to. Pure
// functions of the layout (11, 39 or 51 points).
#include "camera/AfLayout.h"

#include <QPoint>

#include <optional>

// The point whose click box holds `pixel`. The click boxes are not the
// drawn outlines: they are a little wider in places and leave gaps between
// neighbours. nullopt in a gap, outside the picture and for unknown layouts.
std::optional<AfCell> AfPointAtPixel(int afPointCount, QPoint pixel);

enum class AfStep { Up, Down, Left, Right };

// The neighbour of `from` in direction `step` when it is a point of the
// layout, otherwise `from` itself: the chosen point never leaves the layout.
AfCell StepAfPoint(int afPointCount, AfCell from, AfStep step);
