#pragma once
// The sequencer dialog's stored values turned into a sequence to run, and
// the sequencer's progress into the dialog's status line.
#include "app/AppSettings.h"
#include "sequencer/Sequencer.h"

#include <QString>
#include <QTime>

// `now` is the time of day at the start: a start time and a stop time of
// day become delays from it (the next occurrence; a stop before the first
// shot is the next day's).
SequenceSettings sequenceFromSaved(const SavedSequence& saved, const QTime& now);

// "Shot 2 of 10, next in 12 s"; during bulb "Shot 2 of 10, exposing, 12 s
// left"; after a release "Shot 2 of 10, waiting for its files". Seconds are
// rounded up, so the count never shows 0 before the shot.
QString sequenceStatusText(SequencePhase phase, int shot, int total, qint64 msToNext);
