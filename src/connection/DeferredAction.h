#pragma once
// The one-shot deferred-action timer `Timer`: whoever arms it chooses the
// action and the delay; the tick disables the timer and runs the action once.
#include <QObject>

#include <cstdint>
#include <functional>

class QTimer;

class DeferredAction : public QObject {
    Q_OBJECT
public:
    enum class Action : uint8_t {
        None = 0,
        Connect = 2,      // start the camera connection
        ClosePreview = 3, // close the image preview
    };

    // `timer` is the window's `Timer` (not owned); without one, an own
    // single-shot 100 ms timer is made.
    explicit DeferredAction(QTimer* timer = nullptr, QObject* parent = nullptr);

    void setConnectAction(std::function<void()> action) { m_connect = std::move(action); }
    void setClosePreviewAction(std::function<void()> action) { m_closePreview = std::move(action); }

    // Sets the pending action and the interval and starts the timer.
    void arm(Action action, int delay_ms);
    // The tick: disables the timer, then runs the pending action.
    void TimerTimer();

    // Keeps its last value; only arming changes it.
    Action pendingAction() const { return m_action; }
    QTimer* timer() const { return m_timer; }

private:
    QTimer* m_timer = nullptr;
    Action m_action = Action::None;
    std::function<void()> m_connect;
    std::function<void()> m_closePreview;
};
