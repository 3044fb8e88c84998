#include "camera/CamObject.h"

#include <algorithm>

using namespace orv;

CamObject::CamObject(CameraLink& link, CamObject* parent, uint32_t type, uint32_t id)
    : m_link(link), m_parent(parent), m_id(id) {
    m_vendor.type = type;
    m_vendor.id = id;
    m_vendor.clientRef = reinterpret_cast<uintptr_t>(this);
}

CamObject::~CamObject() = default;

void CamObject::setCapabilities(std::vector<CapabilityInfo> capabilities) {
    m_capabilities = std::move(capabilities);
}

const CapabilityInfo* CamObject::findCapability(uint32_t capId) const {
    auto it = std::find_if(m_capabilities.begin(), m_capabilities.end(),
                           [capId](const CapabilityInfo& info) { return info.id == capId; });
    return it == m_capabilities.end() ? nullptr : &*it;
}

CamObject* CamObject::childAt(size_t index) const {
    return index < m_children.size() ? m_children[index].get() : nullptr;
}

CamObject* CamObject::findChild(uint32_t id) const {
    for (const auto& child : m_children) {
        if (child->id() == id) {
            return child.get();
        }
    }
    return nullptr;
}

void CamObject::addChild(std::unique_ptr<CamObject> child) {
    m_children.push_back(std::move(child));
}

std::unique_ptr<CamObject> CamObject::takeChild(const CamObject* child) {
    auto it = std::find_if(m_children.begin(), m_children.end(),
                           [child](const auto& entry) { return entry.get() == child; });
    if (it == m_children.end()) {
        return nullptr;
    }
    std::unique_ptr<CamObject> taken = std::move(*it);
    m_children.erase(it);
    return taken;
}

bool CamObject::contains(const CamObject* other) const {
    for (const CamObject* node = other; node; node = node->parent()) {
        if (node == this) {
            return true;
        }
    }
    return false;
}

std::string ObjectTypeName(uint32_t type) {
    switch (type) {
    case kObjModule:
        return "Module";
    case kObjSource:
        return "Camera";
    case kObjItem:
        return "Item";
    case kObjData:
        return "Data";
    default:
        return {};
    }
}
