#pragma once
// The open camera connection as the rest of the program sees it: whether one
// is open, which camera it is, what the access layer fixed at the connect
// (camera type, AF layout) and how many items wait to be fetched. It takes
// the source events from the camera layer and hands them on typed. Handlers
// consult it instead of a flag of their own; a windowless program uses it
// as it is. Qt Core only.
#include "camera/CameraEvent.h"
#include "camera/SourceEventListener.h"
#include "session/CameraIdentity.h"

#include "camera/CameraLink.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <deque>
#include <string>

class CameraSession : public QObject, private SourceEventListener {
    Q_OBJECT
public:
    static constexpr const char* kNoCamera = "no cam";

    // Receives `link`'s source events until destroyed.
    explicit CameraSession(CameraLink& link, QObject* parent = nullptr);
    ~CameraSession() override;
    CameraSession(const CameraSession&) = delete;
    CameraSession& operator=(const CameraSession&) = delete;

    CameraLink& link() const { return m_link; }

    // ---- The connection's life ----
    // A connect begins: the camera of the `ordinal`-th selector entry of its
    // name, with the identity the device layer read. Nothing of an earlier
    // camera (name, lens) remains.
    void beginConnect(int ordinal, const CameraIdentity& device);
    // The camera's source is open: the connection counts as open from here;
    // opened() follows.
    void open(const std::string& cameraName, const std::string& lensText);
    // The connection ends; closed() follows. Nothing when none is open.
    void close();
    bool connected() const { return m_connected; }

    // ---- Identity ----
    const std::string& cameraName() const { return m_cameraName; }
    int cameraOrdinal() const { return m_cameraOrdinal; }
    const QString& serialText() const { return m_device.serial; }
    const QString& firmwareText() const { return m_device.firmware; }
    const std::string& lensText() const { return m_lensText; }
    // The selector's choice changed while no camera is open.
    void setDeviceIdentity(const CameraIdentity& device) { m_device = device; }
    // As the access layer reports them (fixed when the source was selected).
    uint32_t cameraType() const;
    uint32_t afPointCount() const;

    // ---- Items waiting to be fetched ----
    int pendingItemCount() const { return m_pendingItems; }
    // An announced item was opened and waits to be fetched.
    void addPendingItem(uint32_t itemId);
    // A waiting item was fetched (or given up); never below zero.
    void itemDone();

signals:
    void opened();
    void closed();
    // Every source event, typed, with the source that raised it (a node of
    // the link's tree, valid during the call).
    void cameraEvent(CamObject* source, const CameraEvent& event);
    // A capability's value changed in the camera.
    void capabilityValueChanged(uint32_t capId);
    // A capability's description (operation bits, list) changed.
    void capabilityListChanged(uint32_t capId);
    // An item was opened and waits to be fetched.
    void itemAdded(uint32_t itemId);
    // A waiting item was fetched or given up (pendingItemCount() is down).
    void itemFinished();

private:
    struct QueuedEvent {
        CamObjectRef source;
        CameraEvent event;
    };

    // Events that arrive while one is being handled (the handler's requests
    // give the module idle time) wait until it is done: a handler never runs
    // inside another, half-way through re-reading the source's capabilities.
    void onSourceEvent(CamObject& source, uint32_t event, uint32_t data) override;
    void dispatch(CamObject* source, const CameraEvent& event);

    CameraLink& m_link;
    bool m_connected = false;
    std::string m_cameraName = kNoCamera;
    int m_cameraOrdinal = 0;
    CameraIdentity m_device;
    std::string m_lensText;
    int m_pendingItems = 0;
    std::deque<QueuedEvent> m_queued;
    bool m_dispatching = false;
};
