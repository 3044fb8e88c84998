#pragma once
// The values the program keeps between runs, as one plain record. The
// settings store fills it at window creation and saves it at window close;
// the window maps it to and from its controls.
#include <QRect>
#include <QString>
#include <QTime>
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

// The sequencer dialog's values ("Seq..." values). The store keeps each
// within what the dialog offers; a value outside it gives the default.
struct SavedSequence {
    int frames = 10;           // "SeqFrames", 1 to kMaxFrames
    bool unlimited = false;    // "SeqUnlimited": until stopped
    int interval_ms = 10000;   // "SeqInterval", up to kMaxTime_ms
    bool startAtTime = false;  // "SeqStartAtTime": at startTime, not after startDelay
    int startDelay_ms = 0;     // "SeqStartDelay", up to kMaxTime_ms
    QTime startTime{20, 0};    // "SeqStartTime", "hh:mm:ss"
    bool stopAtTime = false;   // "SeqStopAtTime"
    QTime stopTime{6, 0};      // "SeqStopTime", "hh:mm:ss"
    int kind = 0;              // "SeqKind": 0 single, 1 bracket, 2 bulb
    int bracketFrames = 3;     // "SeqBracketFrames", 2 to kMaxBracketFrames
    int bracketStep = 3;       // "SeqBracketStep": 1/3, 1/2, 2/3, 1, 2, 3 EV from 0
    int bulbLength_ms = 60000; // "SeqBulbLength", 100 ms up to kMaxTime_ms
    int fileTimeout_s = 30;    // "SeqFileTimeout", 1 to kMaxTimeout_s

    static constexpr int kMaxFrames = 99999;
    static constexpr int kMaxTime_ms = 24 * 60 * 60 * 1000;
    static constexpr int kMaxBracketFrames = 9;
    static constexpr int kBracketSteps = 6;
    static constexpr int kMinBulb_ms = 100;
    static constexpr int kMaxTimeout_s = 3600;

    bool operator==(const SavedSequence&) const = default;
};

// The command run for each received file ("HookCommand", "HookTimeout").
struct SavedHook {
    QString command;    // empty: none
    int timeout_s = 60; // 1 to kMaxTimeout_s
    static constexpr int kMaxTimeout_s = 3600;

    bool operator==(const SavedHook&) const = default;
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
    SavedSequence sequence;
    SavedHook hook;

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
