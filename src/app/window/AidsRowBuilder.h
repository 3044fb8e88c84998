#pragma once
// Builds the "Aids" row of the preview group: one checkable button per
// live view aid, the guides menu and the menu of the aids' levels and
// colours, and the label for the readings.
#include "widgets/WindowControls.h"

namespace mainpage {

void buildAidsRow(QWidget* group, LiveViewAidControls& aids);

// The row's height; it sits just above the live view control panel.
inline constexpr int kAidsRowHeight = 22;

} // namespace mainpage
