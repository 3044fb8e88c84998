#pragma once
// The program's node for one opened module object (module, source, item,
// data object): its vendor record, its children and its capability list.
#include "camera/CameraTypes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CameraLink;

class CamObject {
public:
    static constexpr uint32_t kUnsetId = 0x8000;

    // `type` and `id` prefill the vendor record; the module may overwrite them.
    CamObject(CameraLink& link, CamObject* parent, uint32_t type, uint32_t id);
    CamObject(const CamObject&) = delete;
    CamObject& operator=(const CamObject&) = delete;
    ~CamObject();

    CameraLink& link() const { return m_link; }
    orv::VendorObject* vendorObject() { return &m_vendor; }
    const orv::VendorObject* vendorObject() const { return &m_vendor; }
    uint32_t id() const { return m_id; }
    void setId(uint32_t id) { m_id = id; }
    // Object type as the vendor record says (1 module ... 4 data object).
    uint32_t type() const { return m_vendor.type; }
    CamObject* parent() const { return m_parent; }

    const std::vector<orv::CapabilityInfo>& capabilities() const { return m_capabilities; }
    void setCapabilities(std::vector<orv::CapabilityInfo> capabilities);
    void clearCapabilities() { m_capabilities.clear(); }
    const orv::CapabilityInfo* findCapability(uint32_t capId) const;

    size_t childCount() const { return m_children.size(); }
    CamObject* childAt(size_t index) const;
    CamObject* findChild(uint32_t id) const;
    void addChild(std::unique_ptr<CamObject> child);
    // Unregisters a child, keeping the others in order.
    std::unique_ptr<CamObject> takeChild(const CamObject* child);
    // True when `other` is this node or lies below it.
    bool contains(const CamObject* other) const;

private:
    CameraLink& m_link;
    CamObject* m_parent;
    uint32_t m_id;
    orv::VendorObject m_vendor{};
    std::vector<std::unique_ptr<CamObject>> m_children;
    std::vector<orv::CapabilityInfo> m_capabilities;
};

// "Module", "Camera", "Item", "Data" (empty for other numbers).
std::string ObjectTypeName(uint32_t type);
