#pragma once
// The "Aids" row's handlers: its buttons and menus make the aids' settings,
// the pointer over the live image feeds the spot meter, the magnifier
// zooms to 100 % and back, and a still shown with View gets its histogram.
#include "liveview/AidSettings.h"
#include "widgets/WindowControls.h"

#include <QObject>
#include <QPoint>

class FocusHandlers;
class LiveViewAids;

class AidsPanel : public QObject {
    Q_OBJECT
public:
    struct Controls {
        LiveViewAidControls aids;
        LiveViewControls liveView;
        QComboBox* cbLVzoom = nullptr;
    };
    AidsPanel(Controls controls, LiveViewAids& model, FocusHandlers& focus,
              QObject* parent = nullptr);

    // The settings as the row shows them.
    AidSettings settings() const;
    // Shows `settings` in the row (values no menu entry offers fall back to
    // the defaults) and puts them in force.
    void applySettings(const AidSettings& settings);

    // Zooms to 100 % at the contrast-AF point, or back to the zoom before.
    void sbMagnifyClick();
    // A press with a modifier on the live image: the press itself has moved
    // the AF point there; this toggles the magnifier.
    void pbLiveViewModifiedPress();

private:
    void settingsChanged();
    void showStillHistogram();
    void zoomChanged();
    void liveViewToggled(bool on);
    int fullSizeZoomIndex() const;

    Controls m_c;
    LiveViewAids& m_model;
    FocusHandlers& m_focus;
    int m_zoomBeforeMagnify = -1;
};
