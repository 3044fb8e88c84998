#pragma once
// The state poll on `tCamSync` (500 ms, from start-up): gives the module its
// idle time, so that the camera's events arrive, hands pending items to the
// transfer, and keeps the counters live view reads. A tick that finds the
// camera layer inside an entry call waits for the next one. Qt Core only:
// a windowless program polls the same way.
#include <QObject>

#include <cstdint>
#include <memory>

class CameraSession;
class CameraTick;
class LogSink;
class QTimer;

// Fetches the items that wait in the camera; the transfer implements it.
class PendingItemFetcher {
public:
    virtual ~PendingItemFetcher() = default;
    virtual void DownloadNewImages() = 0;
};

class StatePoll : public QObject {
    Q_OBJECT
public:
    StatePoll(QTimer& tCamSync, CameraSession& session, LogSink& log, QObject* parent = nullptr);
    ~StatePoll() override;

    // Until one is set, pending items stay pending.
    void setFetcher(PendingItemFetcher* fetcher) { m_fetcher = fetcher; }

    // One tick, as the timer runs it.
    void tCamSyncTimer();

    uint32_t tickCount() const { return m_ticks; }
    // Whole seconds (live view resets them when it starts).
    uint32_t LvSeconds() const { return m_lvSeconds; }
    void resetLvSeconds() { m_lvSeconds = 0; }
    uint32_t HalfSecondTicks() const { return m_halfSecondTicks; }
    void resetHalfSecondTicks() { m_halfSecondTicks = 0; }
    // Ticks left out because the camera layer was busy.
    int skippedTicks() const;

signals:
    // The camera had its idle time on this tick; `oddTick` drives blinking.
    void cameraPolled(bool oddTick);
    // The end of every tick, connected or not.
    void ticked();

private:
    void pollCamera();
    void reportIdle(bool answered);

    QTimer& m_timer;
    CameraSession& m_session;
    LogSink& m_log;
    std::unique_ptr<CameraTick> m_gate;
    PendingItemFetcher* m_fetcher = nullptr;
    uint32_t m_ticks = 0;
    uint32_t m_lvSeconds = 0;
    uint32_t m_halfSecondTicks = 0;
    bool m_idleFailing = false;
};
