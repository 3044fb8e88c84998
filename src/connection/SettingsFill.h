#pragma once
// Applies the settings table (SettingBindings): reads the camera's settings
// into the settings controls when a connection opens, and re-reads the rows
// of one capability when the camera reports that its value changed. A
// selection set here does not run the control's change handler; at connect
// the exposure mode and image size handlers and a moved compensation scale
// run on purpose.
#include "connection/SettingBindings.h"
#include "widgets/WindowControls.h"

#include <cstdint>
#include <vector>

class CameraLink;
class ShootingHandlers;

class SettingsFill {
public:
    SettingsFill(ShootingControls shooting, FocusControls focus, MovieControls movie,
                 CameraLink& link, ShootingHandlers& handlers);

    // Every row in table order.
    void fill();
    // How much of a row a refresh re-reads.
    enum class Depth {
        List,  // the capability's description changed: items, selection, enabled state
        Value, // only its value changed: the selection (or position) follows
    };
    // Re-runs the rows bound to `capId`, in table order, in their reading
    // form: nothing is written to the camera. Without a current source there
    // is nothing to read and nothing happens.
    void refresh(uint32_t capId, Depth depth = Depth::List);

    // The lists that differ in live view: the exposure lists and the
    // primary slot re-read, the white balance from the live view WB mode
    // (`photoLiveView`) or from the WB mode.
    void refillForLiveView(bool photoLiveView);
    // Movie live view: aperture, shutter, ISO, compensation scale, white
    // balance and the slot choice stand for the movie settings.
    void refillForMovie();
    // Back from movie live view: all of them for still shooting again.
    void refillForStill();

    bool isBound(uint32_t capId) const;
    // Each bound capability once, in table order.
    std::vector<uint32_t> boundCapabilities() const;

private:
    void apply(const SettingBinding& row);
    void disableUnsettable();
    void applyValue(const SettingBinding& row);
    void applyEnable(Enable enable, uint32_t capId, QWidget* control);

    void fillEnumList(const SettingBinding& row);
    void fillIndexOnly(const SettingBinding& row);
    void fillUnsignedIndex(const SettingBinding& row);
    void fillSlotRow(const SettingBinding& row);
    void fillModeHandler(const SettingBinding& row);
    void fillApertureList(const SettingBinding& row);
    void fillZoomRates(const SettingBinding& row);
    void fillImageSize(const SettingBinding& row);
    void fillColorTemp(const SettingBinding& row);
    void fillImageArea(const SettingBinding& row);
    void fillCompensation(const SettingBinding& row);
    void fillMovieSize(const SettingBinding& row);
    void fillMovieExtras(const SettingBinding& row);
    void fillMicrophone(const SettingBinding& row);
    void fillFlash(const SettingBinding& row);
    void fillAfMode(const SettingBinding& row);
    void fillMicLevel(const SettingBinding& row);
    void fillBattery(const SettingBinding& row);
    void refillStillExposure();
    void refillWhiteBalance(uint32_t capId);
    void fillMovieList(QComboBox* combo, uint32_t capId);

    ShootingControls m_shooting;
    FocusControls m_focus;
    MovieControls m_movie;
    CameraLink& m_link;
    ShootingHandlers& m_handlers;
    std::vector<SettingBinding> m_bindings;
};
