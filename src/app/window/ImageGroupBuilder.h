#pragma once
// Builds the "Images" group of the Main page: image directory, prefix and
// number, file-type indicators, View, the preview toggle and auto close.
#include "widgets/WindowControls.h"

class QWidget;

namespace mainpage {

void buildImageGroup(QWidget* page, WindowControls& controls);

} // namespace mainpage
