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
