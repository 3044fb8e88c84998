#pragma once
// What camera detection needs from the main window besides the camera
// selector: the Start button, the model pictures, the "Auto" tick and the
// deferred-action timer, and the camera connection's state and Stop.
#include <string>

class DetectionHost {
public:
    virtual ~DetectionHost() = default;

    // Enables or disables the Start button (bDSLRConnect).
    virtual void setConnectEnabled(bool enabled) = 0;
    // Shows the pictures of a model; an empty name shows those for no camera.
    virtual void LoadCamPics(const std::string& model) = 0;
    // Whether "Auto" (chDSLRAutoConnect) is ticked.
    virtual bool autoConnectChecked() const = 0;
    // Arms the deferred-action timer with the connect action.
    virtual void armAutoConnect(int delay_ms) = 0;
    // Whether a camera connection is open, and the connected camera's name.
    virtual bool isConnected() const = 0;
    virtual std::string connectedCameraName() const = 0;
    // Ends the camera connection (the Stop button's handler).
    virtual void bDSLRDisconnClick() = 0;
};
