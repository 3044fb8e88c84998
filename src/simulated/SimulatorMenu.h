#pragma once
// The "Simulator" menu of a simulated run: plugs cameras into the simulated
// USB bus and pulls them out again, as a user would with real cables. The
// window sees only the plug events, exactly as for real cameras.
#include <QObject>

#include <vector>

class QAction;
class QMenu;
class QMenuBar;

class SimulatorMenu : public QObject {
    Q_OBJECT
public:
    // Adds the menu to `menuBar` (which owns the menu and its actions).
    explicit SimulatorMenu(QMenuBar& menuBar, QObject* parent = nullptr);

    QMenu& menu() { return *m_menu; }
    QMenu& plugMenu() { return *m_plugMenu; }
    QAction& unplugAction() { return *m_unplug; }
    QAction& shutterAction() { return *m_shutter; }

    // Plugs in a camera of `model`; false for a model the simulator lacks.
    bool plugIn(const std::string& model);
    // Pulls out the camera plugged in last (through this menu, else the last
    // one attached); false when none is attached.
    bool unplugLast();

private:
    void refresh();

    QMenu* m_menu = nullptr;
    QMenu* m_plugMenu = nullptr;
    QAction* m_unplug = nullptr;
    QAction* m_shutter = nullptr;
    std::vector<int> m_plugged; // handles, in plugging order
};
