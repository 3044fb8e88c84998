#include "app/window/WindowKeys.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QWidget>

namespace {

bool isEnter(const QKeyEvent& key) {
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) &&
           modifiers == Qt::NoModifier;
}

// Line edits and spin boxes end the entry on Enter; the key is theirs even
// when they pass it on.
bool isTextEntry(const QWidget* widget) {
    return qobject_cast<const QLineEdit*>(widget) != nullptr ||
           qobject_cast<const QAbstractSpinBox*>(widget) != nullptr;
}

bool canPress(const QAbstractButton& button) {
    return button.isVisible() && button.isEnabled();
}

} // namespace

WindowKeys::WindowKeys(QWidget& window, QAbstractButton& defaultButton)
    : m_window(window), m_default(defaultButton) {
    // Owned by the window through Qt's object tree; a shortcut belongs to
    // the widget whose window it serves.
    auto* quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), &window);
    quit->setContext(Qt::WindowShortcut);
    connect(quit, &QShortcut::activated, &window, &QWidget::close);
    window.installEventFilter(this);
}

// Key presses that no control used travel up to the window and arrive here.
bool WindowKeys::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_window && event->type() == QEvent::KeyPress &&
        isEnter(*static_cast<QKeyEvent*>(event))) {
        return enterPressed();
    }
    return QObject::eventFilter(watched, event);
}

bool WindowKeys::enterPressed() {
    QWidget* focus = m_window.focusWidget();
    if (isTextEntry(focus)) {
        return false;
    }
    auto* focusedButton = qobject_cast<QPushButton*>(focus);
    QAbstractButton& target =
        focusedButton != nullptr ? static_cast<QAbstractButton&>(*focusedButton) : m_default;
    if (!canPress(target)) {
        return false;
    }
    target.click();
    return true;
}
