#pragma once
// The objects the program has opened through the module: which vendor
// record stands for which camera, item or data object, and the procedures
// installed on each. Records are found by their address, so an address the
// module never handed out is never dereferenced.
#include "camera/CameraTypes.h"

#include <cstdint>
#include <map>
#include <vector>

namespace vsim {

struct OpenObject {
    uint64_t handle = 0;
    uint32_t type = 0;
    uint32_t id = 0;
    orv::VendorObject* vendor = nullptr;
    uint64_t parent = 0;
    int camera = 0;      // sources, items, data objects
    uint32_t itemId = 0; // items, data objects
    orv::CallbackPair progressProc{};
    orv::CallbackPair eventProc{};
    orv::CallbackPair dataProc{};
    orv::CallbackPair uiRequestProc{};
};

class SimObjects {
public:
    OpenObject* byAddress(const orv::VendorObject* vendor);
    OpenObject* byHandle(uint64_t handle);
    // Registers a new open object and writes its type, id and our handle
    // into the program's record (the client reference is left alone).
    OpenObject& add(OpenObject object);
    // Forgets an object and everything opened below it.
    void remove(uint64_t handle);
    void clear() { m_objects.clear(); }

    bool moduleOpen() const;
    // Handles of the open objects of a type; camera/item/data 0 match any.
    std::vector<uint64_t> find(uint32_t type, int camera = 0, uint32_t itemId = 0,
                               uint32_t dataId = 0) const;
    std::vector<uint64_t> children(uint64_t handle) const;

private:
    std::map<uint64_t, OpenObject> m_objects;
    uint64_t m_nextHandle = 1;
};

} // namespace vsim
