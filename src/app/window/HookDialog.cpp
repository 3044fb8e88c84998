#include "app/window/HookDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

HookDialog::HookDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fHook"));
    setWindowTitle(QStringLiteral("Hook script"));
    auto* layout = new QVBoxLayout(this); // owned by the dialog
    auto* form = new QFormLayout();       // owned by the dialog's layout
    leCommand = new QLineEdit(this);
    leCommand->setMinimumWidth(320);
    leCommand->setPlaceholderText(QStringLiteral("none"));
    form->addRow(QStringLiteral("&Command:"), leCommand);
    sbTimeout = new QSpinBox(this);
    sbTimeout->setRange(1, SavedHook::kMaxTimeout_s);
    sbTimeout->setSuffix(QStringLiteral(" s"));
    form->addRow(QStringLiteral("&Time-out:"), sbTimeout);
    layout->addLayout(form);
    auto* hint = new QLabel(
        QStringLiteral("Runs for each received file, with the file's path as its argument. "
                       "VANTORA_FILE (the path), VANTORA_NUMBER (the image number) and "
                       "VANTORA_KIND (the file's kind) are set for it."),
        this);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setValues(SavedHook());
}

SavedHook HookDialog::values() const {
    return {leCommand->text().trimmed(), sbTimeout->value()};
}

void HookDialog::setValues(const SavedHook& values) {
    leCommand->setText(values.command);
    sbTimeout->setValue(values.timeout_s);
}
