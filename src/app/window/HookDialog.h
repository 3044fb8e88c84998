#pragma once
// The Shoot menu's hook script dialog: the command run for each received
// file and how long it may take. Only kept here; the hook runner reads the
// window's values when it is told they changed.
#include "app/AppSettings.h"

#include <QDialog>

class QLineEdit;
class QSpinBox;

class HookDialog : public QDialog {
    Q_OBJECT
public:
    explicit HookDialog(QWidget* parent);

    SavedHook values() const;
    void setValues(const SavedHook& values);

    // Owned by the dialog.
    QLineEdit* leCommand = nullptr;
    QSpinBox* sbTimeout = nullptr; // seconds
};
