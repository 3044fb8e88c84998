#pragma once
// What the state poll shows in the window: the blinking shutter speed and
// aperture (bold every other tick while the camera says they blink), and
// the two clocks of the Info page while that page is shown.
#include "widgets/WindowControls.h"

#include <QDateTime>

#include <cstdint>
#include <functional>

class CameraEventHandler;
class CameraSession;
class StatePoll;

class PollDisplay {
public:
    // `infoPageShown` tells whether the Info page is the current page;
    // `now` gives the computer's time (the local clock by default).
    PollDisplay(ShootingControls shooting, InfoPageControls info, const CameraSession& session,
                const CameraEventHandler& events, std::function<bool()> infoPageShown,
                std::function<QDateTime()> now = {});

    void follow(StatePoll& poll);

    void blink(bool oddTick);
    void showClocks();

private:
    ShootingControls m_shooting;
    InfoPageControls m_info;
    const CameraSession& m_session;
    const CameraEventHandler& m_events;
    std::function<bool()> m_infoPageShown;
    std::function<QDateTime()> m_now;
};
