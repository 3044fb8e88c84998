// C++ wrapper over the exported C control functions.
#include "SimControl.h"

#include "sim_control.h"

#include <algorithm>

namespace vsim {

namespace {

// Reads a text through one of the snprintf-style C getters.
template <typename Getter> std::string readText(Getter getter) {
    std::string text(getter(nullptr, 0), '\0');
    if (!text.empty()) {
        getter(text.data(), text.size() + 1);
    }
    return text;
}

} // namespace

void SimControl::reset() {
    vsim_reset();
}

int SimControl::attach(const std::string& model) {
    return vsim_attach(model.c_str());
}

bool SimControl::detach(int camera) {
    return vsim_detach(camera) != 0;
}

std::vector<int> SimControl::cameras() {
    std::vector<int> handles(vsim_cameras(nullptr, 0));
    handles.resize(vsim_cameras(handles.data(), handles.size()));
    return handles;
}

std::string SimControl::model(int camera) {
    return readText([camera](char* b, size_t n) { return vsim_model(camera, b, n); });
}

std::string SimControl::serialNumber(int camera) {
    return readText([camera](char* b, size_t n) { return vsim_serial_number(camera, b, n); });
}

std::string SimControl::firmwareVersion(int camera) {
    return readText([camera](char* b, size_t n) { return vsim_firmware_version(camera, b, n); });
}

std::vector<std::string> SimControl::knownModels() {
    std::vector<std::string> names;
    for (size_t i = 0; i < vsim_model_count(); ++i) {
        names.push_back(readText([i](char* b, size_t n) { return vsim_model_name(i, b, n); }));
    }
    return names;
}

uint32_t SimControl::sourceId(int camera) {
    return vsim_source_id(camera);
}

void SimControl::setPlugListener(PlugListener listener, void* context) {
    vsim_set_plug_listener(listener, context);
}

bool SimControl::setUnsigned(int camera, uint32_t capId, uint32_t value) {
    return vsim_set_unsigned(camera, capId, value) != 0;
}

bool SimControl::setInteger(int camera, uint32_t capId, int32_t value) {
    return vsim_set_integer(camera, capId, value) != 0;
}

bool SimControl::setBoolean(int camera, uint32_t capId, bool value) {
    return vsim_set_boolean(camera, capId, value) != 0;
}

bool SimControl::setFloat(int camera, uint32_t capId, double value) {
    return vsim_set_float(camera, capId, value) != 0;
}

bool SimControl::setText(int camera, uint32_t capId, const std::string& value) {
    return vsim_set_text(camera, capId, value.c_str()) != 0;
}

bool SimControl::setEnumIndex(int camera, uint32_t capId, uint32_t index) {
    return vsim_set_enum_index(camera, capId, index) != 0;
}

bool SimControl::setEnumValues(int camera, uint32_t capId, const std::vector<uint32_t>& values,
                               uint32_t currentIndex) {
    return vsim_set_enum_values(camera, capId, values.data(), values.size(), currentIndex) != 0;
}

bool SimControl::setEnumTexts(int camera, uint32_t capId, const std::vector<std::string>& texts,
                              uint32_t currentIndex) {
    std::string packed;
    for (const std::string& t : texts) {
        packed += t;
        packed.push_back('\0');
    }
    return vsim_set_enum_texts(camera, capId, packed.data(), texts.size(), currentIndex) != 0;
}

bool SimControl::setRange(int camera, uint32_t capId, const orv::RangeRecord& range) {
    const vsim_range r{range.value, range.defaultValue, range.valueIndex, range.defaultIndex,
                       range.lower, range.upper,        range.steps};
    return vsim_set_range(camera, capId, &r) != 0;
}

bool SimControl::setDateTime(int camera, uint32_t capId, const orv::DateTimeRecord& moduleValue) {
    const vsim_date_time d{moduleValue.year,     moduleValue.month,  moduleValue.day,
                           moduleValue.hour,     moduleValue.minute, moduleValue.second,
                           moduleValue.subSecond};
    return vsim_set_date_time(camera, capId, &d) != 0;
}

uint32_t SimControl::getUnsigned(int camera, uint32_t capId) {
    return vsim_get_unsigned(camera, capId);
}

int32_t SimControl::getInteger(int camera, uint32_t capId) {
    return vsim_get_integer(camera, capId);
}

bool SimControl::getBoolean(int camera, uint32_t capId) {
    return vsim_get_boolean(camera, capId);
}

double SimControl::getFloat(int camera, uint32_t capId) {
    return vsim_get_float(camera, capId);
}

std::string SimControl::getText(int camera, uint32_t capId) {
    return readText([=](char* b, size_t n) { return vsim_get_text(camera, capId, b, n); });
}

uint32_t SimControl::getEnumIndex(int camera, uint32_t capId) {
    return vsim_get_enum_index(camera, capId);
}

orv::RangeRecord SimControl::getRange(int camera, uint32_t capId) {
    vsim_range r{};
    vsim_get_range(camera, capId, &r);
    return {r.value, r.default_value, r.value_index, r.default_index, r.lower, r.upper, r.steps};
}

orv::DateTimeRecord SimControl::getDateTime(int camera, uint32_t capId) {
    vsim_date_time d{};
    vsim_get_date_time(camera, capId, &d);
    return {d.year, d.month, d.day, d.hour, d.minute, d.second, d.sub_second};
}

std::vector<std::string> SimControl::getTextArray(int camera, uint32_t capId) {
    std::vector<std::string> texts;
    for (uint32_t i = 0; i < vsim_text_element_count(camera, capId); ++i) {
        texts.push_back(readText(
            [=](char* b, size_t n) { return vsim_get_text_element(camera, capId, i, b, n); }));
    }
    return texts;
}

bool SimControl::turnDial(int camera, uint32_t capId, int32_t steps) {
    return vsim_turn_dial(camera, capId, steps) != 0;
}

bool SimControl::setSceneBrightness(int camera, double stops) {
    return vsim_set_scene_brightness(camera, stops) != 0;
}

double SimControl::sceneBrightness(int camera) {
    return vsim_scene_brightness(camera);
}

void SimControl::setSceneMotion(bool on) {
    vsim_set_scene_motion(on);
}

bool SimControl::sceneMotion() {
    return vsim_scene_motion();
}

bool SimControl::drainBattery(int camera, int32_t percent) {
    return vsim_drain_battery(camera, percent) != 0;
}

std::vector<std::string> SimControl::knownLenses() {
    std::vector<std::string> names;
    for (size_t i = 0; i < vsim_lens_count(); ++i) {
        names.push_back(readText([i](char* b, size_t n) { return vsim_lens_name(i, b, n); }));
    }
    return names;
}

std::string SimControl::mountedLens(int camera) {
    return readText([camera](char* b, size_t n) { return vsim_mounted_lens(camera, b, n); });
}

bool SimControl::mountLens(int camera, const std::string& lens) {
    return vsim_mount_lens(camera, lens.c_str()) != 0;
}

bool SimControl::pressShutter(int camera) {
    return vsim_press_shutter(camera) != 0;
}

bool SimControl::endLiveView(int camera) {
    return vsim_end_live_view(camera) != 0;
}

uint32_t SimControl::addCardMovie(int camera) {
    return vsim_add_card_movie(camera);
}

bool SimControl::stopRecordingByError(int camera, uint32_t reason) {
    return vsim_stop_recording_by_error(camera, reason) != 0;
}

bool SimControl::setCardState(int camera, uint32_t cardBits) {
    return vsim_set_card_state(camera, cardBits) != 0;
}

RecordingState SimControl::recordingState(int camera) {
    vsim_recording_state raw{};
    RecordingState state;
    if (vsim_get_recording_state(camera, &raw) != 0) {
        state = {raw.recording,   raw.elapsed_ms,       raw.last_item,
                 raw.last_frames, raw.last_duration_ms, raw.last_size};
    }
    return state;
}

bool SimControl::toggleShutterLock(int camera) {
    return vsim_toggle_shutter_lock(camera) != 0;
}

bool SimControl::removeCapability(int camera, uint32_t capId) {
    return vsim_remove_capability(camera, capId) != 0;
}

bool SimControl::setOperations(int camera, uint32_t capId, uint32_t operations) {
    return vsim_set_operations(camera, capId, operations) != 0;
}

bool SimControl::hasCapability(int camera, uint32_t capId) {
    return vsim_has_capability(camera, capId) != 0;
}

uint32_t SimControl::addItem(int camera, uint32_t dataKinds) {
    return vsim_add_item(camera, dataKinds);
}

bool SimControl::removeItem(int camera, uint32_t itemId) {
    return vsim_remove_item(camera, itemId) != 0;
}

bool SimControl::removeObjectCapability(uint32_t objectType, int camera, uint32_t itemId,
                                        uint32_t dataId, uint32_t capId) {
    const vsim_event_target target{objectType, camera, itemId, dataId};
    return vsim_remove_object_capability(&target, capId) != 0;
}

bool SimControl::raiseEvent(uint32_t objectType, int camera, uint32_t itemId, uint32_t dataId,
                            uint32_t event, uintptr_t data) {
    const vsim_event_target target{objectType, camera, itemId, dataId};
    return vsim_raise_event(&target, event, data) != 0;
}

bool SimControl::requestUserInterface(uint8_t kind, const std::string& prompt,
                                      const std::string& detail) {
    return vsim_request_user_interface(kind, prompt.c_str(), detail.c_str()) != 0;
}

int32_t SimControl::lastUiReply() {
    return vsim_last_ui_reply();
}

bool SimControl::moduleOpen() {
    return vsim_module_open() != 0;
}

bool SimControl::setChunkSize(uint32_t bytes) {
    return vsim_set_chunk_size(bytes) != 0;
}

bool SimControl::setJpegSize(uint32_t width, uint32_t height) {
    return vsim_set_jpeg_size(width, height) != 0;
}

bool SimControl::setRawSize(uint32_t bytes) {
    return vsim_set_raw_size(bytes) != 0;
}

uint32_t SimControl::addMovieItem(int camera, uint32_t size) {
    return vsim_add_movie_item(camera, size);
}

uint32_t SimControl::addFileItem(int camera, const std::vector<ListedFile>& files) {
    std::vector<vsim_listed_file> entries;
    for (const ListedFile& f : files) {
        uint32_t flags = 0;
        flags |= f.onDisk ? uint32_t{VSIM_FILE_ON_DISK} : 0;
        flags |= f.rawRows ? uint32_t{VSIM_FILE_RAW_ROWS} : 0;
        entries.push_back({f.kind, f.fileType, f.size, flags, f.bytesPerRow});
    }
    return vsim_add_file_item(camera, entries.data(), entries.size());
}

std::vector<uint8_t> SimControl::fileBytes(int camera, uint32_t itemId, uint32_t dataId,
                                           uint32_t fileIndex) {
    std::vector<uint8_t> bytes(
        vsim_data_file_bytes(camera, itemId, dataId, fileIndex, 0, nullptr, 0));
    vsim_data_file_bytes(camera, itemId, dataId, fileIndex, 0, bytes.data(), bytes.size());
    return bytes;
}

void SimControl::setProductionLog(bool on) {
    vsim_set_production_log(on);
}

std::vector<ProducedFile> SimControl::productionLog() {
    std::vector<vsim_produced_file> records(vsim_production_log(nullptr, 0));
    records.resize(vsim_production_log(records.data(), records.size()));
    std::vector<ProducedFile> files;
    for (const vsim_produced_file& r : records) {
        files.push_back({r.camera, r.item_id, r.data_id, r.file_index, r.kind, r.file_type, r.size,
                         r.checksum});
    }
    return files;
}

bool SimControl::itemHeld(int camera, uint32_t itemId) {
    return vsim_item_held(camera, itemId) != 0;
}

bool SimControl::setLiveViewSize(int camera, uint32_t width, uint32_t height) {
    return vsim_set_live_view_size(camera, width, height) != 0;
}

bool SimControl::setLiveViewFaces(int camera, uint32_t count) {
    return vsim_set_live_view_faces(camera, count) != 0;
}

bool SimControl::setLiveViewFault(int camera, LiveViewFault fault, int frames) {
    return vsim_set_live_view_fault(camera, static_cast<int32_t>(fault), frames) != 0;
}

void SimControl::freezeLiveScene(int phase) {
    vsim_freeze_live_scene(std::max(phase, 0));
}

void SimControl::moveLiveScene() {
    vsim_freeze_live_scene(-1);
}

bool SimControl::liveSceneFrozen() {
    return vsim_live_scene_frozen();
}

int SimControl::liveScenePhase() {
    return vsim_live_scene_phase();
}

int SimControl::liveScenePhases() {
    return vsim_live_scene_phases();
}

void SimControl::skipTime(uint32_t milliseconds) {
    vsim_skip_time(milliseconds);
}

LiveViewState SimControl::liveViewState(int camera) {
    vsim_live_view_state s{};
    if (vsim_get_live_view_state(camera, &s) == 0) {
        return {};
    }
    return {s.frames,  s.header_size,    s.jpeg_width,   s.jpeg_height,
            s.faces,   s.focus_position, s.focus_target, s.blur_radius,
            s.running, s.focus_driving,  s.in_focus};
}

std::vector<uint8_t> SimControl::liveViewHeader(int camera) {
    std::vector<uint8_t> header(vsim_live_view_header(camera, nullptr, 0));
    vsim_live_view_header(camera, header.data(), header.size());
    return header;
}

uint64_t SimControl::liveFramesEncoded() {
    return vsim_live_frames_encoded();
}

void SimControl::injectFault(const Fault& fault) {
    const vsim_fault f{static_cast<int32_t>(fault.kind),
                       fault.command,
                       fault.param,
                       fault.objectType,
                       fault.result,
                       fault.count,
                       fault.afterChunks};
    vsim_inject_fault(&f);
}

void SimControl::clearFaults() {
    vsim_clear_faults();
}

std::vector<CallRecord> SimControl::callLog() {
    std::vector<vsim_call_record> raw(vsim_call_log(nullptr, 0));
    raw.resize(vsim_call_log(raw.data(), raw.size()));
    std::vector<CallRecord> log;
    log.reserve(raw.size());
    for (const vsim_call_record& r : raw) {
        log.push_back({r.object_type, r.object_id, r.command, r.param, r.data_type, r.result});
    }
    return log;
}

void SimControl::clearCallLog() {
    vsim_clear_call_log();
}

int SimControl::countCalls(uint32_t command, uint32_t param) {
    return vsim_count_calls(command, param);
}

int SimControl::pendingCompletions() {
    return vsim_pending_completions();
}

} // namespace vsim
