#pragma once
// Follows the camera: takes the session's typed source events, keeps the
// settings controls in step with the camera (through the settings table's
// rows where a control has one), keeps the blinking flags and writes the event lines. A selection
// set here does not run the control's change handler.
#include "camera/CameraEvent.h"
#include "widgets/WindowControls.h"

#include <QObject>

#include <cstdint>
#include <string>

class CamObject;
class CameraLink;
class CameraSession;
class LogModel;
class SettingsFill;

// The controls and services the handler works with; the window owns them.
struct EventHandlerContext {
    CameraGroupControls camera;
    ShootingControls shooting;
    FocusControls focus;
    LiveViewControls liveView;
    MovieControls movie;
    CameraSession& session;
    LogModel& messages;
    SettingsFill& settings;
};

class CameraEventHandler : public QObject {
    Q_OBJECT
public:
    explicit CameraEventHandler(EventHandlerContext context, QObject* parent = nullptr);

    void handle(CamObject* source, const CameraEvent& event);

    // Bit 0: the shutter speed blinks, bit 1: the aperture (the poll shows it).
    uint32_t blinkingFlags() const { return m_blinkingFlags; }

signals:
    // The camera ended live view itself: both buttons are released; the
    // movie and live view handlers tidy up the display.
    void liveViewEndedByCamera();

private:
    void capabilityChanged(CamObject* source, uint32_t capId);
    void updateForList(uint32_t capId);
    void afModeChanged();
    void zoomRatesChanged();
    void movieSensitivityChanged();
    void valueChanged(uint32_t capId);
    void updateStillExposure(uint32_t capId);
    void lensChanged();
    void exposureStatusChanged();
    void liveViewStatusChanged();
    void selectMovieIndex(QComboBox* combo, uint32_t capId);
    void logValue(uint32_t capId);
    void dslrLog(const std::string& text);
    bool logAllEvents() const;
    bool movieMode() const;
    bool settable(uint32_t capId) const;
    CameraLink& link() const;

    EventHandlerContext m_c;
    uint32_t m_blinkingFlags = 0;
};

// The exposure meter's position for a metered exposure of `stops` (limited
// to -5 ... +5): three steps a stop, 15 for the correct exposure.
int ExposureStatusPosition(double stops);
