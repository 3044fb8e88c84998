#include "camera/Callbacks.h"

#include "camera/CamObject.h"
#include "camera/CameraLink.h"
#include "camera/CapabilityValues.h"
#include "camera/SourceEventListener.h"
#include "camera/UiRequestHandler.h"
#include "camera/ValueText.h"

#include <cstring>

using namespace orv;

namespace {

constexpr uint32_t kUiKindLast = 3;

CamObject* objectOf(intptr_t ref) {
    return reinterpret_cast<CamObject*>(ref);
}

template <typename Fn> uintptr_t address(Fn procedure) {
    return reinterpret_cast<uintptr_t>(procedure);
}

// A module text of bounded length (a missing terminator must not run on).
std::string boundedText(const char* text) {
    return text ? std::string(text, strnlen(text, Callbacks::kMaxUiTextBytes)) : std::string();
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
    if (!object || !m_link.isLive(object)) {
        return false;
    }
    switch (object->type()) {
    case kObjModule: {
        const CamObjectRef ref = m_link.refOf(object);
        // The first set waits on the module; the object is looked up again.
        return installProc(object, kCapEventProc, address(&ModuleEventProc)) &&
               m_link.resolve(ref) &&
               installProc(object, kCapUiRequestProc, address(&UiRequestProc));
    }
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
    if (!object || !m_link.isLive(object)) {
        return false;
    }
    const CamObjectRef ref = m_link.refOf(object);
    const bool isModule = object->type() == kObjModule;
    for (uint32_t capId : {kCapProgressProc, kCapEventProc, kCapUiRequestProc}) {
        if (capId == kCapUiRequestProc && !isModule) {
            continue;
        }
        // Each clear waits on the module, whose callbacks may close the object.
        if (!m_link.resolve(ref)) {
            return false;
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
        // A camera already known has already been asked for its children;
        // asking again would announce its items twice.
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
    const std::string prefix = "ITEM Event ";
    switch (event) {
    case kEvChildAdded:
        link.OpenChild(item, id);
        break;
    case kEvChildRemoved:
        link.CloseChild(item, id);
        break;
    case kEvCapListChanged:
        link.dslrLog(prefix + "Capability change 0x" + HexText(id, 4));
        link.RefreshCapabilities(item);
        break;
    case kEvOrphanedChildren:
        link.dslrLog(prefix + "Orphaned children");
        break;
    case kEvCapValueChanged:
        link.dslrLog(prefix + "Capability 0x" + HexText(id, 4) + " value change");
        break;
    case 2:
    case 3:
        break;
    default:
        link.dslrLog(prefix + "Detected unknown Event to the Item object.");
        break;
    }
}

void Callbacks::DataEventProc(intptr_t ref, uint32_t event, uintptr_t data) {
    CamObject* dataObject = objectOf(ref);
    if (!dataObject) {
        return;
    }
    CameraLink& link = dataObject->link();
    const auto id = static_cast<uint32_t>(data);
    const std::string prefix = "DATA Event ";
    const uint32_t code = event & 0x7F;
    if (code == kEvCapListChanged) {
        link.dslrLog(prefix + "Capability 0x" + HexText(id, 4) + " changed.");
        link.RefreshCapabilities(dataObject);
    } else if (code == kEvCapValueChanged) {
        link.dslrLog(prefix + "The value of Capability(0x" + HexText(id, 4) + ") was changed.");
    } else if (code > kEvCapValueChanged) {
        // The full number as it came: its high bits are what makes it unknown.
        link.dslrLog(prefix + "Detected unknown Event to the Data object:" + HexText(event, 4));
    }
}

uint32_t Callbacks::UiRequestProc(intptr_t ref, const void* request) {
    CamObject* module = objectOf(ref);
    if (!module) {
        return kReplyNone;
    }
    CameraLink& link = module->link();
    link.dslrLog("CAMERA: UIRequestProc ");
    UiRequestHandler* handler = link.uiRequestHandler();
    if (!handler) {
        return kReplyNone;
    }
    const std::optional<UiQuestion> question = ReadUiRequest(request);
    if (!question) {
        return kReplyNone;
    }
    return UiReplyForModule(handler->ask(question->kind, question->message));
}

std::string UiRequestMessage(const char* prompt, const char* detail) {
    std::string message = boundedText(prompt);
    const std::string more = boundedText(detail);
    if (!more.empty()) {
        message += "\r\n" + more;
    }
    return message;
}

std::optional<UiQuestion> ReadUiRequest(const void* request) {
    if (!request) {
        return std::nullopt;
    }
    UiRequestRecord record{};
    std::memcpy(&record, request, sizeof record);
    if (record.kind > kUiKindLast) {
        return std::nullopt;
    }
    return UiQuestion{record.kind, UiRequestMessage(reinterpret_cast<const char*>(record.prompt),
                                                    reinterpret_cast<const char*>(record.detail))};
}

uint32_t UiReplyForModule(uint32_t reply) {
    return reply <= kReplyNo ? reply : kReplyNone;
}
