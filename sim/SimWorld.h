#pragma once
// The simulator's one world: attached cameras, the objects the program has
// opened, what the module owes the program (completions, events), armed
// faults and the entry-call log. The module interface has a single entry
// function without context, so the world is process-wide; it lives here
// and nowhere else.
#include "SimCamera.h"
#include "SimControl.h"
#include "SimFaults.h"
#include "SimFrameCache.h"
#include "SimItemFiles.h"
#include "SimLiveClock.h"
#include "SimObjects.h"
#include "SimProduction.h"
#include "SimQueue.h"
#include "SimTransfers.h"

#include <memory>
#include <string>
#include <vector>

namespace vsim {

class SimWorld {
public:
    static SimWorld& instance();

    void reset();

    // Cameras.
    int attach(const std::string& model);
    bool detach(int camera);
    SimCamera* camera(int handle);
    // A new item on the card of `camera`, its files fixed by the settings
    // now and entered into the production log; the caller announces it.
    SimItem& addItem(SimCamera& camera, uint32_t dataKinds, uint32_t movieSize = kDefaultMovieSize);
    // A movie the body recorded, as a new item on its card (logged the same way).
    SimItem& addRecordedMovie(SimCamera& camera, std::shared_ptr<const SimMovieFile> movie);
    SimProduction& production() { return m_production; }
    SimCamera* cameraBySource(uint32_t sourceId);
    const std::vector<std::unique_ptr<SimCamera>>& cameras() const { return m_cameras; }
    void setPlugListener(SimControl::PlugListener listener, void* context);

    // Capabilities of the module object.
    std::vector<SimCapability>& moduleCapabilities();
    // Capability list of a world object (module, source, item or data
    // object), or null when the camera, item or data object is gone.
    std::vector<SimCapability>* capabilitiesOf(uint32_t objectType, int camera, uint32_t itemId,
                                               uint32_t dataId);

    // Events: queued for every open object of the type that matches;
    // returns how many objects will receive it.
    int raise(uint32_t objectType, int camera, uint32_t itemId, uint32_t dataId, uint32_t event,
              uintptr_t data);
    // Value-changed on the camera's open sources.
    void raiseValueChanged(int camera, uint32_t capId);

    SimObjects& objects() { return m_objects; }
    SimQueue& queue() { return m_queue; }
    SimFaults& faults() { return m_faults; }
    SimTransfers& transfers() { return m_transfers; }
    SimDeliverySettings& deliverySettings() { return m_delivery; }
    // Live view: the clock it runs on and the frames already encoded.
    SimLiveClock& liveClock() { return m_liveClock; }
    SimFrameCache& liveFrames() { return m_liveFrames; }

    // Call log; the generation changes whenever the log is cleared, so an
    // entry call that started before can tell its slot is gone.
    std::vector<CallRecord>& callLog() { return m_log; }
    // Appends a record and returns its slot. A long-running demo would grow
    // the log without end, so past a limit the older half is dropped.
    size_t appendCall(const CallRecord& record);
    uint64_t logGeneration() const { return m_logGeneration; }
    void clearCallLog();

    // One sky over every camera: while scene motion is on, the light drifts
    // by one step every few idle calls. Off after reset, so a test sees a
    // still scene unless it asks for motion.
    void setSceneMotion(bool on) { m_sceneMotion = on; }
    bool sceneMotion() const { return m_sceneMotion; }
    uint64_t sceneStep() const { return m_sceneStep; }
    // End of every idle call: bodies finish their releases and, every few
    // calls, meter their scene anew.
    void idleTick();

    int32_t lastUiReply() const { return m_lastUiReply; }
    void setLastUiReply(int32_t reply) { m_lastUiReply = reply; }

private:
    SimWorld();

    std::vector<std::unique_ptr<SimCamera>> m_cameras;
    int m_nextCamera = 1;
    std::vector<SimCapability> m_moduleCaps;
    SimObjects m_objects;
    SimQueue m_queue;
    SimFaults m_faults;
    SimTransfers m_transfers;
    SimDeliverySettings m_delivery;
    SimProduction m_production;
    SimLiveClock m_liveClock;
    SimFrameCache m_liveFrames;
    std::vector<CallRecord> m_log;
    uint64_t m_logGeneration = 0;
    int32_t m_lastUiReply = -1;
    bool m_sceneMotion = false;
    uint64_t m_sceneStep = 0;
    uint64_t m_idleCalls = 0;
    SimControl::PlugListener m_plugListener = nullptr;
    void* m_plugContext = nullptr;
};

} // namespace vsim
