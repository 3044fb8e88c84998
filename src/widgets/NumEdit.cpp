#include "widgets/NumEdit.h"

#include <QApplication>
#include <QKeyEvent>

TIntEdit::TIntEdit(QWidget* parent)
    : QLineEdit(QStringLiteral("0"), parent), m_beep([] { QApplication::beep(); }) {
    resize(kDefaultWidth, height());
}

int64_t TIntEdit::Value() const {
    bool ok = false;
    const qlonglong value = text().toLongLong(&ok, 10);
    return ok ? value : 0;
}

void TIntEdit::setValue(int64_t value) {
    setText(QString::number(value));
}

bool TIntEdit::accepts(QChar typed) {
    const char16_t c = typed.unicode();
    return (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == 8 || c == 13;
}

void TIntEdit::keyPressEvent(QKeyEvent* event) {
    // Keys without a character (arrows, Delete, Tab, shortcuts) are not typing.
    const QString typed = event->text();
    const bool isCharacter =
        typed.size() == 1 && (typed[0].isPrint() || typed[0] == QChar(8) || typed[0] == QChar(13));
    if (isCharacter && !accepts(typed[0]) && !(event->modifiers() & Qt::ControlModifier)) {
        event->accept();
        if (m_beep) {
            m_beep();
        }
        return;
    }
    QLineEdit::keyPressEvent(event);
}
