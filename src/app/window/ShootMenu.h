#pragma once
// The window's "Shoot" menu: the sequencer dialog and the hook script
// dialog, with the hook settings the hook runner follows. The menu and the
// dialogs belong to the window; this object keeps them in step with the
// stored settings.
#include "app/AppSettings.h"

#include <QObject>

class HookDialog;
class QAction;
class QMainWindow;
class Sequencer;
class SequencerDialog;

class ShootMenu : public QObject {
    Q_OBJECT
public:
    ShootMenu(QMainWindow& window, Sequencer& sequencer);

    QAction& sequencerAction() { return *m_sequencerAction; }
    QAction& hookAction() { return *m_hookAction; }
    SequencerDialog& sequencerDialog() { return *m_sequencerDialog; }
    HookDialog& hookDialog() { return *m_hookDialog; }

    const SavedHook& hook() const { return m_hook; }
    // The stored values into the dialogs; a changed hook is announced.
    void applySettings(const SavedSequence& sequence, const SavedHook& hook);
    // A new hook command and time-out, as the dialog's OK sets them; a
    // change is announced.
    void setHook(const SavedHook& hook);
    // The dialogs' values into `settings`.
    void collect(AppSettings& settings) const;

signals:
    // The hook's command or time-out changed (the dialog's OK or a restore).
    void hookSettingsChanged();

private:
    void showSequencer();
    void hookAccepted();

    // Owned by the window through Qt's object tree.
    QAction* m_sequencerAction = nullptr;
    QAction* m_hookAction = nullptr;
    SequencerDialog* m_sequencerDialog = nullptr;
    HookDialog* m_hookDialog = nullptr;
    SavedHook m_hook;
};
