#pragma once
// The camera access layer's module state and its low-level operations:
// loading the module for a camera model, entry calls with completion and
// wait, and the object tree (module -> sources -> items -> data objects).
// One instance per camera connection; everything runs on one thread and the
// module calls back only from inside this object's entry calls.
#include "camera/CamObject.h"
#include "camera/CameraTypes.h"
#include "camera/CompletionRecord.h"
#include "camera/ItemData.h"
#include "camera/ModuleLoader.h"
#include "camera/ModuleRequest.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class Callbacks;
class Clock;
class CapabilityValues;
class LogSink;
class SourceEventListener;
class SourceShortcuts;
class UiRequestHandler;

// A tree node as it was when a call began. Module callbacks during any wait
// may close nodes, so code that waited resolves this instead of trusting the
// pointer; the serial tells a new node at a reused address from the old one.
struct CamObjectRef {
    CamObject* object = nullptr;
    uint64_t serial = 0;
};

class CameraLink {
public:
    // A get or set answers at once; a camera that takes longer is stuck, and
    // the window must not freeze for long. Starts (a capture, a focus drive,
    // a transfer) may take a while.
    static constexpr std::chrono::milliseconds kDefaultWaitLimit{5000};
    static constexpr std::chrono::milliseconds kDefaultStartWaitLimit{30000};
    static constexpr std::chrono::milliseconds kIdleSleep{10};
    // Finished request records kept for reuse.
    static constexpr size_t kSpareRecords = 4;
    static constexpr int kMaxCapabilityRetries = 100;

    explicit CameraLink(LogSink* log = nullptr, std::filesystem::path moduleDirectory =
                                                    ModuleLoader::defaultModuleDirectory());
    CameraLink(const CameraLink&) = delete;
    CameraLink& operator=(const CameraLink&) = delete;
    // Closes the module; if it refuses, drops the tree and unloads anyway.
    ~CameraLink();

    // ---- Configuration ----
    void setModuleDirectory(std::filesystem::path directory);
    // The user's module folder, searched before the module directory.
    void setUserModuleDirectory(std::filesystem::path directory);
    const std::filesystem::path& moduleDirectory() const { return m_loader.moduleDirectory(); }
    // The limits for ordinary requests and for starts (tests shorten them).
    void setWaitLimit(std::chrono::milliseconds limit) { m_waitLimit = limit; }
    std::chrono::milliseconds waitLimit() const { return m_waitLimit; }
    void setStartWaitLimit(std::chrono::milliseconds limit) { m_startWaitLimit = limit; }
    // The clock of the wait limit and the idle sleeps; the machine's by default.
    void setClock(Clock& clock) { m_clock = &clock; }
    Clock& clock() const { return *m_clock; }
    void setLogSink(LogSink* log) { m_log = log; }
    LogSink* logSink() const { return m_log; }
    // Receives the camera's source events; none set (or null) means they are
    // written raw to the camera log.
    void setSourceEventListener(SourceEventListener* listener) { m_sourceListener = listener; }
    SourceEventListener* sourceEventListener() const;
    // Answers the module's questions to the user; none set means reply 0.
    void setUiRequestHandler(UiRequestHandler* handler) { m_uiRequestHandler = handler; }
    UiRequestHandler* uiRequestHandler() const { return m_uiRequestHandler; }

    // ---- Module loading ----
    bool LoadCameraModule(const std::string& model);
    // Returns the result of loading only; a failing root open shows up later
    // as a missing camera.
    bool OpenCameraModule(const std::string& model);
    // True when the module is closed and unloaded afterwards.
    bool CloseCameraModule();
    void UnloadCameraModule();
    bool isLoaded() const { return m_entry != nullptr; }

    // ---- Calls ----
    int32_t CallEntry(orv::VendorObject* object, uint32_t command, uint32_t param,
                      uint32_t dataType, intptr_t data, orv::CompletionProcFn completion,
                      intptr_t completionRef);
    static void CompletionProc(orv::VendorObject* object, uint32_t command, uint32_t param,
                               uint32_t dataType, intptr_t data, intptr_t completionRef,
                               int32_t result);
    bool IdlePump(CamObject* object);
    // Idles `object` until `counter` reaches `target`. False when the idle
    // call fails or the wait limit (the ordinary one unless given) passes first;
    // with `progress`, the limit restarts whenever that counter moves.
    bool WaitForCompletion(CamObject* object, const uint32_t& counter, uint32_t target,
                           std::chrono::milliseconds limit = std::chrono::milliseconds(0),
                           const uint64_t* progress = nullptr);
    // Asynchronous request with completion and wait. Blocks travel in the
    // request and come back with the module's answer.
    RequestOutcome Submit(CamObject* object, ModuleRequest& request,
                          std::unique_ptr<CompletionExtra> extra = nullptr);
    // Requests given up on whose completion has not arrived yet.
    size_t outstandingRequests() const { return m_outstanding.size(); }

    // ---- Re-entrancy ----
    // True while an entry call or a wait for a completion is running, or a
    // CallScope is held. The module may show a modal question inside an
    // entry call, and a long transfer lets the window process messages
    // between its calls; a timer tick that would call the module then must
    // wait for its next turn instead of starting a request inside another.
    bool insideEntryCall() const { return m_callDepth > 0; }
    // Marks a run of requests that processes window messages in between.
    class CallScope {
    public:
        explicit CallScope(CameraLink& link) : m_link(link) { ++m_link.m_callDepth; }
        ~CallScope() { --m_link.m_callDepth; }
        CallScope(const CallScope&) = delete;
        CallScope& operator=(const CallScope&) = delete;

    private:
        CameraLink& m_link;
    };

    // ---- Module state ----
    const std::string& ModuleFileName() const { return m_moduleFileName; }
    void setModuleFileName(std::string name) { m_moduleFileName = std::move(name); }
    LoadStatus lastLoadStatus() const { return m_lastLoadStatus; }
    const std::string& lastLoadDetail() const { return m_lastLoadDetail; }
    int32_t LastEntryResult() const { return m_lastEntryResult; }
    CamObject* ModuleObject() const { return m_moduleObject.get(); }
    CamObject* CurrentSource() const { return m_currentSource; }
    void setCurrentSource(CamObject* source) { m_currentSource = source; }
    uint32_t CameraType() const { return m_cameraType; }
    uint32_t AfPointCount() const { return m_afPointCount; }
    const std::string& cameraName() const { return m_cameraName; }
    void setCameraName(std::string name) { m_cameraName = std::move(name); }
    // Module-wide scratch records: valid until the next enum/array request.
    orv::EnumRecord& enumScratch() { return m_enumScratch; }
    orv::ArrayRecord& arrayScratch() { return m_arrayScratch; }

    // ---- Object tree ----
    bool RefreshCapabilities(CamObject* object);
    static const orv::CapabilityInfo* FindCapability(const CamObject* object, uint32_t capId);
    static bool CapabilitySupports(const CamObject* object, uint32_t capId, uint8_t operations);
    static CamObject* FindChild(const CamObject* object, uint32_t id);
    static CamObject* ChildAt(const CamObject* object, size_t index);
    bool OpenChild(CamObject* parent, uint32_t id);
    bool CloseChild(CamObject* parent, uint32_t id);
    bool EnumerateChildren(CamObject* object);
    // Makes the n-th (from 1) attached camera named `model` the current source.
    bool SelectSource(const std::string& model, uint32_t n);
    bool CloseCurrentSource();
    bool InstallCallbacks(CamObject* object);
    bool RemoveCallbacks(CamObject* object);

    // ---- Item data ----
    // Acquires a data object: the module hands its chunks to `receiver`
    // while this waits. The data procedure is removed again in any case.
    // Failed: the acquire ran and its completion reported an error; Incomplete:
    // no completion came in time.
    enum class Acquire { NotStarted, Incomplete, Failed, Completed };
    Acquire AcquireDataObject(CamObject* dataObject, const std::shared_ptr<DataReceiver>& receiver);
    // Reads a movie through capability 0x8317 in chunks of `bufferBytes`.
    MovieReadResult ReadMovie(CamObject* dataObject, MovieSink& sink,
                              uint32_t bufferBytes = kMovieBufferBytes);
    static constexpr uint32_t kMovieBufferBytes = 0x1000000;

    // ---- Liveness of tree nodes across waits ----
    CamObjectRef refOf(CamObject* object) const;
    // The node when it still exists, else null.
    CamObject* resolve(const CamObjectRef& ref) const;
    // Whether `object` is a node of the current tree (address only, never
    // dereferenced).
    bool isLive(const CamObject* object) const { return m_liveObjects.count(object) != 0; }

    // ---- Helpers owned by the link ----
    CapabilityValues& values() { return *m_values; }
    SourceShortcuts& shortcuts() { return *m_shortcuts; }

    void log(const std::string& taggedText) const;
    void dslrLog(const std::string& taggedText) const;

private:
    void completionArrived(CompletionRecord* record, int32_t result);
    // A record for a new request, and the end of one the module is done with.
    CompletionRecord* newRecord();
    void retire(CompletionRecord* record);
    std::chrono::milliseconds limitFor(const ModuleRequest& request) const;
    void reportTimeout(const ModuleRequest& request, std::chrono::milliseconds limit) const;
    bool readCapabilityList(const CamObjectRef& ref, std::vector<orv::CapabilityInfo>& list);
    void track(const CamObject* object);
    void forget(const CamObject* object) { m_liveObjects.erase(object); }
    // Drops the whole tree (and its liveness records) without telling the module.
    void dropTree();
    bool readSourceIds(std::vector<uint32_t>& ids);
    bool trySource(uint32_t id, const std::string& model, uint32_t n, uint32_t& matches,
                   std::vector<std::string>& names);

    LogSink* m_log = nullptr;
    Clock* m_clock = nullptr;
    SourceEventListener* m_sourceListener = nullptr;
    std::unique_ptr<SourceEventListener> m_rawSourceLog;
    UiRequestHandler* m_uiRequestHandler = nullptr;
    ModuleLoader m_loader;
    std::chrono::milliseconds m_waitLimit = kDefaultWaitLimit;
    std::chrono::milliseconds m_startWaitLimit = kDefaultStartWaitLimit;

    std::string m_moduleFileName;
    LoadStatus m_lastLoadStatus = LoadStatus::MissingModuleFile;
    std::string m_lastLoadDetail;
    LibraryHandle m_library;
    orv::ModuleEntryPointFn m_entry = nullptr;
    int32_t m_lastEntryResult = 0;
    int m_callDepth = 0;

    std::unique_ptr<CamObject> m_moduleObject;
    std::unordered_map<const CamObject*, uint64_t> m_liveObjects;
    uint64_t m_nextSerial = 1;
    CamObject* m_currentSource = nullptr;
    uint32_t m_cameraType = 0;
    uint32_t m_afPointCount = 0;
    std::string m_cameraName;
    orv::EnumRecord m_enumScratch{};
    orv::ArrayRecord m_arrayScratch{};

    // Requests in flight or given up on. Few at a time, so a vector; records
    // done with are kept for the next request instead of freed.
    std::vector<std::unique_ptr<CompletionRecord>> m_outstanding;
    std::vector<std::unique_ptr<CompletionRecord>> m_spareRecords;

    std::unique_ptr<CapabilityValues> m_values;
    std::unique_ptr<SourceShortcuts> m_shortcuts;
    std::unique_ptr<Callbacks> m_callbacks;
};
