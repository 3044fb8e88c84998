#include "app/CameraListControl.h"

std::string currentText(const CameraListControl& list) {
    const int index = list.currentIndex();
    return index >= 0 && index < list.count() ? list.itemText(index) : std::string();
}

int findItem(const CameraListControl& list, const std::string& text) {
    for (int i = 0; i < list.count(); ++i) {
        if (list.itemText(i) == text) {
            return i;
        }
    }
    return -1;
}
