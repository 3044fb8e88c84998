#include "connection/ImageAreaList.h"

#include "camera/CameraTypeFacts.h"

ImageAreaList ImageAreaItems(uint32_t cameraType) {
    ImageAreaList list;
    for (const std::string& name : ImageAreaNames(cameraType)) {
        list.items.append(QString::fromStdString(name));
    }
    list.ownList = !list.items.isEmpty();
    if (!list.ownList) {
        list.items = {QStringLiteral("APS")};
    }
    return list;
}
