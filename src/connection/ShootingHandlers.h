#pragma once
// The change handlers of the shooting settings controls: each turns its
// control's state into a capability value of the current source. While
// movie mode is on, the exposure controls stand for the movie capabilities;
// while live view or movie mode is on, the white balance stands for the live
// view white balance. None of them logs: the camera confirms with an event.
#include "widgets/WindowControls.h"

#include <cstdint>

class CameraSession;

class ShootingHandlers {
public:
    // The handlers write only while `session` is connected.
    ShootingHandlers(ShootingControls shooting, LiveViewControls liveView, MovieControls movie,
                     const CameraSession& session);

    // Connects every control of the table to its handler. A selection set
    // from code (through ComboFill) runs none of them.
    void connectControls();

    void cbISOChange();
    void cbApertureChange();
    void cbShutterChange();
    // Writes the exposure mode, then re-reads shutter and aperture selections
    // and enables the compensation scale for "P", "A" and "S".
    void cbModeChange();
    // What the mode handler does after its write, for a mode the camera
    // already holds: writes nothing.
    void followExposureMode();
    void cbCompressionChange();
    // Writes the image size and puts its text into the hint.
    void cbImageSizeChange();
    // Puts the camera's image size text into the hint; writes nothing.
    void showImageSizeText();
    void cbWBmodeChange();
    // Sets the colour temperature by value: the nearest step of the range.
    void cbColorTempChange();
    void cbCCDmodeChange();
    void cbFlashModeChange();
    void cbRAWbitChange();
    void cbMeteringModeChange();
    void cbRawCompressChange();
    void cbJPEGCompressChange();
    void cbColorSpaceChange();
    void cbSlot2ModeChange();
    void cbPrimarySlotChange();
    void cbSaveMediaChange();
    // Writes the scale position as the compensation's value index (the movie
    // compensation while movie mode is on).
    void tbExpoCorrChange();

private:
    bool movieMode() const;
    bool liveViewOrMovie() const;
    void writeIndex(uint32_t capId, const QComboBox* combo);
    void writeUnsigned(uint32_t capId, const QComboBox* combo);

    ShootingControls m_shooting;
    LiveViewControls m_liveView;
    MovieControls m_movie;
    const CameraSession& m_session;
};
