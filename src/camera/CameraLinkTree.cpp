// CameraLink: the object tree (capability lists, children, source selection).
#include "camera/CameraLink.h"

#include "camera/Callbacks.h"
#include "camera/CameraTypeFacts.h"
#include "camera/CapabilityValues.h"
#include "camera/ValueText.h"

#include <cstring>

using namespace orv;

namespace {

// More capabilities than ids exist is a broken answer, not a list.
constexpr uint32_t kMaxCapabilityCount = 0x10000;

} // namespace

bool CameraLink::RefreshCapabilities(CamObject* object) {
    if (!object || !isLoaded() || !isLive(object)) {
        return false;
    }
    const CamObjectRef ref = refOf(object);
    object->clearCapabilities();
    std::vector<CapabilityInfo> list;
    bool ok = readCapabilityList(ref, list);
    // Callbacks during the reads may have closed the object.
    object = resolve(ref);
    if (!object) {
        return false;
    }
    object->setCapabilities(std::move(list));
    return ok;
}

bool CameraLink::readCapabilityList(const CamObjectRef& ref, std::vector<CapabilityInfo>& list) {
    // A module that keeps answering "array too small" is asked a bounded
    // number of times, each time for the count first.
    for (int attempt = 0; attempt <= kMaxCapabilityRetries; ++attempt) {
        ModuleRequest countRequest{kCmdGetCapCount, 0, kDtUnsigned};
        countRequest.setBlock<uint32_t>(0);
        if (!resolve(ref) || !Submit(ref.object, countRequest).ok()) {
            return false;
        }
        uint32_t count = 0;
        if (!countRequest.readBlock(count) || count > kMaxCapabilityCount) {
            return false;
        }
        ModuleRequest infoRequest{kCmdGetCapInfo, count, kDtCapInfoArray};
        infoRequest.block.assign(size_t{count} * sizeof(CapabilityInfo), 0);
        if (!resolve(ref)) {
            return false;
        }
        RequestOutcome outcome = Submit(ref.object, infoRequest);
        if (outcome.byte() == kResultArrayTooSmall) {
            continue;
        }
        if (!outcome.okOrOne() ||
            infoRequest.block.size() != size_t{count} * sizeof(CapabilityInfo)) {
            return false;
        }
        list.resize(count);
        if (count > 0) {
            std::memcpy(list.data(), infoRequest.block.data(), infoRequest.block.size());
        }
        for (CapabilityInfo& info : list) {
            info.description[sizeof(info.description) - 1] = '\0';
        }
        return true;
    }
    const CamObject* object = resolve(ref);
    if (!object) {
        return false;
    }
    dslrLog("<re>CAMERA: capability list of object 0x" + HexText(object->vendorObject()->id, 2) +
            " still too small after " + std::to_string(kMaxCapabilityRetries) + " retries.</re>");
    return false;
}

const CapabilityInfo* CameraLink::FindCapability(const CamObject* object, uint32_t capId) {
    return object ? object->findCapability(capId) : nullptr;
}

bool CameraLink::CapabilitySupports(const CamObject* object, uint32_t capId, uint8_t operations) {
    const CapabilityInfo* info = FindCapability(object, capId % 0x10000);
    return info && (info->operations & operations) != 0;
}

CamObject* CameraLink::FindChild(const CamObject* object, uint32_t id) {
    return object ? object->findChild(id) : nullptr;
}

CamObject* CameraLink::ChildAt(const CamObject* object, size_t index) {
    return object ? object->childAt(index) : nullptr;
}

bool CameraLink::OpenChild(CamObject* parent, uint32_t id) {
    if (!parent || !isLoaded() || !isLive(parent)) {
        return false;
    }
    // A child is one node, however often the module announces it.
    if (parent->findChild(id)) {
        return true;
    }
    uint32_t childType = parent->type() < kObjData ? parent->type() + 1 : kObjData;
    auto child = std::make_unique<CamObject>(*this, parent, childType, id);
    int32_t result = CallEntry(parent->vendorObject(), kCmdOpen, id, kDtObject,
                               reinterpret_cast<intptr_t>(child->vendorObject()), nullptr, 0);
    if (resultByte(result) != 0) {
        return false;
    }
    CamObject* opened = child.get();
    track(opened);
    parent->addChild(std::move(child));
    const CamObjectRef ref = refOf(opened);
    RefreshCapabilities(opened);
    // Events during the refresh may already have closed it again. A failed
    // install leaves the object open without the remaining procedures.
    if (resolve(ref)) {
        InstallCallbacks(opened);
    }
    return true;
}

bool CameraLink::CloseChild(CamObject* parent, uint32_t id) {
    if (!parent || !isLive(parent)) {
        return false;
    }
    CamObject* child = FindChild(parent, id);
    if (!child) {
        return false;
    }
    // Events during the waits below may close this child (or its parent)
    // themselves; then there is nothing left to do here.
    const CamObjectRef parentRef = refOf(parent);
    const CamObjectRef childRef = refOf(child);
    while (CamObject* grandChild = child->childAt(0)) {
        if (!CloseChild(child, grandChild->id())) {
            return resolve(childRef) == nullptr;
        }
        if (!resolve(childRef)) {
            return true;
        }
    }
    const bool removed = RemoveCallbacks(child);
    if (!resolve(childRef)) {
        return true;
    }
    if (!removed) {
        return false;
    }
    if (resultByte(CallEntry(child->vendorObject(), kCmdClose, 0, kDtNone, 0, nullptr, 0)) != 0) {
        return false;
    }
    if (child->contains(m_currentSource)) {
        m_currentSource = nullptr;
    }
    forget(child);
    if (CamObject* owner = resolve(parentRef)) {
        owner->takeChild(child);
    }
    return true;
}

bool CameraLink::EnumerateChildren(CamObject* object) {
    if (!object) {
        return false;
    }
    ModuleRequest request{kCmdEnumChildren, 0, kDtNone};
    return Submit(object, request).ok();
}

bool CameraLink::SelectSource(const std::string& model, uint32_t n) {
    CamObject* module = m_moduleObject.get();
    std::vector<uint32_t> ids;
    if (!module || !readSourceIds(ids)) {
        return false;
    }
    uint32_t matches = 0;
    std::vector<std::string> names;
    CamObject* kept = nullptr;
    for (uint32_t id : ids) {
        if (trySource(id, model, n, matches, names)) {
            kept = m_currentSource;
            break;
        }
    }
    std::string list;
    for (const std::string& name : names) {
        list += (list.empty() ? "" : ", ") + name;
    }
    if (list.empty()) {
        list = "none";
    }
    dslrLog(std::string("Camera") + (ids.size() > 1 ? "s" : "") + " detected by the modul: <b>" +
            list + "</b>");
    if (!kept) {
        return false;
    }
    m_cameraType = m_values->getUnsigned(kept, kCapCameraType);
    m_afPointCount = AfPointCountForCameraType(m_cameraType, m_afPointCount);
    return true;
}

bool CameraLink::readSourceIds(std::vector<uint32_t>& ids) {
    EnumRecord record{};
    std::vector<uint8_t> contents;
    if (!m_values->readEnumRecord(m_moduleObject.get(), kCapSources, record) ||
        record.bytesPerElement != 4 || record.elementCount == 0 ||
        !m_values->readEnumContents(m_moduleObject.get(), kCapSources, record, contents)) {
        return false;
    }
    ids.resize(record.elementCount);
    std::memcpy(ids.data(), contents.data(), ids.size() * sizeof(uint32_t));
    return true;
}

// One step of the selection: opens source `id`, reads its name and keeps it
// when it is the n-th of `model`; closes it again otherwise.
bool CameraLink::trySource(uint32_t id, const std::string& model, uint32_t n, uint32_t& matches,
                           std::vector<std::string>& names) {
    CamObject* module = m_moduleObject.get();
    // Opening a source already open keeps that node.
    OpenChild(module, id);
    m_currentSource = FindChild(module, id);
    if (!m_currentSource) {
        return false;
    }
    std::string name = m_values->getText(m_currentSource, kCapName);
    m_cameraName = name;
    names.push_back(name);
    if (name == model && ++matches == n) {
        return true;
    }
    CloseChild(module, id);
    m_currentSource = nullptr;
    return false;
}

bool CameraLink::CloseCurrentSource() {
    if (!m_currentSource) {
        return false;
    }
    return CloseChild(m_currentSource->parent(), m_currentSource->id());
}

bool CameraLink::InstallCallbacks(CamObject* object) {
    return m_callbacks->InstallCallbacks(object);
}

bool CameraLink::RemoveCallbacks(CamObject* object) {
    return m_callbacks->RemoveCallbacks(object);
}
