#include "simulated/SimulatorMenu.h"

#include "SimControl.h"

#include <QActionGroup>
#include <QDateTime>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>

namespace {

constexpr int32_t kDrainStep_percent = 10;
constexpr double kSceneStep_stops = 1.0;
constexpr uint32_t kRecordingErrorReason = 0x2001;
// A frame fault from the menu lasts about a second of frames, long enough
// to see what the window does with them.
constexpr int kMenuFaultFrames = 25;
constexpr int kClockSlow_s = 3600;

// Puts the body's clock back by `seconds` (the body counts months from 0).
void setClockSlow(int camera, int seconds) {
    const orv::DateTimeRecord now = vsim::SimControl::getDateTime(camera, orv::kCapClockDateTime);
    const QDateTime shown(QDate(now.year, now.month + 1, now.day),
                          QTime(now.hour, now.minute, now.second), Qt::UTC);
    const QDateTime slow = shown.addSecs(-seconds);
    const orv::DateTimeRecord record{static_cast<uint16_t>(slow.date().year()),
                                     static_cast<uint16_t>(slow.date().month() - 1),
                                     static_cast<uint16_t>(slow.date().day()),
                                     static_cast<uint16_t>(slow.time().hour()),
                                     static_cast<uint16_t>(slow.time().minute()),
                                     static_cast<uint16_t>(slow.time().second()),
                                     0};
    vsim::SimControl::setDateTime(camera, orv::kCapClockDateTime, record);
}

// Entries of a list submenu (models, lenses) get the keys 1-9 and then
// letters, so each can be chosen from the keyboard whatever the names are.
QString numbered(int index, const std::string& name) {
    static const QString kKeys = QStringLiteral("123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    const QString text = QString::fromStdString(name);
    return index < kKeys.size() ? QStringLiteral("&%1 %2").arg(kKeys[index], text) : text;
}

} // namespace

SimulatorMenu::SimulatorMenu(QMenuBar& menuBar, QObject* parent) : QObject(parent) {
    m_menu = menuBar.addMenu(QStringLiteral("&Simulator"));
    m_menu->setObjectName(QStringLiteral("mSimulator"));
    addPlugEntries();
    addBodyEntries();
    connect(m_menu, &QMenu::aboutToShow, this, &SimulatorMenu::refresh);
    refresh();
}

void SimulatorMenu::addPlugEntries() {
    m_plugMenu = m_menu->addMenu(QStringLiteral("&Plug in camera"));
    const std::vector<std::string> models = vsim::SimControl::knownModels();
    for (int i = 0; i < static_cast<int>(models.size()); ++i) {
        const std::string model = models[static_cast<size_t>(i)];
        connect(m_plugMenu->addAction(numbered(i, model)), &QAction::triggered, this,
                [this, model] { plugIn(model); });
    }
    m_unplug = m_menu->addAction(QStringLiteral("&Unplug camera"));
    connect(m_unplug, &QAction::triggered, this, [this] { unplugLast(); });
    m_shutter = addBodyAction(*m_menu, QStringLiteral("Press shu&tter"),
                              [](int camera) { vsim::SimControl::pressShutter(camera); });
}

void SimulatorMenu::addBodyEntries() {
    m_menu->addSeparator();
    addDial(QStringLiteral("Turn &mode dial"), orv::kCapExposureMode);
    addDial(QStringLiteral("Turn &shutter dial"), orv::kCapShutterSpeed);
    addDial(QStringLiteral("Turn &aperture dial"), orv::kCapAperture);
    addDial(QStringLiteral("Turn &ISO dial"), orv::kCapSensitivity);
    addLensMenu();
    addSceneMenu();
    addLiveViewMenu();
    addBodyAction(*m_menu, QStringLiteral("&Drain battery"),
                  [](int camera) { vsim::SimControl::drainBattery(camera, kDrainStep_percent); });
    // Gives the Info page's "Adjust" something to put right.
    addBodyAction(*m_menu, QStringLiteral("Camera cloc&k an hour slow"),
                  [](int camera) { setClockSlow(camera, kClockSlow_s); });
    addBodyAction(*m_menu, QStringLiteral("End live &view"),
                  [](int camera) { vsim::SimControl::endLiveView(camera); });
    addCardEntries();
}

void SimulatorMenu::addDial(const QString& text, uint32_t capId) {
    QMenu* dial = addBodyMenu(text);
    addBodyAction(*dial, QStringLiteral("Step &up (+1)"),
                  [capId](int camera) { vsim::SimControl::turnDial(camera, capId, 1); });
    addBodyAction(*dial, QStringLiteral("Step &down (-1)"),
                  [capId](int camera) { vsim::SimControl::turnDial(camera, capId, -1); });
}

void SimulatorMenu::addLensMenu() {
    m_lensMenu = addBodyMenu(QStringLiteral("Change &lens"));
    auto* group = new QActionGroup(m_lensMenu); // owned by the menu
    const std::vector<std::string> lenses = vsim::SimControl::knownLenses();
    for (int i = 0; i < static_cast<int>(lenses.size()); ++i) {
        const std::string lens = lenses[static_cast<size_t>(i)];
        QAction* entry = addBodyAction(*m_lensMenu, numbered(i, lens), [lens](int camera) {
            vsim::SimControl::mountLens(camera, lens);
        });
        entry->setCheckable(true);
        entry->setData(QString::fromStdString(lens));
        group->addAction(entry);
    }
    connect(m_lensMenu, &QMenu::aboutToShow, this, &SimulatorMenu::checkMountedLens);
}

void SimulatorMenu::addSceneMenu() {
    QMenu* scene = addBodyMenu(QStringLiteral("Scene &brightness"));
    const auto shift = [](double stops) {
        return [stops](int camera) {
            vsim::SimControl::setSceneBrightness(camera,
                                                 vsim::SimControl::sceneBrightness(camera) + stops);
        };
    };
    addBodyAction(*scene, QStringLiteral("&Brighter by one stop"), shift(kSceneStep_stops));
    addBodyAction(*scene, QStringLiteral("&Darker by one stop"), shift(-kSceneStep_stops));
    QAction* motion = scene->addAction(QStringLiteral("&Moving scene"));
    motion->setCheckable(true);
    connect(scene, &QMenu::aboutToShow, motion,
            [motion] { motion->setChecked(vsim::SimControl::sceneMotion()); });
    connect(motion, &QAction::toggled, this, [](bool on) { vsim::SimControl::setSceneMotion(on); });
}

void SimulatorMenu::addLiveViewMenu() {
    QMenu* live = addBodyMenu(QStringLiteral("Live vie&w"));
    const auto faces = [](uint32_t count) {
        return [count](int camera) { vsim::SimControl::setLiveViewFaces(camera, count); };
    };
    addBodyAction(*live, QStringLiteral("&No faces"), faces(0));
    addBodyAction(*live, QStringLiteral("&One face"), faces(1));
    addBodyAction(*live, QStringLiteral("&Three faces"), faces(3));
    addBodyAction(*live, QStringLiteral("&Many faces"), faces(35));
    live->addSeparator();
    // The scene is one for every camera, so freezing needs none attached.
    QAction* freeze = live->addAction(QStringLiteral("&Freeze scene"));
    freeze->setCheckable(true);
    connect(live, &QMenu::aboutToShow, freeze,
            [freeze] { freeze->setChecked(vsim::SimControl::liveSceneFrozen()); });
    connect(freeze, &QAction::toggled, this, [](bool on) {
        if (on) {
            vsim::SimControl::freezeLiveScene(vsim::SimControl::liveScenePhase());
        } else {
            vsim::SimControl::moveLiveScene();
        }
    });
    live->addSeparator();
    const auto fault = [](vsim::LiveViewFault kind) {
        return [kind](int camera) {
            vsim::SimControl::setLiveViewFault(camera, kind, kMenuFaultFrames);
        };
    };
    addBodyAction(*live, QStringLiteral("&Corrupt frames"),
                  fault(vsim::LiveViewFault::CorruptJpeg));
    addBodyAction(*live, QStringLiteral("T&runcated frames"),
                  fault(vsim::LiveViewFault::TruncatedFrame));
    addBodyAction(*live, QStringLiteral("&Segment past the end"),
                  fault(vsim::LiveViewFault::SegmentPastEnd));
}

void SimulatorMenu::addCardEntries() {
    m_menu->addSeparator();
    addBodyAction(*m_menu, QStringLiteral("Movie file on &card"),
                  [](int camera) { vsim::SimControl::addCardMovie(camera); });
    addBodyAction(*m_menu, QStringLiteral("&Recording error"), [](int camera) {
        vsim::SimControl::stopRecordingByError(camera, kRecordingErrorReason);
    });
    // A missing or full card refuses a movie recording and ends one under way.
    QMenu* card = addBodyMenu(QStringLiteral("Mem&ory card"));
    const auto cardState = [](uint32_t bits) {
        return [bits](int camera) { vsim::SimControl::setCardState(camera, bits); };
    };
    addBodyAction(*card, QStringLiteral("&Good card"), cardState(vsim::kCardOk));
    addBodyAction(*card, QStringLiteral("&No card"), cardState(vsim::kCardMissing));
    addBodyAction(*card, QStringLiteral("Card &full"), cardState(vsim::kCardFull));
    addBodyAction(*m_menu, QStringLiteral("U&nknown event"), [](int camera) {
        vsim::SimControl::raiseEvent(orv::kObjSource, camera, 0, 0, vsim::kEvUnassigned, 0);
    });
    addBodyAction(*m_menu, QStringLiteral("S&hutter lock"),
                  [](int camera) { vsim::SimControl::toggleShutterLock(camera); });
}

QAction* SimulatorMenu::addBodyAction(QMenu& menu, const QString& text, BodyAction action) {
    QAction* entry = menu.addAction(text);
    connect(entry, &QAction::triggered, this, [this, action = std::move(action)] {
        // The camera may have gone since the menu was shown.
        if (const int camera = bodyCamera(); camera > 0) {
            action(camera);
        }
    });
    m_bodyEntries.push_back(entry);
    return entry;
}

QMenu* SimulatorMenu::addBodyMenu(const QString& text) {
    QMenu* submenu = m_menu->addMenu(text);
    m_bodyEntries.push_back(submenu->menuAction());
    return submenu;
}

void SimulatorMenu::checkMountedLens() {
    const QString mounted = QString::fromStdString(vsim::SimControl::mountedLens(bodyCamera()));
    for (QAction* entry : m_lensMenu->actions()) {
        entry->setChecked(entry->data().toString() == mounted);
    }
}

bool SimulatorMenu::plugIn(const std::string& model) {
    const int camera = vsim::SimControl::attach(model);
    if (camera > 0) {
        m_plugged.push_back(camera);
    }
    refresh();
    return camera > 0;
}

bool SimulatorMenu::unplugLast() {
    forgetUnplugged();
    const std::vector<int> attached = vsim::SimControl::cameras();
    int camera = 0;
    if (!m_plugged.empty()) {
        camera = m_plugged.back();
        m_plugged.pop_back();
    } else if (!attached.empty()) {
        camera = attached.back();
    }
    const bool done = camera > 0 && vsim::SimControl::detach(camera);
    refresh();
    return done;
}

int SimulatorMenu::bodyCamera() {
    forgetUnplugged();
    if (!m_plugged.empty()) {
        return m_plugged.back();
    }
    const std::vector<int> attached = vsim::SimControl::cameras();
    return attached.empty() ? 0 : attached.front();
}

void SimulatorMenu::forgetUnplugged() {
    const std::vector<int> attached = vsim::SimControl::cameras();
    while (!m_plugged.empty() &&
           std::find(attached.begin(), attached.end(), m_plugged.back()) == attached.end()) {
        m_plugged.pop_back();
    }
}

void SimulatorMenu::refresh() {
    const bool attached = !vsim::SimControl::cameras().empty();
    m_unplug->setEnabled(attached);
    for (QAction* entry : m_bodyEntries) {
        entry->setEnabled(attached);
    }
}
