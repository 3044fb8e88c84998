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

int cameraOrdinal(const CameraListControl& list) {
    const int selected = list.currentIndex();
    if (selected < 0 || selected >= list.count()) {
        return 0;
    }
    const std::string text = list.itemText(selected);
    int ordinal = 0;
    for (int i = 0; i <= selected; ++i) {
        ordinal += list.itemText(i) == text ? 1 : 0;
    }
    return ordinal;
}
