#pragma once
// What the camera connection needs from the main window beyond its control
// groups: the model pictures, the window layout and the device identity.
// TfMain implements it; tests record the calls.
#include "session/CameraIdentity.h"

#include <QString>

class ConnectionHost {
public:
    virtual ~ConnectionHost() = default;
    virtual void ShowCamPics(bool show) = 0;
    // Shows the pictures of a selector entry and returns the identity it
    // shows on the Info page (serial already cut to its shown length).
    virtual CameraIdentity LoadCamPics(const QString& name) = 0;
    virtual void FormResize() = 0;
    // PageControl to the log page (index 2), its page-change handler, repaint.
    virtual void showLogPage() = 0;
    // The window's layout flag for an open camera connection.
    virtual void setCameraConnected(bool connected) = 0;
    // Serial number (in full) and firmware of the `ordinal`-th camera named `name`.
    virtual CameraIdentity readIdentity(const QString& name, int ordinal) = 0;
};
