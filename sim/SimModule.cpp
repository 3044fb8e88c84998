#include "SimModule.h"

#include "SimBody.h"
#include "SimClock.h"
#include "SimDelivery.h"
#include "SimLiveView.h"
#include "SimResult.h"

#include <cstring>
#include <dlfcn.h>
#include <type_traits>

namespace vsim {

namespace {

bool isCallbackCap(uint32_t capId) {
    return capId == orv::kCapProgressProc || capId == orv::kCapEventProc ||
           capId == orv::kCapDataProc || capId == orv::kCapUiRequestProc;
}

orv::CallbackPair* callbackSlot(OpenObject& object, uint32_t capId) {
    switch (capId) {
    case orv::kCapProgressProc:
        return &object.progressProc;
    case orv::kCapEventProc:
        return &object.eventProc;
    case orv::kCapDataProc:
        return &object.dataProc;
    case orv::kCapUiRequestProc:
        return &object.uiRequestProc;
    default:
        return nullptr;
    }
}

// A started acquire completes after its last chunk, not at the next idle.
bool beganAcquire(uint32_t objectType, uint32_t command, uint32_t param, int32_t result) {
    return objectType == orv::kObjData && command == orv::kCmdStart && param == orv::kCapAcquire &&
           result == kOk;
}

} // namespace

int32_t SimModule::entry(orv::VendorObject* object, uint32_t command, uint32_t param,
                         uint32_t dataType, intptr_t data, orv::CompletionProcFn completion,
                         intptr_t completionRef) {
    Call call;
    call.vendor = object;
    call.object = m_world.objects().byAddress(object);
    call.command = command & 0x7F;
    call.param = param;
    call.dataType = dataType & 0xFF;
    call.data = data;

    const uint32_t objectType = call.object != nullptr ? call.object->type : 0;
    const uint64_t objectHandle = call.object != nullptr ? call.object->handle : 0;
    const size_t logSlot =
        m_world.appendCall({objectType, call.object != nullptr ? call.object->id : 0, call.command,
                            param, call.dataType, 0});
    const uint64_t generation = m_world.logGeneration();

    int32_t result = kOk;
    if (call.command == orv::kCmdIdle) {
        result = idle(call);
    } else if (const auto fault = m_world.faults().take(Fault::Kind::FailWithResult, call.command,
                                                        param, objectType)) {
        result = fault->result;
    } else {
        result = dispatch(call);
    }

    // The idle call may have run program code that cleared the log.
    if (m_world.logGeneration() == generation && logSlot < m_world.callLog().size()) {
        m_world.callLog()[logSlot].result = result;
    }

    if (completion != nullptr && call.command != orv::kCmdIdle) {
        // Every accepted request completes, failed ones too: the program
        // waits for the completion whatever the immediate result was.
        const PendingCompletion pending{completion,    object, objectHandle,  call.command, param,
                                        call.dataType, data,   completionRef, result};
        const bool never = m_world.faults()
                               .take(Fault::Kind::NeverComplete, call.command, param, objectType)
                               .has_value();
        if (beganAcquire(objectType, call.command, param, result)) {
            SimDelivery(m_world).holdCompletion(objectHandle, pending, never);
        } else if (never) {
            m_world.queue().park(pending);
        } else {
            m_world.queue().pushCompletion(pending);
        }
    }
    return result;
}

int32_t SimModule::dispatch(const Call& call) {
    switch (call.command) {
    case orv::kCmdOpen:
        return open(call);
    case orv::kCmdClose:
        return close(call);
    case orv::kCmdGetCapCount:
        return capabilityCount(call);
    case orv::kCmdGetCapInfo:
        return capabilityInfo(call);
    case orv::kCmdStart:
        return start(call);
    case orv::kCmdSet:
        return set(call);
    case orv::kCmdGet:
        return get(call);
    case orv::kCmdGetArray:
        return getContents(call);
    case orv::kCmdEnumChildren:
        return enumerateChildren(call);
    default:
        return kErrUnknownCommand;
    }
}

int32_t SimModule::usable(const Call& call) {
    const OpenObject* o = call.object;
    if (o == nullptr) {
        return kErrUnknownObject;
    }
    if (o->type == orv::kObjModule) {
        return kOk;
    }
    SimCamera* camera = m_world.camera(o->camera);
    if (camera == nullptr) {
        return kErrDeviceGone;
    }
    if (o->type == orv::kObjSource) {
        return kOk;
    }
    SimItem* item = camera->findItem(o->itemId);
    if (item == nullptr || (o->type == orv::kObjData && item->findData(o->id) == nullptr)) {
        return kErrDeviceGone;
    }
    return kOk;
}

std::vector<SimCapability>* SimModule::capabilities(const OpenObject& object) {
    return m_world.capabilitiesOf(object.type, object.camera, object.itemId, object.id);
}

SimCapability* SimModule::capability(const Call& call) {
    std::vector<SimCapability>* caps = capabilities(*call.object);
    if (caps == nullptr) {
        return nullptr;
    }
    for (SimCapability& cap : *caps) {
        if (cap.id == call.param) {
            return &cap;
        }
    }
    return nullptr;
}

// ---- Idle -------------------------------------------------------------------

int32_t SimModule::idle(const Call& call) {
    if (call.object == nullptr) {
        return kErrUnknownObject;
    }
    // An object whose camera is gone still lets the module hand over what it
    // owes (so no wait hangs), but the call reports the loss.
    const int32_t state = usable(call);
    if (const auto fault =
            m_world.faults().take(Fault::Kind::FailIdle, orv::kCmdIdle, 0, call.object->type)) {
        return fault->result;
    }
    // Only what was owed when the call began; handlers may queue more.
    size_t owed = m_world.queue().size();
    Delivery delivery;
    while (owed-- > 0 && m_world.queue().pop(delivery)) {
        deliver(delivery);
    }
    SimDelivery(m_world).idle();
    m_world.idleTick();
    return state;
}

void SimModule::deliver(Delivery& d) {
    switch (d.kind) {
    case Delivery::Kind::Completion: {
        const PendingCompletion& c = d.completion;
        const OpenObject* o = m_world.objects().byHandle(c.objectHandle);
        // A record the program has closed meanwhile is not handed back.
        orv::VendorObject* object = (o != nullptr && o->vendor == c.object) ? c.object : nullptr;
        c.procedure(object, c.command, c.param, c.dataType, c.data, c.reference, c.result);
        break;
    }
    case Delivery::Kind::Event: {
        const OpenObject* o = m_world.objects().byHandle(d.event.objectHandle);
        if (o == nullptr || o->eventProc.procedure == 0) {
            break;
        }
        const auto proc = reinterpret_cast<orv::EventProcFn>(o->eventProc.procedure);
        const intptr_t reference = o->eventProc.reference;
        proc(reference, d.event.event, d.event.data);
        break;
    }
    case Delivery::Kind::UiRequest: {
        const std::vector<uint64_t> modules = m_world.objects().find(orv::kObjModule);
        const OpenObject* o = modules.empty() ? nullptr : m_world.objects().byHandle(modules[0]);
        if (o == nullptr || o->uiRequestProc.procedure == 0) {
            break;
        }
        orv::UiRequestRecord record{};
        record.kind = d.uiRequest.kind;
        record.prompt = reinterpret_cast<uintptr_t>(d.uiRequest.prompt.c_str());
        record.detail = d.uiRequest.detail.empty()
                            ? 0
                            : reinterpret_cast<uintptr_t>(d.uiRequest.detail.c_str());
        const auto proc = reinterpret_cast<orv::UiRequestProcFn>(o->uiRequestProc.procedure);
        const intptr_t reference = o->uiRequestProc.reference;
        m_world.setLastUiReply(static_cast<int32_t>(proc(reference, &record)));
        break;
    }
    }
}

// ---- Object tree ------------------------------------------------------------

int32_t SimModule::openModule(const Call& call) {
    if (call.param != 0) {
        return kErrBadValue;
    }
    if (m_world.objects().moduleOpen()) {
        return kErrBusy;
    }
    // A fresh module starts without events, completions or transfers left over.
    m_world.queue().clear();
    m_world.transfers().clear();
    OpenObject o;
    o.type = orv::kObjModule;
    o.id = 0;
    o.vendor = reinterpret_cast<orv::VendorObject*>(call.data);
    m_world.objects().add(o);
    return kOk;
}

int32_t SimModule::open(const Call& call) {
    if (call.dataType != orv::kDtObject) {
        return kErrWrongDataType;
    }
    if (call.data == 0) {
        return kErrNoData;
    }
    if (m_world.objects().byAddress(reinterpret_cast<orv::VendorObject*>(call.data)) != nullptr) {
        return kErrBusy; // that record already stands for an open object
    }
    if (call.vendor == nullptr) {
        return openModule(call);
    }
    if (const int32_t r = usable(call); r != kOk) {
        return r;
    }
    const OpenObject& parent = *call.object;
    OpenObject child;
    child.vendor = reinterpret_cast<orv::VendorObject*>(call.data);
    child.parent = parent.handle;
    child.id = call.param;
    if (parent.type == orv::kObjModule) {
        SimCamera* camera = m_world.cameraBySource(call.param);
        if (camera == nullptr) {
            return kErrBadValue;
        }
        child.type = orv::kObjSource;
        child.camera = camera->handle();
    } else if (parent.type == orv::kObjSource) {
        if (m_world.camera(parent.camera)->findItem(call.param) == nullptr) {
            return kErrBadValue;
        }
        child.type = orv::kObjItem;
        child.camera = parent.camera;
        child.itemId = call.param;
    } else if (parent.type == orv::kObjItem) {
        SimItem* item = m_world.camera(parent.camera)->findItem(parent.itemId);
        if (item->findData(call.param) == nullptr) {
            return kErrBadValue;
        }
        child.type = orv::kObjData;
        child.camera = parent.camera;
        child.itemId = parent.itemId;
    } else {
        return kErrBadValue; // data objects have no children
    }
    m_world.objects().add(child);
    return kOk;
}

int32_t SimModule::close(const Call& call) {
    if (call.object == nullptr) {
        return kErrUnknownObject;
    }
    const bool isModule = call.object->type == orv::kObjModule;
    const uint64_t handle = call.object->handle;
    const uintptr_t none = 0;
    std::memcpy(reinterpret_cast<char*>(call.vendor) + offsetof(orv::VendorObject, moduleRef),
                &none, sizeof none);
    m_world.objects().remove(handle);
    if (isModule) {
        // Closing the module ends every conversation: nothing owed remains.
        m_world.objects().clear();
        m_world.queue().clear();
        m_world.transfers().clear();
    }
    return kOk;
}

int32_t SimModule::enumerateChildren(const Call& call) {
    if (const int32_t r = usable(call); r != kOk) {
        return r;
    }
    const OpenObject& o = *call.object;
    std::vector<uint32_t> ids;
    if (o.type == orv::kObjModule) {
        for (const auto& camera : m_world.cameras()) {
            ids.push_back(camera->sourceId());
        }
    } else if (o.type == orv::kObjSource) {
        for (const SimItem& item : m_world.camera(o.camera)->items()) {
            ids.push_back(item.id);
        }
    } else if (o.type == orv::kObjItem) {
        for (const SimDataObject& d : m_world.camera(o.camera)->findItem(o.itemId)->data) {
            ids.push_back(d.id);
        }
    }
    for (const uint32_t id : ids) {
        m_world.queue().pushEvent({o.handle, orv::kEvChildAdded, id});
    }
    return kOk;
}

// ---- Capabilities -----------------------------------------------------------

int32_t SimModule::capabilityCount(const Call& call) {
    if (const int32_t r = usable(call); r != kOk) {
        return r;
    }
    if (call.dataType != orv::kDtUnsigned) {
        return kErrWrongDataType;
    }
    if (call.data == 0) {
        return kErrNoData;
    }
    const auto count = static_cast<uint32_t>(capabilities(*call.object)->size());
    std::memcpy(reinterpret_cast<void*>(call.data), &count, sizeof count);
    return kOk;
}

int32_t SimModule::capabilityInfo(const Call& call) {
    if (const int32_t r = usable(call); r != kOk) {
        return r;
    }
    if (call.dataType != orv::kDtCapInfoArray) {
        return kErrWrongDataType;
    }
    if (m_world.faults().take(Fault::Kind::ArrayTooSmall, call.command, call.param,
                              call.object->type)) {
        return kErrArrayTooSmall;
    }
    const std::vector<SimCapability>& caps = *capabilities(*call.object);
    if (call.param < caps.size()) {
        return kErrArrayTooSmall;
    }
    if (call.data == 0) {
        return kErrNoData;
    }
    auto* out = reinterpret_cast<char*>(call.data);
    for (size_t i = 0; i < caps.size(); ++i) {
        const orv::CapabilityInfo info = describe(caps[i]);
        std::memcpy(out + i * sizeof info, &info, sizeof info);
    }
    return kOk;
}

int32_t SimModule::callback(const Call& call, bool write) {
    orv::CallbackPair* slot = callbackSlot(*call.object, call.param);
    if (slot == nullptr) {
        return kErrUnknownCapability;
    }
    if (!write) {
        if (call.dataType != orv::kDtCallback) {
            return kErrWrongDataType;
        }
        if (call.data == 0) {
            return kErrNoData;
        }
        std::memcpy(reinterpret_cast<void*>(call.data), slot, sizeof *slot);
        return kOk;
    }
    if (call.dataType == orv::kDtNone) {
        *slot = {};
        return kOk;
    }
    if (call.dataType != orv::kDtCallback) {
        return kErrWrongDataType;
    }
    if (call.data == 0) {
        return kErrNoData;
    }
    std::memcpy(slot, reinterpret_cast<const void*>(call.data), sizeof *slot);
    return kOk;
}

int32_t SimModule::start(const Call& call) {
    if (const int32_t r = usable(call); r != kOk) {
        return r;
    }
    const SimCapability* cap = capability(call);
    if (cap == nullptr) {
        return kErrUnknownCapability;
    }
    if (!cap->allows(orv::kOpStart)) {
        return kErrNotPermitted;
    }
    if (cap->id == orv::kCapTerminateCapture && call.dataType == orv::kDtGeneric &&
        call.data == 0) {
        return kErrNoData;
    }
    if (cap->id == orv::kCapAcquire && call.object->type == orv::kObjData) {
        return SimDelivery(m_world).beginAcquire(*call.object);
    }
    if (call.object->type == orv::kObjSource) {
        SimBody body(m_world, *m_world.camera(call.object->camera));
        if (cap->id == orv::kCapCapture) {
            return body.startCapture();
        }
        if (cap->id == orv::kCapTerminateCapture) {
            return body.terminateCapture();
        }
    }
    return kOk;
}

int32_t SimModule::set(const Call& call) {
    if (call.object == nullptr) {
        return kErrUnknownObject;
    }
    const int32_t state = usable(call);
    // Procedures can always be removed, so a vanished camera can be closed.
    if (isCallbackCap(call.param) && (state == kOk || call.dataType == orv::kDtNone)) {
        return callback(call, true);
    }
    if (state != kOk) {
        return state;
    }
    SimCapability* cap = capability(call);
    if (cap == nullptr) {
        return kErrUnknownCapability;
    }
    if (!cap->allows(orv::kOpSet)) {
        return kErrNotPermitted;
    }
    const int32_t result = writeValue(*cap, call.dataType, call.data);
    if (result == kOk && call.object->type == orv::kObjSource) {
        if (cap->id == orv::kCapClockDateTime) {
            setClock(*cap, cap->dateTime, m_world.liveClock().now_ms());
        }
        SimCamera& camera = *m_world.camera(call.object->camera);
        camera.afterWrite(call.param);
        SimLiveView(m_world, camera).afterWrite(call.param);
        m_world.raiseValueChanged(call.object->camera, call.param);
    }
    return result;
}

int32_t SimModule::get(const Call& call) {
    if (const int32_t r = usable(call); r != kOk) {
        return r;
    }
    if (isCallbackCap(call.param)) {
        return callback(call, false);
    }
    const SimCapability* cap = capability(call);
    if (cap == nullptr) {
        return kErrUnknownCapability;
    }
    if (!cap->allows(orv::kOpGet)) {
        return kErrNotPermitted;
    }
    if (cap->id == orv::kCapLiveViewImage && call.object->type == orv::kObjSource) {
        return SimLiveView(m_world, *m_world.camera(call.object->camera))
            .frameRecord(call.dataType, call.data);
    }
    if (cap->id == orv::kCapMovieRead) {
        return SimDelivery(m_world).movieSize(*call.object, call.dataType, call.data);
    }
    if (cap->id == orv::kCapClockDateTime && cap->valueType == orv::kVtDateTime) {
        SimCapability shown = *cap;
        shown.dateTime = clockShows(*cap, m_world.liveClock().now_ms());
        return readValue(shown, call.dataType, call.data);
    }
    return readValue(*cap, call.dataType, call.data);
}

int32_t SimModule::getContents(const Call& call) {
    if (const int32_t r = usable(call); r != kOk) {
        return r;
    }
    const SimCapability* cap = capability(call);
    if (cap == nullptr) {
        return kErrUnknownCapability;
    }
    if (!cap->allows(orv::kOpGet | orv::kOpGetArray)) {
        return kErrNotPermitted;
    }
    if (cap->id == orv::kCapLiveViewImage && call.object->type == orv::kObjSource) {
        return SimLiveView(m_world, *m_world.camera(call.object->camera))
            .frameContents(call.dataType, call.data);
    }
    if (cap->id == orv::kCapMovieRead) {
        return SimDelivery(m_world).movieChunk(*call.object, call.dataType, call.data);
    }
    return readContents(*cap, call.dataType, call.data);
}

} // namespace vsim

// The entry that serves this copy of the library's own world.
extern "C" __attribute__((visibility("default"))) int32_t
vsim_world_entry(orv::VendorObject* object, uint32_t command, uint32_t param, uint32_t dataType,
                 intptr_t data, orv::CompletionProcFn completion, intptr_t completionRef) {
    return vsim::SimModule(vsim::SimWorld::instance())
        .entry(object, command, param, dataType, data, completion, completionRef);
}

// A module file the program downloads is a copy of this library under
// another name, so the loader maps it a second time with a world of its own
// and no cameras. Every copy therefore hands its calls to the first
// instance in the process's global scope (the library the program and the
// tests link, whose control interface attaches the cameras); only a copy
// loaded with no such instance serves its own world. The forwarding keeps
// all simulator code and data in that one instance, so unloading a copy
// leaves nothing behind that still points into it.
extern "C" __attribute__((visibility("default"))) int32_t
ModuleEntryPoint(orv::VendorObject* object, uint32_t command, uint32_t param, uint32_t dataType,
                 intptr_t data, orv::CompletionProcFn completion, intptr_t completionRef) {
    static const orv::ModuleEntryPointFn entry = [] {
        void* first = dlsym(RTLD_DEFAULT, "vsim_world_entry");
        return first != nullptr ? reinterpret_cast<orv::ModuleEntryPointFn>(first)
                                : &vsim_world_entry;
    }();
    return entry(object, command, param, dataType, data, completion, completionRef);
}

static_assert(std::is_same_v<decltype(&ModuleEntryPoint), orv::ModuleEntryPointFn>);
