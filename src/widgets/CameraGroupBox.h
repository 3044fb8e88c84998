#pragma once
// The "Camera control" group box; a double click on it toggles the window
// between its short and tall height, so it reports double clicks.
#include <QGroupBox>

class CameraGroupBox : public QGroupBox {
    Q_OBJECT
public:
    using QGroupBox::QGroupBox;

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
