#pragma once
// The release, focus and lock buttons of the camera group: `bExpo` releases
// the shutter (and with "Bulb" starts and ends the exposure), `bAF` focuses,
// `sbLock` locks the camera's own controls and offers manual focus.
#include "widgets/WindowControls.h"

class CameraSession;

class CaptureButtons {
public:
    static constexpr const char* kBulb = "Bulb";

    // The buttons act only while `session` is connected.
    CaptureButtons(ShootingControls shooting, FocusControls focus, LiveViewControls liveView,
                   MovieControls movie, const CameraSession& session);

    void connectControls();

    void bExpoClick();
    void bAFClick();
    void sbLockClick();

    // True while a bulb exposure started by bExpo runs.
    bool captureFlag() const { return m_captureFlag; }
    // The connection ended: no exposure of this window runs any more.
    void reset();

private:
    void startBulb();
    void endBulb();
    void showBulbState();

    ShootingControls m_shooting;
    FocusControls m_focus;
    LiveViewControls m_liveView;
    MovieControls m_movie;
    const CameraSession& m_session;
    bool m_captureFlag = false;
};
