#include "session/ItemEvents.h"

#include "camera/CameraLink.h"
#include "camera/CapabilityValues.h"
#include "camera/LogSink.h"
#include "session/CameraSession.h"

ItemEvents::ItemEvents(CameraSession& session, LogSink& log, std::function<bool()> logAllEvents,
                       QObject* parent)
    : QObject(parent), m_session(session), m_log(log), m_logAllEvents(std::move(logAllEvents)) {
    connect(&m_session, &CameraSession::cameraEvent, this, &ItemEvents::handle);
}

void ItemEvents::handle(CamObject* source, const CameraEvent& event) {
    if (event.kind == SourceEventKind::ChildAdded) {
        if (openItem(source, event.datum)) {
            m_session.addPendingItem(event.datum);
        }
    } else if (event.kind == SourceEventKind::ChildRemoved) {
        m_session.link().CloseChild(source, event.datum);
    }
    if (event.notice == SourceEventNotice::CardItemAdded) {
        cardItemAdded(source, event.datum);
    }
}

bool ItemEvents::openItem(CamObject* source, uint32_t itemId) {
    CameraLink& camera = m_session.link();
    const CamObjectRef ref = camera.refOf(source);
    if (!source || !camera.OpenChild(source, itemId)) {
        return false;
    }
    CamObject* live = camera.resolve(ref);
    return live && camera.EnumerateChildren(CameraLink::FindChild(live, itemId));
}

void ItemEvents::cardItemAdded(CamObject* source, uint32_t itemId) {
    if (!openItem(source, itemId)) {
        return;
    }
    if (m_logAllEvents && m_logAllEvents()) {
        CamObject* item = CameraLink::FindChild(source, itemId);
        const std::string name = m_session.link().values().getText(item, orv::kCapName);
        m_log.log("CAMERA Event A movie file (<b><bl>" + name + "</bl></b>) added in card.");
    }
    m_session.addPendingItem(itemId);
}
