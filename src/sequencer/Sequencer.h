#pragma once
// The shooting sequencer: releases the camera on a schedule (time-lapse),
// each shot a single picture, an exposure bracket or a bulb exposure of a
// set length. It never releases again before the previous shot's files are
// on disk (or its file time-out has passed), keeps the slots of the
// schedule without drifting, and leaves the camera as it found it: a bulb
// exposure ended, the lock undone, a bracket's value written back. Timers
// only, armed from an injected monotonic clock; no waiting loops. Qt Core:
// the window and the windowless tethering mode drive it alike.
#include "sequencer/Bracketing.h"
#include "sequencer/SequencePlan.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class CameraSession;
class LogSink;

enum class ShotKind { Single, Bracket, Bulb };

struct SequenceSettings {
    int frames = 1; // shots; 0: until stopped
    std::chrono::milliseconds interval{0};
    std::chrono::milliseconds startDelay{0};
    std::optional<std::chrono::milliseconds> stopAfter; // from the start
    ShotKind kind = ShotKind::Single;                   // what each shot is
    int bracketFrames = 3;
    double bracketStepEv = 1.0;
    std::chrono::milliseconds bulbLength{0};
    std::chrono::milliseconds fileTimeout{30000}; // longest wait for a shot's files
};

// What a running sequence is doing, for a status line.
enum class SequencePhase {
    Idle,      // not running
    Waiting,   // for the next shot's time
    Exposing,  // a bulb exposure is open
    Receiving, // released: the shot's files are awaited
};

class Sequencer : public QObject {
    Q_OBJECT
public:
    using Clock = std::function<std::chrono::milliseconds()>; // monotonic; default steady_clock

    static constexpr int kMaxRefusedReleases = 3;

    Sequencer(CameraSession& session, LogSink& log, QObject* parent = nullptr);
    ~Sequencer() override;
    Sequencer(const Sequencer&) = delete;
    Sequencer& operator=(const Sequencer&) = delete;

    void setClock(Clock clock);
    // False (with an error line) when not connected, already running, or the
    // settings cannot be run (e.g. Bulb kind without "Bulb" selected).
    bool start(const SequenceSettings& settings);
    // Ends at once and cleanly: a running bulb exposure is terminated, the
    // camera unlocked, a bracket's original value restored.
    void stop();
    bool running() const { return m_phase != SequencePhase::Idle; }

    SequencePhase phase() const { return m_phase; }
    // Shots begun so far (a shot whose release the camera refused counts).
    int shotsTaken() const { return m_shotsTaken; }

signals:
    // `shot` is the shot coming (waiting) or under way, from 1; total 0:
    // unlimited. msToNext is the time to that shot's release while waiting,
    // the exposure time left during bulb, and -1 while its files are awaited.
    void progress(int shot, int total, qint64 msToNext);
    void finished();

private:
    // What a shot moves between its frames: the bracketed value, its
    // original and the frames still to take.
    struct Bracket {
        uint32_t capId = 0;
        uint32_t original = 0;
        std::vector<bracketing::Frame> frames;
        std::vector<std::string> labels; // each frame's value, as the log names it
        size_t next = 0;
    };

    std::chrono::milliseconds elapsed() const;
    bool check(const SequenceSettings& settings);
    std::optional<Bracket> planBracket(int frames, double stepEv);
    void scheduleNext();
    void onTimer();
    void beginShot();
    void nextBracketFrame();
    void openBulb();
    void closeBulb();
    void release();
    void refused();
    void settle();
    void afterFrame();
    void itemAdded();
    void itemFinished();
    void fileTimeout();
    void restoreBracket();
    void emitProgress();
    void armTick();
    enum class EndLine { Note, Error };
    void end(const std::string& line, EndLine kind = EndLine::Note);
    void sessionClosed();
    std::string shotName() const;

    CameraSession& m_session;
    LogSink& m_log;
    Clock m_clock;
    SequenceSettings m_settings;
    sequence::Schedule m_schedule;
    SequencePhase m_phase = SequencePhase::Idle;
    std::chrono::milliseconds m_start{0};
    std::chrono::milliseconds m_deadline{0}; // release (waiting) or bulb end, from the start
    int m_shotsTaken = 0;
    int m_nextSlot = 0;
    int m_refusedInRow = 0;
    bool m_settled = false;  // the frame's files came, timed out, or no release happened
    bool m_itemSeen = false; // an item was announced after the release
    bool m_lockWas = false;  // the camera lock before a bulb exposure
    std::optional<Bracket> m_bracket;
    QTimer m_timer;     // the next step: release, bulb end, or after a frame
    QTimer m_tick;      // countdown progress, once a second
    QTimer m_fileTimer; // a shot's file time-out
};
