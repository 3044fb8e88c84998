#include "SimObjects.h"

#include <cstring>

namespace vsim {

namespace {
template <typename T> void storeField(orv::VendorObject* vendor, size_t offset, T value) {
    std::memcpy(reinterpret_cast<char*>(vendor) + offset, &value, sizeof value);
}
} // namespace

OpenObject* SimObjects::byAddress(const orv::VendorObject* vendor) {
    if (vendor == nullptr) {
        return nullptr;
    }
    for (auto& [handle, object] : m_objects) {
        if (object.vendor == vendor) {
            return &object;
        }
    }
    return nullptr;
}

OpenObject* SimObjects::byHandle(uint64_t handle) {
    const auto it = m_objects.find(handle);
    return it == m_objects.end() ? nullptr : &it->second;
}

OpenObject& SimObjects::add(OpenObject object) {
    object.handle = m_nextHandle++;
    storeField(object.vendor, offsetof(orv::VendorObject, type), object.type);
    storeField(object.vendor, offsetof(orv::VendorObject, id), object.id);
    storeField(object.vendor, offsetof(orv::VendorObject, moduleRef),
               static_cast<uintptr_t>(object.handle));
    const uint64_t handle = object.handle;
    return m_objects.emplace(handle, object).first->second;
}

void SimObjects::remove(uint64_t handle) {
    for (const uint64_t child : children(handle)) {
        remove(child);
    }
    // Only the map entry goes: records of children the program did not close
    // may already be freed, so they are not written to.
    m_objects.erase(handle);
}

bool SimObjects::moduleOpen() const {
    return !find(orv::kObjModule).empty();
}

std::vector<uint64_t> SimObjects::find(uint32_t type, int camera, uint32_t itemId,
                                       uint32_t dataId) const {
    std::vector<uint64_t> found;
    for (const auto& [handle, o] : m_objects) {
        if (o.type != type || (camera != 0 && o.camera != camera) ||
            (itemId != 0 && o.itemId != itemId) ||
            (dataId != 0 && (o.type != orv::kObjData || o.id != dataId))) {
            continue;
        }
        found.push_back(handle);
    }
    return found;
}

std::vector<uint64_t> SimObjects::children(uint64_t handle) const {
    std::vector<uint64_t> found;
    for (const auto& [h, o] : m_objects) {
        if (o.parent == handle) {
            found.push_back(h);
        }
    }
    return found;
}

} // namespace vsim
