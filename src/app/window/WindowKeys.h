#pragma once
// WindowKeys: the main window's keyboard commands. Ctrl+Q closes the
// window as its close box does. Enter and Return press the default button
// (the shutter release), as a dialog's default button works: a key that
// reaches the window unused by the control in focus. A text entry keeps
// its Enter (it ends the entry there), and a push button in focus is
// pressed itself, not the default one; a hidden or disabled default button
// is not pressed.
#include <QObject>

class QAbstractButton;
class QShortcut;
class QWidget;

class WindowKeys : public QObject {
    Q_OBJECT
public:
    WindowKeys(QWidget& window, QAbstractButton& defaultButton);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What Enter does with the current focus; true when it was used.
    bool enterPressed();

    QWidget& m_window;
    QAbstractButton& m_default;
};
