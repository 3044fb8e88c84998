#include "camera/CapabilityListDump.h"

#include "camera/CamObject.h"
#include "camera/CameraLink.h"
#include "camera/ValueText.h"

using namespace orv;

std::vector<std::string> CapabilityListDump(CamObject* object) {
    if (!object || !object->link().RefreshCapabilities(object)) {
        return {};
    }
    const std::string title = ObjectTypeName(object->type()) + " capability list (" +
                              HexText(object->vendorObject()->id, 2) + ")";
    std::vector<std::string> lines{"---------- <b>" + title + "</b> ------------"};
    // A copy: reading values may deliver a list-changed event that replaces
    // the object's own list.
    const std::vector<CapabilityInfo> capabilities = object->capabilities();
    int number = 1;
    for (const CapabilityInfo& info : capabilities) {
        std::string access;
        access += (info.operations & kOpGet) ? 'r' : '-';
        access += (info.operations & kOpSet) ? 'w' : '-';
        access += (info.operations & kOpStart) ? 's' : '-';
        lines.push_back(std::to_string(number++) + ". " + HexText(info.id, 4) + ": " +
                        info.description + " <gr>" + access + "</gr> = <b>" +
                        CapabilityValueText(object, &info) + "</b>");
    }
    return lines;
}
