#pragma once
// Reads the camera's settings into the settings controls when a connection
// opens, row by row in a fixed order. A selection set here does not run the
// control's change handler; the exposure mode and image size handlers and a
// moved compensation scale run on purpose.
#include "widgets/WindowControls.h"

class CameraLink;
class ShootingHandlers;

class SettingsFill {
public:
    SettingsFill(ShootingControls shooting, FocusControls focus, MovieControls movie,
                 CameraLink& link, ShootingHandlers& handlers);

    void fill();

private:
    void fillExposure();
    void fillImage();
    void fillMovie();
    void fillFlashAndFocus();
    void fillCardsAndPower();

    ShootingControls m_shooting;
    FocusControls m_focus;
    MovieControls m_movie;
    CameraLink& m_link;
    ShootingHandlers& m_handlers;
};
