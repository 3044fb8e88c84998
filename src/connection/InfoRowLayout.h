#pragma once
// Where the Info page's run-time rows go and how a camera text appears in
// its edit: pure functions of the row number, the capability and the text.
#include <QRect>
#include <QString>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace inforows {

// Width of the "Camera" group without and with the manual-lens group.
inline constexpr int kNarrowInfoWidth = 329;
inline constexpr int kWideInfoWidth = 518;
inline constexpr int kManualLensHeight = 273;
// Rows a name array gets at most (banks A to D, presets 1 to 4).
inline constexpr uint32_t kNameArrayRows = 4;
// Lens numbers the camera keeps data for, 0 to 8.
inline constexpr uint32_t kManualLenses = 9;

// A text row's key: the capability in the low 16 bits, the element index
// inside an array capability in the high 16 bits.
inline uint32_t rowKey(uint32_t capId, uint32_t element) {
    return (capId & 0xFFFF) | (element << 16);
}
inline uint32_t rowCapability(uint32_t key) {
    return key & 0xFFFF;
}
inline uint32_t rowElement(uint32_t key) {
    return key >> 16;
}

struct TextRowPlace {
    QRect label;
    QRect edit;
    QRect enableBox;
};
// Row `row` (from 0) inside the "Camera texts" group.
TextRowPlace textRowPlace(int row);
// The group holds its rows and the "Save to camera" button below them.
int textsGroupHeight(int rows);
// Top of the group's "Save to camera" button at that height.
int saveButtonTop(int groupHeight);

// The bank and preset name arrays that get a row per element.
bool isNameArray(uint32_t capId);
// " A" to " D" for the bank names, " 1" to " 4" for the preset names.
QString elementSuffix(uint32_t capId, uint32_t element);

// What an edit shows and how many characters it takes.
struct RowText {
    QString shown;
    int maxLength = 0;
};
// Blanks (and control characters) cut from both ends.
std::string trimBlanks(std::string_view text);
// A camera text as its row shows it: trimmed, taking 40 characters; a text
// the camera pads with blanks takes as many as its padded field. A longer
// text raises the limit to its own length, so that showing and saving it
// back never cuts it.
RowText rowText(const std::string& value);

struct LensRowPlace {
    QRect label;
    QRect focal;
    QRect aperture;
    QRect radio;
};
// Row of lens number `lens` (0 to 8) inside the "Non CPU lens data" group.
LensRowPlace lensRowPlace(int lens);
// The lens number the camera is left on: the last one checked, else 0.
uint32_t lensNumberToKeep(const std::vector<bool>& checked);

} // namespace inforows
