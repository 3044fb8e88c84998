#include "app/window/CameraListCombo.h"

#include <QComboBox>
#include <QSignalBlocker>

int CameraListCombo::count() const {
    return m_combo.count();
}

std::string CameraListCombo::itemText(int index) const {
    return m_combo.itemText(index).toStdString();
}

// Adding to an empty combo box selects the new entry; that selection is the
// box's own doing, not the user's, so it is not reported either.
void CameraListCombo::addItem(const std::string& text) {
    const QSignalBlocker blocker(&m_combo);
    m_combo.addItem(QString::fromStdString(text));
}

void CameraListCombo::removeItem(int index) {
    const QSignalBlocker blocker(&m_combo);
    m_combo.removeItem(index);
}

void CameraListCombo::clear() {
    const QSignalBlocker blocker(&m_combo);
    m_combo.clear();
}

int CameraListCombo::currentIndex() const {
    return m_combo.currentIndex();
}

void CameraListCombo::setCurrentIndex(int index) {
    const QSignalBlocker blocker(&m_combo);
    m_combo.setCurrentIndex(index);
}

void CameraListCombo::repaint() {
    m_combo.update();
}
