#pragma once
// The "Simulator" menu of a simulated run: plugs cameras into the simulated
// USB bus and pulls them out again, as a user would with real cables, and
// acts on the camera body (shutter button, dials, lens, battery, card, the
// faces before the lens and frames gone wrong in live view). The
// window sees only what the camera reports, exactly as for real cameras.
#include <QObject>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QString;

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
    // The camera the body entries act on: the one plugged in last through
    // this menu while it is still attached, else the first attached; 0 for
    // none.
    int bodyCamera();

private:
    using BodyAction = std::function<void(int camera)>;

    void addPlugEntries();
    void addBodyEntries();
    void addDial(const QString& text, uint32_t capId);
    void addLensMenu();
    void addSceneMenu();
    void addLiveViewMenu();
    void addCardEntries();
    QAction* addBodyAction(QMenu& menu, const QString& text, BodyAction action);
    QMenu* addBodyMenu(const QString& text);
    void checkMountedLens();
    // Forgets cameras of m_plugged pulled out elsewhere (a test, the
    // control interface).
    void forgetUnplugged();
    void refresh();

    QMenu* m_menu = nullptr;
    QMenu* m_plugMenu = nullptr;
    QMenu* m_lensMenu = nullptr;
    QAction* m_unplug = nullptr;
    QAction* m_shutter = nullptr;
    std::vector<QAction*> m_bodyEntries; // enabled while a camera is attached
    std::vector<int> m_plugged;          // handles, in plugging order
};
