#include "tether/CameraNameList.h"

#include <algorithm>

std::string CameraNameList::itemText(int index) const {
    return index >= 0 && index < count() ? m_names[static_cast<std::size_t>(index)] : std::string();
}

void CameraNameList::removeItem(int index) {
    if (index < 0 || index >= count()) {
        return;
    }
    m_names.erase(m_names.begin() + index);
    if (m_current >= count()) {
        m_current = count() - 1;
    }
}

void CameraNameList::clear() {
    m_names.clear();
    m_current = -1;
}

void CameraNameList::setCurrentIndex(int index) {
    m_current = index >= 0 && index < count() ? index : -1;
}
