#include "simulated/SimulatorMenu.h"

#include "SimControl.h"

#include <QMenu>
#include <QMenuBar>

#include <algorithm>

SimulatorMenu::SimulatorMenu(QMenuBar& menuBar, QObject* parent) : QObject(parent) {
    m_menu = menuBar.addMenu(QStringLiteral("&Simulator"));
    m_menu->setObjectName(QStringLiteral("mSimulator"));
    m_menu->setToolTipsVisible(true);
    m_plugMenu = m_menu->addMenu(QStringLiteral("Plug in camera"));
    for (const std::string& model : vsim::SimControl::knownModels()) {
        const QString name = QString::fromStdString(model);
        connect(m_plugMenu->addAction(name), &QAction::triggered, this,
                [this, model] { plugIn(model); });
    }
    m_unplug = m_menu->addAction(QStringLiteral("Unplug camera"));
    connect(m_unplug, &QAction::triggered, this, [this] { unplugLast(); });
    // The simulated body has no shutter release of its own yet: captures
    // arrive once image transfer is part of the program.
    m_shutter = m_menu->addAction(QStringLiteral("Press shutter"));
    m_shutter->setEnabled(false);
    m_shutter->setToolTip(QStringLiteral("Not offered by the simulated camera body yet"));
    connect(m_menu, &QMenu::aboutToShow, this, &SimulatorMenu::refresh);
    refresh();
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
    const std::vector<int> attached = vsim::SimControl::cameras();
    // Cameras pulled out elsewhere (a test, the control interface) are skipped.
    while (!m_plugged.empty() &&
           std::find(attached.begin(), attached.end(), m_plugged.back()) == attached.end()) {
        m_plugged.pop_back();
    }
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

void SimulatorMenu::refresh() {
    m_unplug->setEnabled(!vsim::SimControl::cameras().empty());
}
