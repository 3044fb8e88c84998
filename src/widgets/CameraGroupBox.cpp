#include "widgets/CameraGroupBox.h"

#include <QMouseEvent>

void CameraGroupBox::mouseDoubleClickEvent(QMouseEvent* event) {
    QGroupBox::mouseDoubleClickEvent(event);
    emit doubleClicked();
}
