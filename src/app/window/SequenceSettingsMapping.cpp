#include "app/window/SequenceSettingsMapping.h"

#include "sequencer/Bracketing.h"
#include "sequencer/SequencePlan.h"

#include <algorithm>

using std::chrono::milliseconds;

SequenceSettings sequenceFromSaved(const SavedSequence& saved, const QTime& now) {
    SequenceSettings s;
    s.frames = saved.unlimited ? 0 : saved.frames;
    s.interval = milliseconds(saved.interval_ms);
    s.startDelay = saved.startAtTime ? sequence::untilTimeOfDay(now, saved.startTime)
                                     : milliseconds(saved.startDelay_ms);
    if (saved.stopAtTime) {
        s.stopAfter = sequence::stopAfterStart(now, s.startDelay, saved.stopTime);
    }
    switch (saved.kind) {
    case 1:
        s.kind = ShotKind::Bracket;
        break;
    case 2:
        s.kind = ShotKind::Bulb;
        break;
    default:
        s.kind = ShotKind::Single;
        break;
    }
    s.bracketFrames = saved.bracketFrames;
    const std::vector<double>& steps = bracketing::stepChoices();
    s.bracketStepEv = steps[static_cast<size_t>(
        std::clamp(saved.bracketStep, 0, static_cast<int>(steps.size()) - 1))];
    s.bulbLength = milliseconds(saved.bulbLength_ms);
    s.fileTimeout = milliseconds(int64_t{saved.fileTimeout_s} * 1000);
    return s;
}

QString sequenceStatusText(SequencePhase phase, int shot, int total, qint64 msToNext) {
    QString text = QStringLiteral("Shot %1").arg(shot);
    if (total > 0) {
        text += QStringLiteral(" of %1").arg(total);
    }
    const qint64 seconds = (std::max<qint64>(msToNext, 0) + 999) / 1000;
    switch (phase) {
    case SequencePhase::Waiting:
        return text + QStringLiteral(", next in %1 s").arg(seconds);
    case SequencePhase::Exposing:
        return text + QStringLiteral(", exposing, %1 s left").arg(seconds);
    case SequencePhase::Receiving:
        return text + QStringLiteral(", waiting for its files");
    case SequencePhase::Idle:
        break;
    }
    return QStringLiteral("Not running");
}
