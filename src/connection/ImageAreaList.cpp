#include "connection/ImageAreaList.h"

ImageAreaList ImageAreaItems(uint32_t cameraType) {
    const QString full = QStringLiteral("FF");
    const QString aps = QStringLiteral("APS");
    const QString ratio54 = QStringLiteral("5:4");
    const QString crop12 = QStringLiteral("1.2x");
    switch (cameraType & 0xFF) {
    case 0x20:
    case 0x22:
    case 0x25:
    case 0x26:
    case 0x2C:
        return {{full, aps, ratio54}, true};
    case 0x24:
    case 0x2D:
        return {{full, aps}, true};
    case 0x2B:
    case 0x30:
    case 0x31:
    case 0x32:
        return {{full, aps, ratio54, crop12}, true};
    default:
        return {{aps}, false};
    }
}
