#pragma once
// Moves the stored settings onto the main window and its controls, in the
// order the program has always restored them, and collects them back at
// close. Pure mapping: reading and writing the file is the settings store's.
#include "app/AppSettings.h"
#include "widgets/WindowControls.h"

class QWidget;

namespace windowsettings {

// Placement in the stored order: Height, Top, Left, then the window state.
// Values the file did not hold leave the window as it is.
void applyPlacement(QWidget& window, const AppSettings& settings);

// The check boxes and the prefix: "Log all event", "Auto", ImgPrefix.
void applyCameraChoices(const AppSettings& settings, CameraGroupControls& camera,
                        ImageGroupControls& images);

// Image directory, preview button and "Close after 5 sec".
void applyImageChoices(const AppSettings& settings, ImageGroupControls& images);

// Widths remembered by the page rules, as the window holds them.
struct PageWidths {
    int previewWidth = 0;
    int pagesWidth = 0;
};

// Everything to save at close. `placement` is the window's frame position
// with its size; a maximised window keeps the last normal placement on file.
AppSettings collect(Qt::WindowStates state, const QRect& placement, const PageWidths& widths,
                    const WindowControls& controls);

} // namespace windowsettings
