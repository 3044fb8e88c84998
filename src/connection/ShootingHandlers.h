#pragma once
// Change handlers of the shooting settings that connecting also runs: the
// exposure mode, the image size and the exposure compensation scale. Each
// turns its control's state into a capability value of the current source.
#include "widgets/WindowControls.h"

class CameraSession;

class ShootingHandlers {
public:
    // The handlers write only while `session` is connected.
    ShootingHandlers(ShootingControls shooting, MovieControls movie, const CameraSession& session);

    // Writes the exposure mode, then re-reads shutter and aperture selections
    // and enables the compensation scale for "P", "A" and "S".
    void cbModeChange();
    // What the mode handler does after its write, for a mode the camera
    // already holds: writes nothing.
    void followExposureMode();
    // Writes the image size and puts its text into the hint.
    void cbImageSizeChange();
    // Puts the camera's image size text into the hint; writes nothing.
    void showImageSizeText();
    // Writes the scale position as the compensation's value index (the movie
    // compensation while movie mode is on).
    void tbExpoCorrChange();

private:
    ShootingControls m_shooting;
    MovieControls m_movie;
    const CameraSession& m_session;
};
