#include "camera/Callbacks.h"

#include "camera/CamObject.h"
#include "camera/CameraLink.h"
#include "camera/CapabilityValues.h"
#include "camera/SourceEventListener.h"

using namespace orv;

namespace {

CamObject* objectOf(intptr_t ref) {
    return reinterpret_cast<CamObject*>(ref);
}

template <typename Fn> uintptr_t address(Fn procedure) {
    return reinterpret_cast<uintptr_t>(procedure);
}

} // namespace

Callbacks::Callbacks(CameraLink& link) : m_link(link) {}

bool Callbacks::installProc(CamObject* object, uint32_t capId, uintptr_t procedure) {
    if (!CameraLink::CapabilitySupports(object, capId, kOpSet)) {
        return true;
    }
    CallbackPair pair{procedure, reinterpret_cast<intptr_t>(object)};
    return m_link.values().setCallback(object, capId, pair);
}

bool Callbacks::InstallCallbacks(CamObject* object) {
    if (!object) {
        return false;
    }
    switch (object->type()) {
    case kObjModule:
        return installProc(object, kCapEventProc, address(&ModuleEventProc)) &&
               installProc(object, kCapUiRequestProc, address(&UiRequestProc));
    case kObjSource:
        return installProc(object, kCapEventProc, address(&SourceEventProc));
    case kObjItem:
        return installProc(object, kCapEventProc, address(&ItemEventProc));
    case kObjData:
        return installProc(object, kCapEventProc, address(&DataEventProc));
    default:
        return true;
    }
}

bool Callbacks::RemoveCallbacks(CamObject* object) {
    if (!object) {
        return false;
    }
    for (uint32_t capId : {kCapProgressProc, kCapEventProc, kCapUiRequestProc}) {
        if (capId == kCapUiRequestProc && object->type() != kObjModule) {
            continue;
        }
        if (CameraLink::CapabilitySupports(object, capId, kOpSet) &&
            !m_link.values().clearValue(object, capId)) {
            return false;
        }
    }
    return true;
}

void Callbacks::ModuleEventProc(intptr_t ref, uint32_t event, uintptr_t data) {
    CamObject* module = objectOf(ref);
    if (!module) {
        return;
    }
    CameraLink& link = module->link();
    const auto id = static_cast<uint32_t>(data);
    switch (event & 0xFF) {
    case kEvChildAdded:
        // A camera already known has already been asked for its children.
        if (!CameraLink::FindChild(module, id) && link.OpenChild(module, id)) {
            link.EnumerateChildren(CameraLink::FindChild(module, id));
        }
        break;
    case kEvCapListChanged:
        link.RefreshCapabilities(module);
        break;
    default:
        break;
    }
}

void Callbacks::SourceEventProc(intptr_t ref, uint32_t event, uintptr_t data) {
    CamObject* source = objectOf(ref);
    if (!source) {
        return;
    }
    if (SourceEventListener* listener = source->link().sourceEventListener()) {
        listener->onSourceEvent(*source, event, static_cast<uint32_t>(data));
    }
}

void Callbacks::ItemEventProc(intptr_t ref, uint32_t event, uintptr_t data) {
    CamObject* item = objectOf(ref);
    if (!item) {
        return;
    }
    CameraLink& link = item->link();
    const auto id = static_cast<uint32_t>(data);
    switch (event) {
    case kEvChildAdded:
        link.OpenChild(item, id);
        break;
    case kEvChildRemoved:
        link.CloseChild(item, id);
        break;
    case kEvCapListChanged:
        link.RefreshCapabilities(item);
        break;
    default:
        break;
    }
}

void Callbacks::DataEventProc(intptr_t ref, uint32_t event, uintptr_t /*data*/) {
    CamObject* dataObject = objectOf(ref);
    if (dataObject && (event & 0x7F) == kEvCapListChanged) {
        dataObject->link().RefreshCapabilities(dataObject);
    }
}

uint32_t Callbacks::UiRequestProc(intptr_t ref, const void* /*request*/) {
    if (CamObject* module = objectOf(ref)) {
        module->link().dslrLog("CAMERA: UIRequestProc ");
    }
    return kReplyNone;
}
