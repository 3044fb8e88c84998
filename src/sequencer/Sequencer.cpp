#include "sequencer/Sequencer.h"

#include "camera/CameraLink.h"
#include "camera/CapabilityValues.h"
#include "camera/LogSink.h"
#include "camera/SourceShortcuts.h"
#include "session/CameraSession.h"

#include <QSignalBlocker>

#include <algorithm>
#include <cstdio>

using std::chrono::milliseconds;

namespace {

constexpr char kPrefix[] = "SEQUENCE: ";
constexpr char kBulb[] = "Bulb";
constexpr char kManual[] = "Manual"; // the exposure mode M (value 3) as the camera names it
constexpr int64_t kSecond_ms = 1000;

milliseconds steadyNow() {
    return std::chrono::duration_cast<milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
}

int timerDelay(milliseconds delay) {
    return static_cast<int>(std::clamp<int64_t>(delay.count(), 0, INT32_MAX));
}

// "12 s", "1.5 s", "0.25 s".
std::string secondsText(milliseconds length) {
    std::string text = std::to_string(length.count() / kSecond_ms);
    if (const int64_t rest = length.count() % kSecond_ms; rest != 0) {
        char fraction[8];
        std::snprintf(fraction, sizeof fraction, ".%03d", static_cast<int>(rest));
        std::string digits = fraction;
        digits.erase(digits.find_last_not_of('0') + 1);
        text += digits;
    }
    return text + " s";
}

std::string plural(int count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// The entries of an enumeration's lines, each ending in CR LF.
std::vector<std::string> splitLines(const std::string& lines) {
    std::vector<std::string> entries;
    size_t from = 0;
    for (size_t end = lines.find("\r\n"); end != std::string::npos;
         end = lines.find("\r\n", from)) {
        entries.push_back(lines.substr(from, end - from));
        from = end + 2;
    }
    return entries;
}

std::string compensationText(const orv::RangeRecord& range, uint32_t index) {
    char text[32];
    std::snprintf(text, sizeof text, "exposure comp. %+.1f EV", RangeValueForIndex(range, index));
    return text;
}

std::string kindText(const SequenceSettings& s) {
    switch (s.kind) {
    case ShotKind::Bracket:
        return "brackets of " + std::to_string(s.bracketFrames) + " frames " +
               bracketing::stepText(s.bracketStepEv) + " EV apart";
    case ShotKind::Bulb:
        return "bulb exposures of " + secondsText(s.bulbLength);
    case ShotKind::Single:
        break;
    }
    return "single pictures";
}

} // namespace

Sequencer::Sequencer(CameraSession& session, LogSink& log, QObject* parent)
    : QObject(parent), m_session(session), m_log(log), m_clock(steadyNow) {
    for (QTimer* timer : {&m_timer, &m_tick, &m_fileTimer}) {
        timer->setSingleShot(true);
    }
    // A coarse timer may fire a few per cent early: a minute's wait could
    // release seconds before the slot.
    m_timer.setTimerType(Qt::PreciseTimer);
    m_tick.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &Sequencer::onTimer);
    connect(&m_tick, &QTimer::timeout, this, [this] {
        emitProgress();
        armTick();
    });
    connect(&m_fileTimer, &QTimer::timeout, this, &Sequencer::fileTimeout);
    connect(&m_session, &CameraSession::itemAdded, this, [this](uint32_t) { itemAdded(); });
    connect(&m_session, &CameraSession::itemFinished, this, &Sequencer::itemFinished);
    connect(&m_session, &CameraSession::closed, this, &Sequencer::sessionClosed);
}

// The camera is still left as it was found; nobody is told any more.
Sequencer::~Sequencer() {
    const QSignalBlocker blocker(this);
    stop();
}

void Sequencer::setClock(Clock clock) {
    m_clock = clock ? std::move(clock) : Clock(steadyNow);
}

milliseconds Sequencer::elapsed() const {
    return m_clock() - m_start;
}

bool Sequencer::start(const SequenceSettings& settings) {
    if (running()) {
        m_log.elog(std::string(kPrefix) + "A sequence is already running.");
        return false;
    }
    if (!m_session.connected()) {
        m_log.elog(std::string(kPrefix) + "No camera is connected.");
        return false;
    }
    if (!check(settings)) {
        return false;
    }
    m_settings = settings;
    m_schedule = {settings.frames, settings.interval, settings.startDelay, settings.stopAfter};
    m_shotsTaken = 0;
    m_nextSlot = 0;
    m_refusedInRow = 0;
    m_bracket.reset();
    m_start = m_clock();
    std::string line = std::string(kPrefix) + "Started: " +
                       (settings.frames > 0 ? plural(settings.frames, "shot", "shots")
                                            : std::string("shots until stopped")) +
                       ", " + kindText(settings) + ", ";
    line += settings.interval > milliseconds::zero() ? "every " + secondsText(settings.interval)
                                                     : std::string("one after the other");
    line += ", the first in " + secondsText(settings.startDelay);
    if (settings.stopAfter) {
        line += ", none after " + secondsText(*settings.stopAfter);
    }
    m_log.log(line + ".");
    scheduleNext();
    return true;
}

// Everything that would make the sequence fail at its first shot is said
// before it starts.
bool Sequencer::check(const SequenceSettings& s) {
    const auto refuse = [this](const std::string& why) {
        m_log.elog(std::string(kPrefix) + why);
        return false;
    };
    if (s.frames < 0 || s.interval < milliseconds::zero() || s.startDelay < milliseconds::zero() ||
        s.fileTimeout <= milliseconds::zero()) {
        return refuse("The sequence's counts and times cannot be negative.");
    }
    if (s.stopAfter && *s.stopAfter < s.startDelay) {
        return refuse("The stop time comes before the first shot.");
    }
    CameraLink& link = m_session.link();
    const bool bulbSelected = link.shortcuts().text(orv::kCapShutterSpeed) == kBulb;
    switch (s.kind) {
    case ShotKind::Bulb:
        if (s.bulbLength <= milliseconds::zero()) {
            return refuse("A bulb exposure needs a length.");
        }
        if (!bulbSelected) {
            return refuse("Bulb exposures need the shutter speed Bulb.");
        }
        if (!CameraLink::FindCapability(link.CurrentSource(), orv::kCapTerminateCapture)) {
            return refuse("The camera cannot end a bulb exposure.");
        }
        return true;
    case ShotKind::Bracket:
        if (s.bracketFrames < 1 || s.bracketStepEv <= 0) {
            return refuse("A bracket needs at least one frame and a step.");
        }
        break;
    case ShotKind::Single:
        break;
    }
    if (bulbSelected) {
        return refuse("The shutter speed is Bulb: only bulb exposures can be taken.");
    }
    if (s.kind == ShotKind::Bracket) {
        return planBracket(s.bracketFrames, s.bracketStepEv).has_value();
    }
    return true;
}

// Around the camera's value as it is now: in M the shutter speed moves, in
// every other mode the exposure compensation.
std::optional<Sequencer::Bracket> Sequencer::planBracket(int frames, double step) {
    CameraLink& link = m_session.link();
    SourceShortcuts& camera = link.shortcuts();
    Bracket bracket;
    if (camera.text(orv::kCapExposureMode) == kManual) {
        const int32_t base = camera.index(orv::kCapShutterSpeed);
        const std::vector<std::string> texts = splitLines(camera.lines(orv::kCapShutterSpeed));
        if (base >= 0) {
            bracket.frames =
                bracketing::shutterBracket(texts, static_cast<uint32_t>(base), frames, step);
        }
        if (bracket.frames.empty()) {
            m_log.elog(std::string(kPrefix) + "The shutter speed " +
                       camera.text(orv::kCapShutterSpeed) + " cannot be bracketed.");
            return std::nullopt;
        }
        bracket.capId = orv::kCapShutterSpeed;
        bracket.original = static_cast<uint32_t>(base);
        for (const bracketing::Frame& frame : bracket.frames) {
            bracket.labels.push_back("shutter speed " + texts[frame.index]);
        }
        return bracket;
    }
    const orv::RangeRecord range =
        link.values().getRange(link.CurrentSource(), orv::kCapExposureComp);
    if (range.steps < 2) {
        m_log.elog(std::string(kPrefix) + "The camera offers no exposure compensation to bracket.");
        return std::nullopt;
    }
    bracket.capId = orv::kCapExposureComp;
    bracket.original = range.valueIndex;
    bracket.frames = bracketing::compensationBracket(range, range.valueIndex, frames, step);
    for (const bracketing::Frame& frame : bracket.frames) {
        bracket.labels.push_back(compensationText(range, frame.index));
    }
    return bracket;
}

void Sequencer::scheduleNext() {
    const milliseconds now = elapsed();
    const sequence::SlotChoice choice =
        sequence::chooseSlot(m_schedule, m_nextSlot, m_shotsTaken, now);
    if (choice.skipped > 0) {
        const int first = choice.slot - choice.skipped + 1;
        m_log.log(std::string(kPrefix) +
                  (choice.skipped == 1
                       ? "Slot " + std::to_string(first)
                       : "Slots " + std::to_string(first) + " to " + std::to_string(choice.slot)) +
                  " skipped: the previous shot was busy until its time had passed.");
    }
    if (choice.done) {
        const bool allTaken = m_settings.frames > 0 && m_shotsTaken >= m_settings.frames;
        end(std::string(kPrefix) + (allTaken ? "Finished: " : "Finished at the stop time: ") +
            plural(m_shotsTaken, "shot", "shots") + ".");
        return;
    }
    m_nextSlot = choice.slot + 1;
    m_deadline = choice.at;
    m_phase = SequencePhase::Waiting;
    m_timer.start(timerDelay(choice.at - now));
    emitProgress();
    armTick();
}

void Sequencer::onTimer() {
    // Never before the due time as the clock tells it.
    if (m_phase == SequencePhase::Waiting || m_phase == SequencePhase::Exposing) {
        if (const milliseconds early = m_deadline - elapsed(); early > milliseconds::zero()) {
            m_timer.start(timerDelay(early));
            return;
        }
    }
    switch (m_phase) {
    case SequencePhase::Waiting:
        beginShot();
        break;
    case SequencePhase::Exposing:
        closeBulb();
        break;
    case SequencePhase::Receiving:
        if (m_settled) {
            afterFrame();
        }
        break;
    case SequencePhase::Idle:
        break;
    }
}

std::string Sequencer::shotName() const {
    std::string name = "Shot " + std::to_string(m_shotsTaken);
    if (m_settings.frames > 0) {
        name += " of " + std::to_string(m_settings.frames);
    }
    return name;
}

void Sequencer::beginShot() {
    m_tick.stop();
    ++m_shotsTaken;
    const std::string name = std::string(kPrefix) + shotName();
    // The dial may have been turned since the start.
    const bool bulbSelected = m_session.link().shortcuts().text(orv::kCapShutterSpeed) == kBulb;
    if (bulbSelected != (m_settings.kind == ShotKind::Bulb)) {
        m_log.elog(name + ": not taken, the shutter speed " +
                   (bulbSelected ? "is Bulb." : "is no longer Bulb."));
        m_phase = SequencePhase::Receiving;
        settle();
        return;
    }
    switch (m_settings.kind) {
    case ShotKind::Single:
        m_log.log(name + ".");
        release();
        break;
    case ShotKind::Bracket:
        m_bracket = planBracket(m_settings.bracketFrames, m_settings.bracketStepEv);
        if (!m_bracket) {
            m_phase = SequencePhase::Receiving;
            settle();
            return;
        }
        m_log.log(name + ": " + plural(m_settings.bracketFrames, "frame", "frames") + ", " +
                  bracketing::stepText(m_settings.bracketStepEv) + " EV apart.");
        nextBracketFrame();
        break;
    case ShotKind::Bulb:
        m_log.log(name + ": bulb exposure of " + secondsText(m_settings.bulbLength) + ".");
        openBulb();
        break;
    }
}

void Sequencer::nextBracketFrame() {
    Bracket& bracket = *m_bracket;
    const auto frameName = [&bracket](size_t i) {
        return std::string(kPrefix) + "Frame " + std::to_string(i + 1) + " of " +
               std::to_string(bracket.frames.size());
    };
    // The same exposure twice would only fill the card.
    for (; bracket.next < bracket.frames.size() && bracket.frames[bracket.next].repeat;
         ++bracket.next) {
        m_log.log(frameName(bracket.next) + " skipped: " + bracket.labels[bracket.next] +
                  " was taken already" +
                  (bracket.frames[bracket.next].clamped ? " (the camera's end)." : "."));
    }
    if (bracket.next >= bracket.frames.size()) {
        restoreBracket();
        scheduleNext();
        return;
    }
    const size_t i = bracket.next++;
    const bracketing::Frame& frame = bracket.frames[i];
    SourceShortcuts& camera = m_session.link().shortcuts();
    const bool written = bracket.capId == orv::kCapExposureComp
                             ? camera.setRangeIndex(bracket.capId, frame.index)
                             : camera.setIndex(bracket.capId, frame.index);
    if (!written) {
        m_log.elog(frameName(i) + ": the camera did not take " + bracket.labels[i] + ".");
        m_phase = SequencePhase::Receiving;
        settle();
        return;
    }
    m_log.log(frameName(i) + ": " + bracket.labels[i] +
              (frame.clamped ? " (the camera's end)." : "."));
    release();
}

// The camera is locked while the shutter stays open, so that its own
// controls cannot end the exposure by accident.
void Sequencer::openBulb() {
    CameraLink& link = m_session.link();
    m_lockWas = link.values().getBoolean(link.CurrentSource(), orv::kCapLockCamera);
    link.values().setBoolean(link.CurrentSource(), orv::kCapLockCamera, true);
    m_itemSeen = false;
    m_settled = false;
    m_phase = SequencePhase::Exposing;
    if (!link.shortcuts().capture()) {
        link.values().setBoolean(link.CurrentSource(), orv::kCapLockCamera, m_lockWas);
        m_phase = SequencePhase::Receiving;
        refused();
        return;
    }
    m_refusedInRow = 0;
    m_deadline = elapsed() + m_settings.bulbLength;
    m_timer.start(timerDelay(m_settings.bulbLength));
    emitProgress();
    armTick();
}

void Sequencer::closeBulb() {
    m_tick.stop();
    CameraLink& link = m_session.link();
    bool stillOpen = true;
    link.shortcuts().terminateCapture(stillOpen);
    if (stillOpen) {
        m_log.elog(std::string(kPrefix) + shotName() + ": the camera did not end the exposure.");
    }
    link.values().setBoolean(link.CurrentSource(), orv::kCapLockCamera, m_lockWas);
    m_phase = SequencePhase::Receiving;
    m_fileTimer.start(timerDelay(m_settings.fileTimeout));
    emitProgress();
}

// The state is set before the release: the camera may announce the item
// while the release request is still under way.
void Sequencer::release() {
    m_phase = SequencePhase::Receiving;
    m_settled = false;
    m_itemSeen = false;
    m_fileTimer.start(timerDelay(m_settings.fileTimeout));
    emitProgress();
    if (!m_session.link().shortcuts().capture()) {
        refused();
        return;
    }
    m_refusedInRow = 0;
}

void Sequencer::refused() {
    m_log.elog(std::string(kPrefix) + shotName() + ": the camera did not release.");
    if (++m_refusedInRow >= kMaxRefusedReleases) {
        end(std::string(kPrefix) + "The camera refused " + std::to_string(m_refusedInRow) +
                " releases in a row: sequence stopped.",
            EndLine::Error);
        return;
    }
    settle();
}

// The next step runs from the timer, never inside the session's signal:
// the transfer that announced the files is still on the stack.
void Sequencer::settle() {
    m_settled = true;
    m_fileTimer.stop();
    m_timer.start(0);
}

void Sequencer::afterFrame() {
    if (m_bracket) {
        nextBracketFrame();
    } else {
        scheduleNext();
    }
}

void Sequencer::itemAdded() {
    if (m_phase == SequencePhase::Receiving || m_phase == SequencePhase::Exposing) {
        m_itemSeen = true;
    }
}

void Sequencer::itemFinished() {
    if (m_phase == SequencePhase::Receiving && !m_settled && m_itemSeen &&
        m_session.pendingItemCount() == 0) {
        settle();
    }
}

void Sequencer::fileTimeout() {
    if (m_phase != SequencePhase::Receiving || m_settled) {
        return;
    }
    m_log.elog(std::string(kPrefix) + shotName() + ": no files within " +
               secondsText(m_settings.fileTimeout) + "; going on.");
    settle();
}

void Sequencer::restoreBracket() {
    if (!m_bracket) {
        return;
    }
    const Bracket bracket = *m_bracket;
    m_bracket.reset();
    SourceShortcuts& camera = m_session.link().shortcuts();
    const bool written = bracket.capId == orv::kCapExposureComp
                             ? camera.setRangeIndex(bracket.capId, bracket.original)
                             : camera.setIndex(bracket.capId, bracket.original);
    if (!written) {
        m_log.elog(std::string(kPrefix) +
                   "The camera did not take back its value before the bracket.");
    }
}

void Sequencer::emitProgress() {
    const int total = m_settings.frames;
    const qint64 left = std::max<int64_t>((m_deadline - elapsed()).count(), 0);
    switch (m_phase) {
    case SequencePhase::Waiting:
        emit progress(m_shotsTaken + 1, total, left);
        break;
    case SequencePhase::Exposing:
        emit progress(m_shotsTaken, total, left);
        break;
    case SequencePhase::Receiving:
        emit progress(m_shotsTaken, total, -1);
        break;
    case SequencePhase::Idle:
        break;
    }
}

// At every whole second of the time left, so a countdown shown in whole
// seconds steps evenly.
void Sequencer::armTick() {
    const int64_t left = (m_deadline - elapsed()).count();
    if (left <= 0) {
        return;
    }
    const int64_t toWholeSecond = left % kSecond_ms;
    m_tick.start(static_cast<int>(toWholeSecond == 0 ? kSecond_ms : toWholeSecond));
}

void Sequencer::stop() {
    if (running()) {
        end(std::string(kPrefix) + "Stopped after " + plural(m_shotsTaken, "shot", "shots") + ".");
    }
}

// The camera is put back only while it is there: after a close nothing of
// it is left to put back.
void Sequencer::end(const std::string& line, EndLine kind) {
    if (!running()) {
        return;
    }
    m_timer.stop();
    m_tick.stop();
    m_fileTimer.stop();
    if (m_session.connected()) {
        if (m_phase == SequencePhase::Exposing) {
            CameraLink& link = m_session.link();
            bool stillOpen = true;
            link.shortcuts().terminateCapture(stillOpen);
            link.values().setBoolean(link.CurrentSource(), orv::kCapLockCamera, m_lockWas);
        }
        restoreBracket();
    }
    m_bracket.reset();
    m_phase = SequencePhase::Idle;
    if (kind == EndLine::Error) {
        m_log.elog(line);
    } else {
        m_log.log(line);
    }
    emit finished();
}

void Sequencer::sessionClosed() {
    if (running()) {
        end(std::string(kPrefix) + "The camera connection closed: stopped after " +
            plural(m_shotsTaken, "shot", "shots") + ".");
    }
}
