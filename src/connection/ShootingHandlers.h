#pragma once
// Change handlers of the shooting settings that connecting also runs: the
// exposure mode, the image size and the exposure compensation scale. Each
// turns its control's state into a capability value of the current source.
#include "app/widgets/WindowControls.h"

class CameraLink;

class ShootingHandlers {
public:
    // `connected` is the connection's flag; the handlers write only while it is set.
    ShootingHandlers(ShootingControls shooting, MovieControls movie, CameraLink& link,
                     const bool& connected);

    // Writes the exposure mode, then re-reads shutter and aperture selections
    // and enables the compensation scale for "P", "A" and "S".
    void cbModeChange();
    // Writes the image size and puts its text into the hint.
    void cbImageSizeChange();
    // Writes the scale position as the compensation's value index (the movie
    // compensation while movie mode is on).
    void tbExpoCorrChange();

private:
    ShootingControls m_shooting;
    MovieControls m_movie;
    CameraLink& m_link;
    const bool& m_connected;
};
