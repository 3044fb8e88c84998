#pragma once
// Several cameras of one model appear in the camera list under the same
// text; the ordinal tells which of them is meant.
#include <QComboBox>
#include <QStringList>

// 1-based position of entry `selected` among the entries up to and including
// it that carry the same text; 0 when `selected` is not a valid index.
int cameraOrdinal(const QStringList& entries, int selected);

// The same for the entry selected in a camera selector.
int cameraOrdinal(const QComboBox& selector);
