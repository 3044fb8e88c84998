#include "connection/UiRequestDialog.h"

#include "camera/CameraTypes.h"

#include <QAbstractButton>
#include <QPushButton>

using namespace orv;

QMessageBox::StandardButtons UiRequestDialog::buttonsFor(int kind) {
    switch (kind) {
    case 0:
        return QMessageBox::Ok;
    case 1:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case 2:
        return QMessageBox::Yes | QMessageBox::No;
    case 3:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    default:
        return QMessageBox::NoButton;
    }
}

uint32_t UiRequestDialog::replyFor(int kind, QMessageBox::StandardButton pressed) {
    if (kind == 0) {
        return kReplyOk; // a notice: however it is closed, it was seen
    }
    if (kind < 0 || kind > 3 || !buttonsFor(kind).testFlag(pressed)) {
        return kReplyNone;
    }
    switch (pressed) {
    case QMessageBox::Ok:
        return kReplyOk;
    case QMessageBox::Cancel:
        return kReplyCancel;
    case QMessageBox::Yes:
        return kReplyYes;
    case QMessageBox::No:
        return kReplyNo;
    default:
        return kReplyNone;
    }
}

uint32_t UiRequestDialog::ask(int kind, const std::string& message) {
    if (buttonsFor(kind) == QMessageBox::NoButton) {
        return kReplyNone;
    }
    QString text = QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(QMessageBox::Question, QStringLiteral("Vantora"), text, buttonsFor(kind),
                    m_parent);
    box.setWindowModality(Qt::ApplicationModal);
    if (kind != 0) {
        // Escape and the close box must not pass for a button (the box would
        // otherwise take No or Cancel): a hidden button stands for "none".
        QPushButton* dismissed = box.addButton(QString(), QMessageBox::RejectRole);
        dismissed->hide();
        box.setEscapeButton(dismissed);
    }
    box.exec();
    return replyFor(kind, box.standardButton(box.clickedButton()));
}
