#include "SimWorld.h"

#include "SimBody.h"
#include "SimClock.h"
#include "SimMovieFile.h"

#include <algorithm>

namespace vsim {

namespace {

// The program idles once per 500 ms poll: a moving scene then gives a new
// meter reading at most every two seconds.
constexpr uint64_t kIdleCallsPerMeterStep = 4;

std::vector<SimCapability> makeModuleCapabilities() {
    std::vector<SimCapability> caps;
    caps.push_back(makeCallback(orv::kCapProgressProc, "Progress procedure"));
    caps.push_back(makeCallback(orv::kCapEventProc, "Event procedure"));
    caps.push_back(makeCallback(orv::kCapUiRequestProc, "User interface request procedure"));
    // The source list is filled from the attached cameras when it is read.
    caps.push_back(makeEnumValues(orv::kCapSources, orv::kOpGet, {}, 0, "Sources"));
    caps.push_back(makeText(orv::kCapName, orv::kOpGet, "Orvel camera module", "Name"));
    caps.push_back(makeUnsigned(orv::kCapModuleMode, orv::kOpGet | orv::kOpSet, 0, "Module mode"));
    return caps;
}

} // namespace

SimWorld& SimWorld::instance() {
    static SimWorld world;
    return world;
}

SimWorld::SimWorld() : m_moduleCaps(makeModuleCapabilities()) {}

void SimWorld::reset() {
    m_cameras.clear();
    m_nextCamera = 1;
    m_moduleCaps = makeModuleCapabilities();
    m_objects.clear();
    m_queue.clear();
    m_faults.clear();
    m_transfers.clear();
    m_delivery = {};
    m_production.setEnabled(false);
    m_liveClock.reset();
    m_liveFrames.clear();
    clearCallLog();
    m_lastUiReply = -1;
    m_sceneMotion = false;
    m_sceneStep = 0;
    m_idleCalls = 0;
    m_plugListener = nullptr;
    m_plugContext = nullptr;
}

int SimWorld::attach(const std::string& model) {
    const SimModel* info = findModel(model);
    if (info == nullptr) {
        return 0;
    }
    const int handle = m_nextCamera++;
    m_cameras.push_back(std::make_unique<SimCamera>(handle, *info));
    // The body's clock runs from the moment it is plugged in.
    if (SimCapability* clock = m_cameras.back()->find(orv::kCapClockDateTime)) {
        setClock(*clock, clock->dateTime, m_liveClock.now_ms());
    }
    raise(orv::kObjModule, 0, 0, 0, orv::kEvChildAdded, m_cameras.back()->sourceId());
    if (m_plugListener != nullptr) {
        m_plugListener(m_plugContext, handle, true);
    }
    return handle;
}

bool SimWorld::detach(int camera) {
    const auto it = std::find_if(m_cameras.begin(), m_cameras.end(),
                                 [camera](const auto& c) { return c->handle() == camera; });
    if (it == m_cameras.end()) {
        return false;
    }
    const uint32_t sourceId = (*it)->sourceId();
    // Objects of the camera stay registered, so the program can still close
    // them; every other call on them fails from now on.
    m_cameras.erase(it);
    raise(orv::kObjModule, 0, 0, 0, orv::kEvChildRemoved, sourceId);
    if (m_plugListener != nullptr) {
        m_plugListener(m_plugContext, camera, false);
    }
    return true;
}

SimCamera* SimWorld::camera(int handle) {
    for (const auto& c : m_cameras) {
        if (c->handle() == handle) {
            return c.get();
        }
    }
    return nullptr;
}

SimCamera* SimWorld::cameraBySource(uint32_t sourceId) {
    for (const auto& c : m_cameras) {
        if (c->sourceId() == sourceId) {
            return c.get();
        }
    }
    return nullptr;
}

SimItem& SimWorld::addItem(SimCamera& camera, uint32_t dataKinds, uint32_t movieSize) {
    SimItem& item = camera.addItem(dataKinds, m_delivery);
    item.movieSize = movieSize;
    m_production.record(camera.handle(), item);
    return item;
}

SimItem& SimWorld::addRecordedMovie(SimCamera& camera, std::shared_ptr<const SimMovieFile> movie) {
    SimItem& item = camera.addItem(orv::kKindVideo, m_delivery);
    item.movieSize = movie->size();
    item.recorded = std::move(movie);
    m_production.record(camera.handle(), item);
    return item;
}

void SimWorld::setPlugListener(SimControl::PlugListener listener, void* context) {
    m_plugListener = listener;
    m_plugContext = context;
}

std::vector<SimCapability>& SimWorld::moduleCapabilities() {
    for (SimCapability& cap : m_moduleCaps) {
        if (cap.id == orv::kCapSources) {
            cap.values.clear();
            for (const auto& c : m_cameras) {
                cap.values.push_back(c->sourceId());
            }
            cap.currentIndex = 0;
        }
    }
    return m_moduleCaps;
}

std::vector<SimCapability>* SimWorld::capabilitiesOf(uint32_t objectType, int camera,
                                                     uint32_t itemId, uint32_t dataId) {
    if (objectType == orv::kObjModule) {
        return &moduleCapabilities();
    }
    SimCamera* c = this->camera(camera);
    if (c == nullptr) {
        return nullptr;
    }
    if (objectType == orv::kObjSource) {
        return &c->capabilities();
    }
    SimItem* item = c->findItem(itemId);
    if (item == nullptr) {
        return nullptr;
    }
    if (objectType == orv::kObjItem) {
        return &item->capabilities;
    }
    SimDataObject* data = objectType == orv::kObjData ? item->findData(dataId) : nullptr;
    return data != nullptr ? &data->capabilities : nullptr;
}

int SimWorld::raise(uint32_t objectType, int camera, uint32_t itemId, uint32_t dataId,
                    uint32_t event, uintptr_t data) {
    const std::vector<uint64_t> targets = m_objects.find(objectType, camera, itemId, dataId);
    for (const uint64_t handle : targets) {
        m_queue.pushEvent({handle, event, data});
    }
    return static_cast<int>(targets.size());
}

void SimWorld::raiseValueChanged(int camera, uint32_t capId) {
    raise(orv::kObjSource, camera, 0, 0, orv::kEvCapValueChanged, capId);
}

void SimWorld::idleTick() {
    const bool meterNow = m_sceneMotion && ++m_idleCalls % kIdleCallsPerMeterStep == 0;
    if (meterNow) {
        ++m_sceneStep;
    }
    for (const auto& c : m_cameras) {
        SimBody(*this, *c).idle(meterNow);
    }
}

size_t SimWorld::appendCall(const CallRecord& record) {
    constexpr size_t kLogLimit = size_t{1} << 20;
    if (m_log.size() >= kLogLimit) {
        m_log.erase(m_log.begin(), m_log.begin() + kLogLimit / 2);
        ++m_logGeneration; // slots of calls still running have moved
    }
    m_log.push_back(record);
    return m_log.size() - 1;
}

void SimWorld::clearCallLog() {
    m_log.clear();
    ++m_logGeneration;
}

} // namespace vsim
