#pragma once
// The module side of every entry command: opening and closing objects,
// capability lists and values, starts, child enumeration and the idle call
// that delivers what the module owes. One instance serves one entry call.
#include "SimWorld.h"

#include <cstdint>

namespace vsim {

class SimModule {
public:
    explicit SimModule(SimWorld& world) : m_world(world) {}

    int32_t entry(orv::VendorObject* object, uint32_t command, uint32_t param, uint32_t dataType,
                  intptr_t data, orv::CompletionProcFn completion, intptr_t completionRef);

private:
    struct Call {
        orv::VendorObject* vendor = nullptr;
        OpenObject* object = nullptr; // null for no or unknown object
        uint32_t command = 0;
        uint32_t param = 0;
        uint32_t dataType = 0;
        intptr_t data = 0;
    };

    int32_t dispatch(const Call& call);
    int32_t idle(const Call& call);
    void deliver(struct Delivery& delivery);
    int32_t open(const Call& call);
    int32_t openModule(const Call& call);
    int32_t close(const Call& call);
    int32_t capabilityCount(const Call& call);
    int32_t capabilityInfo(const Call& call);
    int32_t start(const Call& call);
    int32_t set(const Call& call);
    int32_t get(const Call& call);
    int32_t getContents(const Call& call);
    int32_t enumerateChildren(const Call& call);
    int32_t callback(const Call& call, bool write);

    // Checks an object is open and its camera (item) still there.
    int32_t usable(const Call& call);
    std::vector<SimCapability>* capabilities(const OpenObject& object);
    SimCapability* capability(const Call& call);

    SimWorld& m_world;
};

} // namespace vsim
