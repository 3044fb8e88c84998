#pragma once
// The camera's announcements of new items (a picture taken, a movie added
// to the card) and of items it removed: a new item is opened with its data
// objects and counted as waiting to be fetched; a removed one is closed.
// The window and the command-line tethering mode follow the camera's items
// through this one object; the window's event handler does the rest.
#include "camera/CameraEvent.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <string>

class CamObject;
class CameraSession;
class LogSink;

class ItemEvents : public QObject {
    Q_OBJECT
public:
    // `logAllEvents` says whether the detailed event lines are wanted.
    ItemEvents(CameraSession& session, LogSink& log, std::function<bool()> logAllEvents,
               QObject* parent = nullptr);

    void handle(CamObject* source, const CameraEvent& event);

private:
    // Opens the new item and asks for its data objects; false leaves it uncounted.
    bool openItem(CamObject* source, uint32_t itemId);
    void cardItemAdded(CamObject* source, uint32_t itemId);

    CameraSession& m_session;
    LogSink& m_log;
    std::function<bool()> m_logAllEvents;
};
