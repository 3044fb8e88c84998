#pragma once
// The values the program keeps between runs, as one plain record. The
// settings store fills it at window creation and saves it at window close;
// the window maps it to and from its controls.
#include <QRect>
#include <QString>
#include <Qt>

#include <optional>

// Window state as the settings file stores it.
enum class SavedWindowState : int { Normal = 0, Minimised = 1, Maximised = 2 };

// The live view aids as stored ("Aid..." values); all off by default. The
// window checks the levels against what its menus offer.
struct SavedAids {
    int histogram = 0;         // "AidHistogram": 0 off, 1 luminance, 2 RGB
    bool waveform = false;     // "AidWaveform"
    bool zebras = false;       // "AidZebras"
    int zebraLevel = 98;       // "AidZebraLevel", per cent
    int shadowLevel = 0;       // "AidShadowLevel", per cent, 0: none
    bool peaking = false;      // "AidPeaking"
    int peakingColour = 0;     // "AidPeakingColour": 0 red, 1 green, 2 white
    int peakingThreshold = 40; // "AidPeakingThreshold"
    int guides = 0;            // "AidGuides": 1 thirds, 2 golden, 4 cross, 8 diagonals
    bool spot = false;         // "AidSpot"
    bool falseColour = false;  // "AidFalseColour"

    bool operator==(const SavedAids&) const = default;
};

// Each member is one named value of the settings file ("WindowState", "Top",
// ...). Placement values are optional: the window applies them, in the order
// Height, Top, Left, WindowState, only when the file held them; everything
// else carries its default and can be applied unconditionally.
struct AppSettings {
    int windowState = 0;          // "WindowState": 0 normal, 1 minimised, 2 maximised
    std::optional<int> top;       // "Top"
    std::optional<int> left;      // "Left"
    std::optional<int> width;     // "Width": saved, but start-up width follows the page rules
    std::optional<int> height;    // "Height"
    int previewWidth = 0;         // "PreWidth"
    int pagesWidth = 500;         // "SecWidth"
    bool logAllDslr = false;      // "logAllDSLR"
    bool dslrAutoConnect = false; // "DSLRAutoConnect"
    QString imgPrefix = QStringLiteral("Image_"); // "ImgPrefix"; also the prefix in force
    QString imgDir;                               // "ImgDir"; the pictures folder unless stored
    bool preview = true;                          // "Preview"
    bool closePreview = false;                    // "ClosePreview"
    SavedAids aids;

    bool operator==(const AppSettings&) const = default;
};

// Qt window state for a stored state; an unknown number counts as normal.
Qt::WindowStates windowStateFromSaved(int saved);

// Stored state for a Qt window state (minimised wins over maximised, as the
// window shows it).
int savedFromWindowState(Qt::WindowStates state);

// Record for saving the window as it is at close: the state always, the
// placement only when the window is not maximised, so a maximised window
// keeps the last normal placement it had.
AppSettings withWindowPlacement(AppSettings settings, Qt::WindowStates state,
                                const QRect& geometry);
