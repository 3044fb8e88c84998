#include "camera/CameraLink.h"

#include <algorithm>

#include "camera/Callbacks.h"
#include "camera/CapabilityNames.h"
#include "camera/CapabilityValues.h"
#include "camera/Clock.h"
#include "camera/LogSink.h"
#include "camera/ModelTable.h"
#include "camera/RawSourceEventLog.h"
#include "camera/SourceShortcuts.h"
#include "camera/ValueText.h"

using namespace orv;

CameraLink::CameraLink(LogSink* log, std::filesystem::path moduleDirectory)
    : m_log(log), m_clock(&SystemClock()), m_loader(std::move(moduleDirectory)),
      m_values(std::make_unique<CapabilityValues>(*this)),
      m_shortcuts(std::make_unique<SourceShortcuts>(*this)),
      m_callbacks(std::make_unique<Callbacks>(*this)) {
    m_rawSourceLog = std::make_unique<RawSourceEventLog>(*this);
}

CameraLink::~CameraLink() {
    if (!CloseCameraModule()) {
        UnloadCameraModule();
    }
}

void CameraLink::setModuleDirectory(std::filesystem::path directory) {
    m_loader = ModuleLoader(std::move(directory), m_loader.userModuleDirectory());
}

void CameraLink::setUserModuleDirectory(std::filesystem::path directory) {
    m_loader = ModuleLoader(m_loader.moduleDirectory(), std::move(directory));
}

SourceEventListener* CameraLink::sourceEventListener() const {
    return m_sourceListener ? m_sourceListener : m_rawSourceLog.get();
}

void CameraLink::log(const std::string& taggedText) const {
    if (m_log) {
        m_log->log(taggedText);
    }
}

void CameraLink::dslrLog(const std::string& taggedText) const {
    if (m_log) {
        m_log->dslrLog(taggedText);
    }
}

bool CameraLink::LoadCameraModule(const std::string& model) {
    if (isLoaded()) {
        UnloadCameraModule();
    }
    m_moduleFileName = ModuleFileForModel(model, m_moduleFileName);
    LoadOutcome outcome = m_loader.load(m_moduleFileName);
    m_lastLoadStatus = outcome.status;
    m_lastLoadDetail = outcome.detail;
    if (outcome.status == LoadStatus::MissingTransport) {
        m_moduleFileName = kTransportLibraryName;
    }
    if (outcome.status != LoadStatus::Loaded) {
        std::string text = LoadStatusText(outcome.status, m_moduleFileName);
        if (!outcome.detail.empty()) {
            text += " (" + outcome.detail + ")";
        }
        dslrLog("<re>" + text + "</re>");
        return false;
    }
    m_library = std::move(outcome.handle);
    m_entry = outcome.entry;
    return true;
}

bool CameraLink::OpenCameraModule(const std::string& model) {
    if ((m_moduleObject || isLoaded()) && !CloseCameraModule()) {
        UnloadCameraModule();
    }
    if (!LoadCameraModule(model)) {
        return false;
    }
    m_moduleObject = std::make_unique<CamObject>(*this, nullptr, kObjModule, 0);
    m_moduleObject->setId(CamObject::kUnsetId);
    CamObject* module = m_moduleObject.get();
    track(module);
    int32_t result = CallEntry(nullptr, kCmdOpen, 0, kDtObject,
                               reinterpret_cast<intptr_t>(module->vendorObject()), nullptr, 0);
    if (resultByte(result) != 0) {
        // The module does not know this root; keeping it would make the
        // close fail and strand the library.
        dropTree();
        return true;
    }
    if (RefreshCapabilities(module) && InstallCallbacks(module) &&
        CapabilitySupports(module, kCapModuleMode, kOpSet)) {
        m_values->setUnsignedInline(module, kCapModuleMode, 1);
    }
    return true;
}

bool CameraLink::CloseCameraModule() {
    if (CamObject* module = m_moduleObject.get()) {
        while (CamObject* source = module->childAt(0)) {
            m_currentSource = source;
            if (!CloseChild(module, source->id())) {
                // A source that cannot be closed keeps the module loaded;
                // retrying it here would never end.
                return false;
            }
        }
        m_currentSource = nullptr;
        if (!RemoveCallbacks(module)) {
            return false;
        }
        if (resultByte(CallEntry(module->vendorObject(), kCmdClose, 0, kDtNone, 0, nullptr, 0)) !=
            0) {
            return false;
        }
        dropTree();
    }
    UnloadCameraModule();
    return true;
}

void CameraLink::UnloadCameraModule() {
    // A tree without its module means nothing; drop it with the library.
    m_currentSource = nullptr;
    dropTree();
    m_entry = nullptr;
    m_library.reset();
    // No module left to call back: records still waiting for it go now.
    m_outstanding.clear();
}

int32_t CameraLink::CallEntry(VendorObject* object, uint32_t command, uint32_t param,
                              uint32_t dataType, intptr_t data, CompletionProcFn completion,
                              intptr_t completionRef) {
    if (!m_entry) {
        m_lastEntryResult = -1;
        return m_lastEntryResult;
    }
    const CallScope inside(*this);
    m_lastEntryResult =
        m_entry(object, command & 0x7F, param, dataType & 0xFF, data, completion, completionRef);
    return m_lastEntryResult;
}

void CameraLink::CompletionProc(VendorObject* /*object*/, uint32_t /*command*/, uint32_t /*param*/,
                                uint32_t /*dataType*/, intptr_t /*data*/, intptr_t completionRef,
                                int32_t result) {
    auto* record = reinterpret_cast<CompletionRecord*>(completionRef);
    if (record && record->link) {
        record->link->completionArrived(record, result);
    }
}

void CameraLink::completionArrived(CompletionRecord* record, int32_t result) {
    record->result = result;
    ++record->counter;
    if (record->abandoned) {
        retire(record);
    }
}

CompletionRecord* CameraLink::newRecord() {
    if (m_spareRecords.empty()) {
        m_outstanding.push_back(std::make_unique<CompletionRecord>());
    } else {
        m_outstanding.push_back(std::move(m_spareRecords.back()));
        m_spareRecords.pop_back();
    }
    CompletionRecord* record = m_outstanding.back().get();
    record->link = this;
    return record;
}

void CameraLink::retire(CompletionRecord* record) {
    const auto it = std::find_if(m_outstanding.begin(), m_outstanding.end(),
                                 [record](const auto& owned) { return owned.get() == record; });
    if (it == m_outstanding.end()) {
        return;
    }
    std::unique_ptr<CompletionRecord> owned = std::move(*it);
    m_outstanding.erase(it);
    if (m_spareRecords.size() >= kSpareRecords) {
        return;
    }
    *owned = CompletionRecord{};
    m_spareRecords.push_back(std::move(owned));
}

bool CameraLink::IdlePump(CamObject* object) {
    int8_t byte = resultByte(
        CallEntry(object ? object->vendorObject() : nullptr, kCmdIdle, 0, kDtNone, 0, nullptr, 0));
    return byte == 0 || byte == 1;
}

bool CameraLink::WaitForCompletion(CamObject* object, const uint32_t& counter, uint32_t target,
                                   std::chrono::milliseconds limit, const uint64_t* progress) {
    const CallScope waiting(*this);
    const auto span = limit.count() > 0 ? limit : m_waitLimit;
    auto deadline = m_clock->now() + span;
    uint64_t seen = progress ? *progress : 0;
    const CamObjectRef waited = refOf(object);
    while (counter < target) {
        // A callback may have closed the object meanwhile: nothing left to idle.
        CamObject* current = resolve(waited);
        if (object && !current) {
            return false;
        }
        if (!IdlePump(current)) {
            return counter >= target;
        }
        // Most completions arrive during the idle call itself: no sleep then.
        if (counter >= target) {
            return true;
        }
        if (object && !resolve(waited)) {
            return false;
        }
        // While data keeps coming, the next idle call follows at once.
        if (progress && *progress != seen) {
            seen = *progress;
            deadline = m_clock->now() + span;
            continue;
        }
        if (m_clock->now() >= deadline) {
            return false;
        }
        m_clock->sleepFor(kIdleSleep);
    }
    return true;
}

RequestOutcome CameraLink::Submit(CamObject* object, ModuleRequest& request,
                                  std::unique_ptr<CompletionExtra> extra) {
    RequestOutcome outcome;
    // A node closed by a callback is never handed to the module again.
    if (!isLoaded() || (object && !isLive(object))) {
        return outcome;
    }
    CompletionRecord* record = newRecord();
    record->block = std::move(request.block);
    record->contents = std::move(request.contents);
    record->extra = std::move(extra);

    intptr_t data = record->block.empty() ? request.inlineData
                                          : reinterpret_cast<intptr_t>(record->block.data());
    outcome.result = CallEntry(object ? object->vendorObject() : nullptr, request.command,
                               request.param, request.dataType, data, &CameraLink::CompletionProc,
                               reinterpret_cast<intptr_t>(record));
    // A refused request is not waited for; if the module calls back anyway,
    // the abandoned record takes it.
    if (acceptedResult(outcome.result) && record->counter < 1 && object) {
        const std::chrono::milliseconds limit = limitFor(request);
        if (!WaitForCompletion(object, record->counter, 1, limit, request.progress) &&
            record->counter < 1) {
            reportTimeout(request, limit);
        }
    }
    outcome.completed = record->counter >= 1;
    if (outcome.completed) {
        outcome.completionResult = record->result;
        request.block = std::move(record->block);
        request.contents = std::move(record->contents);
        retire(record);
    } else {
        record->abandoned = true;
    }
    return outcome;
}

std::chrono::milliseconds CameraLink::limitFor(const ModuleRequest& request) const {
    if (request.waitLimit.count() > 0) {
        return request.waitLimit;
    }
    return request.command == kCmdStart ? m_startWaitLimit : m_waitLimit;
}

// A request that ran out of time leaves a setting unread or unwritten; the
// user sees it at once, not only with the camera traffic shown.
void CameraLink::reportTimeout(const ModuleRequest& request,
                               std::chrono::milliseconds limit) const {
    const bool capability = request.command == kCmdGet || request.command == kCmdSet ||
                            request.command == kCmdStart || request.command == kCmdGetArray;
    const std::string what =
        capability ? CapabilityName(request.param) + " (0x" + HexText(request.param, 4) + ")"
                   : "command " + std::to_string(request.command);
    const std::string seconds = std::to_string((limit.count() + 999) / 1000);
    if (m_log) {
        m_log->elog("CAMERA: " + what + " did not answer within " + seconds + " s.");
    }
}

void CameraLink::track(const CamObject* object) {
    m_liveObjects[object] = m_nextSerial++;
}

void CameraLink::dropTree() {
    m_liveObjects.clear();
    m_moduleObject.reset();
}

CamObjectRef CameraLink::refOf(CamObject* object) const {
    auto it = m_liveObjects.find(object);
    return it == m_liveObjects.end() ? CamObjectRef{} : CamObjectRef{object, it->second};
}

CamObject* CameraLink::resolve(const CamObjectRef& ref) const {
    auto it = m_liveObjects.find(ref.object);
    return it != m_liveObjects.end() && it->second == ref.serial ? ref.object : nullptr;
}
