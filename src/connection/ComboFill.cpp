#include "connection/ComboFill.h"

#include <QComboBox>
#include <QSignalBlocker>

QStringList LinesToItems(const std::string& lines) {
    QStringList items = QString::fromStdString(lines).split(QStringLiteral("\r\n"));
    if (!items.isEmpty() && items.last().isEmpty()) {
        items.removeLast();
    }
    return items;
}

void setComboItems(QComboBox* combo, const QStringList& items) {
    const QSignalBlocker blocker(combo);
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(-1);
}

void setComboIndex(QComboBox* combo, int index) {
    const QSignalBlocker blocker(combo);
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

void offerManualFocus(QComboBox* afMode, bool offered) {
    const QSignalBlocker blocker(afMode);
    if (offered && afMode->count() == kManualFocusMode) {
        afMode->addItem(QStringLiteral("MF"));
    } else if (!offered && afMode->count() > kManualFocusMode) {
        afMode->removeItem(kManualFocusMode);
    }
}
