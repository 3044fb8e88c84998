#pragma once
// A timer whose ticks call the camera module (the state poll, the live view
// loop). A tick that arrives while the camera layer is inside an entry call
// (a module question shown from inside a request, a transfer that lets the
// window run) is skipped, and the work runs at the next tick. User actions
// are not gated: they are what the question or the transfer waits for.
#include <QObject>

#include <functional>

class CameraLink;
class QTimer;

class CameraTick : public QObject {
    Q_OBJECT
public:
    // Runs `work` on each of `timer`'s ticks that finds the camera layer idle.
    CameraTick(QTimer& timer, const CameraLink& link, std::function<void()> work,
               QObject* parent = nullptr);

    // Ticks skipped because the camera layer was busy, since construction.
    int skippedTicks() const { return m_skipped; }

private:
    void tick();

    const CameraLink& m_link;
    std::function<void()> m_work;
    int m_skipped = 0;
};
