#pragma once
// Builds the "Info" page: model, lens, serial and firmware of the camera, the
// two clocks with "Adjust", and the (initially hidden) groups for the
// camera's text rows and the manual lens data.
#include "widgets/WindowControls.h"

class QWidget;

namespace infopage {

void buildInfoPage(QWidget* page, InfoPageControls& controls);

// Keeps the "Save to camera" buttons at the bottom of their groups, whose
// heights follow the number of rows.
void layoutInfoPage(const InfoPageControls& controls);

} // namespace infopage
