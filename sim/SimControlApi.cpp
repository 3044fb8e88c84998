// The exported C control interface: each function acts on the one world.
#include "SimClock.h"
#include "SimLiveView.h"
#include "SimText.h"
#include "SimWorld.h"
#include "sim_control.h"

#include <algorithm>
#include <cstring>

#define VSIM_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using vsim::copyText;
using vsim::SimCamera;
using vsim::SimCapability;
using vsim::SimWorld;

SimWorld& world() {
    return SimWorld::instance();
}

// A camera capability of the given value type, or null.
SimCapability* capOf(int camera, uint32_t capId, uint32_t valueType) {
    SimCamera* c = world().camera(camera);
    SimCapability* cap = c != nullptr ? c->find(capId) : nullptr;
    return cap != nullptr && cap->valueType == valueType ? cap : nullptr;
}

// The body changed a value: keep dependants in step and tell the program.
int changed(int camera, uint32_t capId) {
    world().camera(camera)->afterWrite(capId);
    vsim::SimLiveView(world(), *world().camera(camera)).afterWrite(capId);
    world().raiseValueChanged(camera, capId);
    return 1;
}

int capListChanged(int camera, uint32_t capId) {
    world().raise(orv::kObjSource, camera, 0, 0, orv::kEvCapListChanged, capId);
    return 1;
}

} // namespace

VSIM_EXPORT void vsim_reset(void) {
    world().reset();
}

VSIM_EXPORT int vsim_attach(const char* model) {
    return model == nullptr ? 0 : world().attach(model);
}

VSIM_EXPORT int vsim_detach(int camera) {
    return world().detach(camera) ? 1 : 0;
}

VSIM_EXPORT size_t vsim_cameras(int* handles, size_t capacity) {
    const auto& cameras = world().cameras();
    for (size_t i = 0; handles != nullptr && i < std::min(capacity, cameras.size()); ++i) {
        handles[i] = cameras[i]->handle();
    }
    return cameras.size();
}

VSIM_EXPORT size_t vsim_model(int camera, char* buffer, size_t size) {
    const SimCamera* c = world().camera(camera);
    return copyText(c != nullptr ? c->model() : std::string(), buffer, size);
}

VSIM_EXPORT size_t vsim_serial_number(int camera, char* buffer, size_t size) {
    const SimCamera* c = world().camera(camera);
    return copyText(c != nullptr ? c->serialNumber() : std::string(), buffer, size);
}

VSIM_EXPORT size_t vsim_firmware_version(int camera, char* buffer, size_t size) {
    const SimCamera* c = world().camera(camera);
    return copyText(c != nullptr ? c->firmwareVersion() : std::string(), buffer, size);
}

VSIM_EXPORT size_t vsim_model_count(void) {
    return vsim::modelTable().size();
}

VSIM_EXPORT size_t vsim_model_name(size_t index, char* buffer, size_t size) {
    const auto& models = vsim::modelTable();
    return copyText(index < models.size() ? models[index].name : std::string(), buffer, size);
}

VSIM_EXPORT uint32_t vsim_source_id(int camera) {
    const SimCamera* c = world().camera(camera);
    return c != nullptr ? c->sourceId() : 0;
}

VSIM_EXPORT void vsim_set_plug_listener(vsim_plug_listener listener, void* context) {
    world().setPlugListener(listener, context);
}

// ---- Camera body --------------------------------------------------------------

VSIM_EXPORT int vsim_set_unsigned(int camera, uint32_t cap, uint32_t value) {
    SimCapability* c = capOf(camera, cap, orv::kVtUnsigned);
    return c == nullptr ? 0 : (c->u = value, changed(camera, cap));
}

VSIM_EXPORT int vsim_set_integer(int camera, uint32_t cap, int32_t value) {
    SimCapability* c = capOf(camera, cap, orv::kVtInteger);
    return c == nullptr ? 0 : (c->i = value, changed(camera, cap));
}

VSIM_EXPORT int vsim_set_boolean(int camera, uint32_t cap, bool value) {
    SimCapability* c = capOf(camera, cap, orv::kVtBoolean);
    return c == nullptr ? 0 : (c->b = value, changed(camera, cap));
}

VSIM_EXPORT int vsim_set_float(int camera, uint32_t cap, double value) {
    SimCapability* c = capOf(camera, cap, orv::kVtFloat);
    return c == nullptr ? 0 : (c->f = value, changed(camera, cap));
}

VSIM_EXPORT int vsim_set_text(int camera, uint32_t cap, const char* value) {
    SimCapability* c = capOf(camera, cap, orv::kVtString);
    if (c == nullptr) {
        c = capOf(camera, cap, orv::kVtGeneric);
    }
    if (c == nullptr || value == nullptr) {
        return 0;
    }
    c->text = value;
    return changed(camera, cap);
}

VSIM_EXPORT int vsim_set_enum_index(int camera, uint32_t cap, uint32_t index) {
    SimCapability* c = capOf(camera, cap, orv::kVtEnum);
    const size_t entries = c == nullptr ? 0 : c->enumEntries();
    return index >= entries ? 0 : (c->currentIndex = index, changed(camera, cap));
}

VSIM_EXPORT int vsim_set_enum_values(int camera, uint32_t cap, const uint32_t* values, size_t count,
                                     uint32_t current_index) {
    SimCapability* c = capOf(camera, cap, orv::kVtEnum);
    if (c == nullptr || (count > 0 && values == nullptr) || (count > 0 && current_index >= count)) {
        return 0;
    }
    c->elementType = orv::kElemUnsigned;
    c->bytesPerElement = 4;
    c->texts.clear();
    c->values.assign(values, values + count);
    c->currentIndex = current_index;
    c->defaultIndex = std::min(c->defaultIndex, current_index);
    return changed(camera, cap);
}

VSIM_EXPORT int vsim_set_enum_texts(int camera, uint32_t cap, const char* packed, size_t count,
                                    uint32_t current_index) {
    SimCapability* c = capOf(camera, cap, orv::kVtEnum);
    if (c == nullptr || (count > 0 && packed == nullptr) || (count > 0 && current_index >= count)) {
        return 0;
    }
    c->elementType = orv::kElemPackedText;
    c->bytesPerElement = 1;
    c->values.clear();
    c->texts.clear();
    for (size_t i = 0; i < count; ++i) {
        c->texts.emplace_back(packed);
        packed += c->texts.back().size() + 1;
    }
    c->currentIndex = current_index;
    c->defaultIndex = std::min(c->defaultIndex, current_index);
    return changed(camera, cap);
}

VSIM_EXPORT int vsim_set_range(int camera, uint32_t cap, const vsim_range* range) {
    SimCapability* c = capOf(camera, cap, orv::kVtRange);
    if (c == nullptr || range == nullptr) {
        return 0;
    }
    c->range = {range->value, range->default_value, range->value_index, range->default_index,
                range->lower, range->upper,         range->steps};
    return changed(camera, cap);
}

VSIM_EXPORT int vsim_set_date_time(int camera, uint32_t cap, const vsim_date_time* value) {
    SimCapability* c = capOf(camera, cap, orv::kVtDateTime);
    if (c == nullptr || value == nullptr) {
        return 0;
    }
    vsim::setClock(*c,
                   {value->year, value->month, value->day, value->hour, value->minute,
                    value->second, value->sub_second},
                   world().liveClock().now_ms());
    return changed(camera, cap);
}

VSIM_EXPORT uint32_t vsim_get_unsigned(int camera, uint32_t cap) {
    const SimCapability* c = capOf(camera, cap, orv::kVtUnsigned);
    return c != nullptr ? c->u : 0;
}

VSIM_EXPORT int32_t vsim_get_integer(int camera, uint32_t cap) {
    const SimCapability* c = capOf(camera, cap, orv::kVtInteger);
    return c != nullptr ? c->i : 0;
}

VSIM_EXPORT bool vsim_get_boolean(int camera, uint32_t cap) {
    const SimCapability* c = capOf(camera, cap, orv::kVtBoolean);
    return c != nullptr && c->b;
}

VSIM_EXPORT double vsim_get_float(int camera, uint32_t cap) {
    const SimCapability* c = capOf(camera, cap, orv::kVtFloat);
    return c != nullptr ? c->f : 0.0;
}

VSIM_EXPORT size_t vsim_get_text(int camera, uint32_t cap, char* buffer, size_t size) {
    const SimCapability* c = capOf(camera, cap, orv::kVtString);
    if (c == nullptr) {
        c = capOf(camera, cap, orv::kVtGeneric);
    }
    return copyText(c != nullptr ? c->text : std::string(), buffer, size);
}

VSIM_EXPORT uint32_t vsim_get_enum_index(int camera, uint32_t cap) {
    const SimCapability* c = capOf(camera, cap, orv::kVtEnum);
    return c != nullptr ? c->currentIndex : 0;
}

VSIM_EXPORT int vsim_get_range(int camera, uint32_t cap, vsim_range* out) {
    const SimCapability* c = capOf(camera, cap, orv::kVtRange);
    if (c == nullptr || out == nullptr) {
        return 0;
    }
    const orv::RangeRecord r = c->range;
    *out = {r.value, r.defaultValue, r.valueIndex, r.defaultIndex, r.lower, r.upper, r.steps};
    return 1;
}

VSIM_EXPORT int vsim_get_date_time(int camera, uint32_t cap, vsim_date_time* out) {
    const SimCapability* c = capOf(camera, cap, orv::kVtDateTime);
    if (c == nullptr || out == nullptr) {
        return 0;
    }
    const orv::DateTimeRecord d = vsim::clockShows(*c, world().liveClock().now_ms());
    *out = {d.year, d.month, d.day, d.hour, d.minute, d.second, d.subSecond};
    return 1;
}

namespace {

// A text array of 256-byte elements, or null.
const SimCapability* textArrayOf(int camera, uint32_t capId) {
    const SimCapability* c = capOf(camera, capId, orv::kVtArray);
    return c != nullptr && c->elementType == orv::kElemText256 ? c : nullptr;
}

} // namespace

VSIM_EXPORT uint32_t vsim_text_element_count(int camera, uint32_t cap) {
    const SimCapability* c = textArrayOf(camera, cap);
    return c != nullptr ? c->elementCount() : 0;
}

VSIM_EXPORT size_t vsim_get_text_element(int camera, uint32_t cap, uint32_t index, char* buffer,
                                         size_t size) {
    const SimCapability* c = textArrayOf(camera, cap);
    if (c == nullptr || index >= c->elementCount()) {
        return copyText({}, buffer, size);
    }
    const auto* block =
        reinterpret_cast<const char*>(c->arrayBytes.data()) + size_t{index} * c->bytesPerElement;
    return copyText(std::string(block, strnlen(block, c->bytesPerElement)), buffer, size);
}

VSIM_EXPORT int vsim_has_capability(int camera, uint32_t cap) {
    SimCamera* c = world().camera(camera);
    return c != nullptr && c->find(cap) != nullptr ? 1 : 0;
}

VSIM_EXPORT int vsim_remove_capability(int camera, uint32_t cap) {
    SimCamera* c = world().camera(camera);
    return c != nullptr && c->remove(cap) ? capListChanged(camera, cap) : 0;
}

VSIM_EXPORT int vsim_set_operations(int camera, uint32_t cap, uint32_t operations) {
    SimCamera* c = world().camera(camera);
    SimCapability* capability = c != nullptr ? c->find(cap) : nullptr;
    return capability == nullptr
               ? 0
               : (capability->operations = operations, capListChanged(camera, cap));
}

// ---- Items ----------------------------------------------------------------------

VSIM_EXPORT uint32_t vsim_add_item(int camera, uint32_t data_kinds) {
    SimCamera* c = world().camera(camera);
    if (c == nullptr || (data_kinds & (orv::kKindImage | orv::kKindVideo)) == 0) {
        return 0;
    }
    const uint32_t id = world().addItem(*c, data_kinds).id;
    world().raise(orv::kObjSource, camera, 0, 0, orv::kEvChildAdded, id);
    return id;
}

VSIM_EXPORT int vsim_remove_item(int camera, uint32_t item_id) {
    SimCamera* c = world().camera(camera);
    if (c == nullptr || !c->removeItem(item_id)) {
        return 0;
    }
    world().raise(orv::kObjSource, camera, 0, 0, orv::kEvChildRemoved, item_id);
    return 1;
}

// ---- Events -----------------------------------------------------------------------

VSIM_EXPORT int vsim_raise_event(const vsim_event_target* target, uint32_t event, uintptr_t data) {
    if (target == nullptr) {
        return 0;
    }
    return world().raise(target->object_type, target->camera, target->item_id, target->data_id,
                         event, data) > 0
               ? 1
               : 0;
}

VSIM_EXPORT int vsim_remove_object_capability(const vsim_event_target* target, uint32_t cap) {
    std::vector<SimCapability>* caps =
        target != nullptr ? world().capabilitiesOf(target->object_type, target->camera,
                                                   target->item_id, target->data_id)
                          : nullptr;
    if (caps == nullptr) {
        return 0;
    }
    const auto it = std::find_if(caps->begin(), caps->end(),
                                 [cap](const SimCapability& c) { return c.id == cap; });
    if (it == caps->end()) {
        return 0;
    }
    caps->erase(it);
    world().raise(target->object_type, target->camera, target->item_id, target->data_id,
                  orv::kEvCapListChanged, cap);
    return 1;
}

VSIM_EXPORT int vsim_request_user_interface(uint8_t kind, const char* prompt, const char* detail) {
    if (!world().objects().moduleOpen()) {
        return 0;
    }
    world().queue().pushUiRequest(
        {kind, prompt != nullptr ? prompt : "", detail != nullptr ? detail : ""});
    return 1;
}

VSIM_EXPORT int32_t vsim_last_ui_reply(void) {
    return world().lastUiReply();
}

// ---- Faults and log -------------------------------------------------------------------

VSIM_EXPORT void vsim_inject_fault(const vsim_fault* fault) {
    if (fault == nullptr || fault->kind < VSIM_FAULT_FAIL_WITH_RESULT ||
        fault->kind > VSIM_FAULT_ABSURD_TOTAL) {
        return;
    }
    vsim::Fault f;
    f.kind = static_cast<vsim::Fault::Kind>(fault->kind);
    f.command = fault->command;
    f.param = fault->param;
    f.objectType = fault->object_type;
    f.result = fault->result;
    f.count = fault->count;
    f.afterChunks = fault->after_chunks;
    world().faults().add(f);
}

VSIM_EXPORT void vsim_clear_faults(void) {
    world().faults().clear();
}

VSIM_EXPORT size_t vsim_call_log(vsim_call_record* records, size_t capacity) {
    const auto& log = world().callLog();
    for (size_t i = 0; records != nullptr && i < std::min(capacity, log.size()); ++i) {
        const vsim::CallRecord& r = log[i];
        records[i] = {r.objectType, r.objectId, r.command, r.param, r.dataType, r.result};
    }
    return log.size();
}

VSIM_EXPORT void vsim_clear_call_log(void) {
    world().clearCallLog();
}

VSIM_EXPORT int vsim_count_calls(uint32_t command, uint32_t param) {
    const auto& log = world().callLog();
    return static_cast<int>(std::count_if(log.begin(), log.end(), [&](const vsim::CallRecord& r) {
        return r.command == command && (param == 0 || r.param == param);
    }));
}

VSIM_EXPORT int vsim_pending_completions(void) {
    return world().queue().pendingCompletions() + world().transfers().heldCompletions();
}

VSIM_EXPORT int vsim_module_open(void) {
    return world().objects().moduleOpen() ? 1 : 0;
}
