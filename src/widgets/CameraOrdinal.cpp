#include "widgets/CameraOrdinal.h"

int cameraOrdinal(const QStringList& entries, int selected) {
    if (selected < 0 || selected >= entries.size()) {
        return 0;
    }
    int ordinal = 0;
    for (int i = 0; i <= selected; ++i) {
        if (entries[i] == entries[selected]) {
            ++ordinal;
        }
    }
    return ordinal;
}

int cameraOrdinal(const QComboBox& selector) {
    QStringList entries;
    for (int i = 0; i < selector.count(); ++i) {
        entries << selector.itemText(i);
    }
    return cameraOrdinal(entries, selector.currentIndex());
}
