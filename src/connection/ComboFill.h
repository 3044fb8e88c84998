#pragma once
// Filling combo boxes from code without running their change handlers.
#include <QStringList>

#include <string>

class QComboBox;

// CR LF separated lines as items; a final line break ends the last item
// instead of adding an empty one.
QStringList LinesToItems(const std::string& lines);

// Replaces the items; afterwards nothing is selected.
void setComboItems(QComboBox* combo, const QStringList& items);
// Selects `index` (-1 or out of range: none).
void setComboIndex(QComboBox* combo, int index);

// The AF mode list holds "AF-S", "AF-C" and, while manual focus is offered
// (a camera focusing by hand, a locked camera, a lens without processor),
// "MF" as the third item. AF mode values from this one on are manual focus.
inline constexpr int kManualFocusMode = 2;
// Adds or removes "MF" without running the list's change handler.
void offerManualFocus(QComboBox* afMode, bool offered);
