#pragma once
// Mouse-wheel rules of the whole program: on the About page the wheel
// scrolls the change log wherever the pointer is, one line per 60 units of
// delta; over the live image (or the preview group around it) it steps the
// live view zoom. Everywhere else the wheel goes where Qt sends it, to the
// control under the pointer.
#include "widgets/WindowControls.h"

#include <QObject>

class WheelRouting : public QObject {
    Q_OBJECT
public:
    struct Controls {
        QWidget* tsAbout = nullptr;
        QPlainTextEdit* mChangelog = nullptr;
        QWidget* gbPreview = nullptr;
        QWidget* pbLiveView = nullptr;
        QComboBox* cbLVzoom = nullptr;
    };
    // Watches every wheel event of the application aimed at `window`.
    WheelRouting(QWidget& window, Controls controls, QObject* parent = nullptr);

    // Lines a wheel delta scrolls the change log: positive up.
    static int changelogLines(int delta);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool route(QWidget* receiver, const QWheelEvent& wheel);

    QWidget& m_window;
    Controls m_c;
};
