#pragma once
// The live view aids between their stored form and the aids row's settings.
#include "app/AppSettings.h"
#include "liveview/AidSettings.h"

#include <QStringList>

AidSettings aidsFromSaved(const SavedAids& saved);
SavedAids savedFromAids(const AidSettings& aids);

// The names "--aids" takes: histogram, rgb-histogram, waveform, zebras,
// peaking, false-colour, spot, thirds, golden, cross, diagonals.
bool isAidName(const QString& name);
// `base` with exactly the named aids on (levels and colours kept).
AidSettings withAidsOn(AidSettings base, const QStringList& names);
