#include "app/AppSettings.h"

Qt::WindowStates windowStateFromSaved(int saved) {
    switch (static_cast<SavedWindowState>(saved)) {
    case SavedWindowState::Minimised:
        return Qt::WindowMinimized;
    case SavedWindowState::Maximised:
        return Qt::WindowMaximized;
    case SavedWindowState::Normal:
        break;
    }
    return Qt::WindowNoState;
}

int savedFromWindowState(Qt::WindowStates state) {
    if (state.testFlag(Qt::WindowMinimized)) {
        return static_cast<int>(SavedWindowState::Minimised);
    }
    if (state.testFlag(Qt::WindowMaximized) || state.testFlag(Qt::WindowFullScreen)) {
        return static_cast<int>(SavedWindowState::Maximised);
    }
    return static_cast<int>(SavedWindowState::Normal);
}

AppSettings withWindowPlacement(AppSettings settings, Qt::WindowStates state,
                                const QRect& geometry) {
    settings.windowState = savedFromWindowState(state);
    if (settings.windowState != static_cast<int>(SavedWindowState::Maximised)) {
        settings.top = geometry.top();
        settings.left = geometry.left();
        settings.width = geometry.width();
        settings.height = geometry.height();
    }
    return settings;
}
