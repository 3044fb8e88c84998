#include "widgets/umEdit.h"

#include <QPalette>

TumEdit::TumEdit(QWidget* parent)
    : QLineEdit(parent), m_colorDisabled(palette().color(QPalette::Active, QPalette::Window)) {
    applyLook();
}

void TumEdit::setAlignment(Qt::Alignment alignment) {
    if (alignment == m_alignment) {
        return;
    }
    m_alignment = alignment;
    applyLook();
}

void TumEdit::setColorDisabled(const QColor& color) {
    if (color == m_colorDisabled) {
        return;
    }
    m_colorDisabled = color;
    applyLook();
}

void TumEdit::focusInEvent(QFocusEvent* event) {
    m_focused = true;
    applyLook();
    QLineEdit::focusInEvent(event);
}

void TumEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    m_focused = false;
    applyLook();
}

void TumEdit::applyLook() {
    QLineEdit::setAlignment((m_focused ? Qt::AlignLeft : m_alignment) | Qt::AlignVCenter);
    QPalette look = palette();
    look.setColor(QPalette::Disabled, QPalette::Base, m_colorDisabled);
    look.setColor(QPalette::Disabled, QPalette::Text, QColor(Qt::gray));
    setPalette(look);
    update();
}
