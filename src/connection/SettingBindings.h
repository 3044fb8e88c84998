#pragma once
// The settings controls as a table: each row binds one camera capability to
// the control that shows it and says how the control is filled. Connecting
// walks the whole table in order; a changed camera value re-runs the rows of
// its capability. The order is the order the camera is asked in.
#include "widgets/WindowControls.h"

#include <cstdint>
#include <variant>
#include <vector>

// How a row fills its control. The plain kinds serve many rows; the others
// each stand for one setting whose rules are its own.
enum class FillKind {
    EnumList,      // the enumeration's texts as items, its index selected
    IndexOnly,     // the enumeration's index selected in fixed items
    UnsignedIndex, // an unsigned value selected as the index in fixed items
    SlotRow,       // enabled when settable; only then the unsigned value as index
    ModeHandler,   // the exposure mode handler (writes the shown mode)
    ApertureList,  // the enumeration's texts with "f/" before each
    ZoomRates,     // live view zoom rates as items, the first selected
    ImageSize,     // the index selected, then the image size handler
    ColorTemp,     // the colour temperature's kelvin text selected
    ImageArea,     // the camera type's image-area list and the camera's area
    Compensation,  // the compensation scale's position (its handler may write)
    MovieSize,     // movie size, when the camera has movie mode
    MovieExtras,   // quality, mic level field and movie time follow movie mode
    Microphone,    // microphone kind, both sets folded into one
    Flash,         // flash modes, enabled while the internal flash can fire
    AfMode,        // AF mode with the "MF" item and the AF button
    MicLevel,      // microphone level spin box
    Battery,       // battery bar and its hint
};

// What a row does to its control's enabled state after filling it.
enum class Enable {
    Untouched,
    WhenSettable,   // enabled when the camera lets the value be set
    InShutterModes, // enabled in the exposure modes that set the shutter by hand
};

// Whether filling a row writes to the camera. A refresh runs such a row in a
// form that only reads: the camera's value is the news, and writing the
// window's value back would undo it.
enum class Writes {
    Nothing,
    Camera,
};

using BoundControl = std::variant<QComboBox*, QSlider*, QSpinBox*, QProgressBar*>;

struct SettingBinding {
    uint32_t capId = 0;
    FillKind kind = FillKind::EnumList;
    BoundControl control;
    Enable enable = Enable::Untouched;
    Writes writes = Writes::Nothing;
};

// The rows in connect order, bound to the window's controls.
std::vector<SettingBinding> SettingBindings(const ShootingControls& shooting,
                                            const FocusControls& focus, const MovieControls& movie);
