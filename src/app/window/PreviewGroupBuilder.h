#pragma once
// Builds the preview group of the Main page: the live image, its navigator,
// the still image and the live view control panel with the movie settings, and the aids row.
#include "widgets/WindowControls.h"

class QWidget;

namespace mainpage {

void buildPreviewGroup(QWidget* page, WindowControls& controls);

// Places the preview group's parts for the group's current size.
void layoutPreviewGroup(const LiveViewControls& liveView, const LiveViewAidControls& aids);

} // namespace mainpage
