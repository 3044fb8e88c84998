#include "app/window/ShootMenu.h"

#include "app/window/HookDialog.h"
#include "app/window/SequencerDialog.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

ShootMenu::ShootMenu(QMainWindow& window, Sequencer& sequencer) {
    // Alt+H: Alt+S opens the Simulator menu of a simulated run.
    QMenu* menu = window.menuBar()->addMenu(QStringLiteral("S&hoot"));
    menu->setObjectName(QStringLiteral("mShoot"));
    m_sequencerAction = menu->addAction(QStringLiteral("&Sequencer..."));
    m_hookAction = menu->addAction(QStringLiteral("&Hook script..."));
    m_sequencerDialog = new SequencerDialog(sequencer, &window);
    m_hookDialog = new HookDialog(&window);
    connect(m_sequencerAction, &QAction::triggered, this, &ShootMenu::showSequencer);
    connect(m_hookAction, &QAction::triggered, this, [this] {
        m_hookDialog->setValues(m_hook);
        m_hookDialog->open();
    });
    connect(m_hookDialog, &QDialog::accepted, this, &ShootMenu::hookAccepted);
}

void ShootMenu::showSequencer() {
    m_sequencerDialog->show();
    m_sequencerDialog->raise();
    m_sequencerDialog->activateWindow();
}

void ShootMenu::hookAccepted() {
    setHook(m_hookDialog->values());
}

void ShootMenu::setHook(const SavedHook& hook) {
    if (hook != m_hook) {
        m_hook = hook;
        emit hookSettingsChanged();
    }
}

void ShootMenu::applySettings(const SavedSequence& sequence, const SavedHook& hook) {
    m_sequencerDialog->setValues(sequence);
    setHook(hook);
}

void ShootMenu::collect(AppSettings& settings) const {
    settings.sequence = m_sequencerDialog->values();
    settings.hook = m_hook;
}
