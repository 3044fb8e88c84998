#include "session/CameraSession.h"

CameraSession::CameraSession(CameraLink& link, QObject* parent) : QObject(parent), m_link(link) {
    m_link.setSourceEventListener(this);
}

CameraSession::~CameraSession() {
    if (m_link.sourceEventListener() == this) {
        m_link.setSourceEventListener(nullptr);
    }
}

void CameraSession::beginConnect(int ordinal, const CameraIdentity& device) {
    m_connected = false;
    m_cameraName = kNoCamera;
    m_lensText.clear();
    m_cameraOrdinal = ordinal;
    m_device = device;
    m_pendingItems = 0;
}

void CameraSession::open(const std::string& cameraName, const std::string& lensText) {
    m_cameraName = cameraName;
    m_lensText = lensText;
    m_connected = true;
    emit opened();
}

void CameraSession::close() {
    if (!m_connected) {
        return;
    }
    m_connected = false;
    m_cameraName = kNoCamera;
    m_pendingItems = 0;
    emit closed();
}

uint32_t CameraSession::cameraType() const {
    return m_link.CameraType();
}

uint32_t CameraSession::afPointCount() const {
    return m_link.AfPointCount();
}

void CameraSession::addPendingItem(uint32_t itemId) {
    ++m_pendingItems;
    emit itemAdded(itemId);
}

void CameraSession::itemDone() {
    if (m_pendingItems > 0) {
        --m_pendingItems;
    }
    emit itemFinished();
}

void CameraSession::onSourceEvent(CamObject& source, uint32_t event, uint32_t data) {
    m_queued.push_back({m_link.refOf(&source), DecodeSourceEvent(event, data)});
    if (m_dispatching) {
        return;
    }
    m_dispatching = true;
    while (!m_queued.empty()) {
        const QueuedEvent next = m_queued.front();
        m_queued.pop_front();
        // A source closed while its event waited has nothing left to report.
        if (CamObject* live = m_link.resolve(next.source)) {
            dispatch(live, next.event);
        }
    }
    m_dispatching = false;
}

void CameraSession::dispatch(CamObject* source, const CameraEvent& event) {
    emit cameraEvent(source, event);
    if (event.kind == SourceEventKind::CapabilityValueChanged) {
        emit capabilityValueChanged(event.datum);
    } else if (event.kind == SourceEventKind::CapabilityChanged) {
        emit capabilityListChanged(event.datum);
    }
}
