#pragma once
// Builds the "Camera control" group of the Main page: camera selection,
// Start/Stop, the state labels and pictures, the settings panels and the
// live view/movie buttons. Fills the matching members of `controls`.
#include "widgets/WindowControls.h"

class QWidget;

namespace mainpage {

void buildCameraGroup(QWidget* page, WindowControls& controls);

} // namespace mainpage
