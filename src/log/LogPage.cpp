#include "log/LogPage.h"

#include "log/LogFormats.h"

#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStyle>

namespace {

QString runSaveDialog(QWidget* parent, const QString& title, const QString& proposed,
                      const QString& filter) {
    return QFileDialog::getSaveFileName(parent, title, proposed, filter);
}

void showErrorBox(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::critical(parent, title, text);
}

} // namespace

LogPage::LogPage(LogModel& model, QWidget* parent)
    : QWidget(parent), m_bClearLog(QStringLiteral("Clear"), this), m_bbSaveSound(this),
      m_reMessage(model, this), m_layout(this), m_saveDialog(runSaveDialog),
      m_errorBox(showErrorBox) {
    m_bClearLog.setObjectName(QStringLiteral("bClearLog"));
    m_bbSaveSound.setObjectName(QStringLiteral("bbSaveSound"));
    m_bbSaveSound.setToolTip(QStringLiteral("Save log window"));
    m_bbSaveSound.setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));

    // One flat grid: buttons on top, the log below taking the rest.
    m_layout.addWidget(&m_bClearLog, 0, 0);
    m_layout.addWidget(&m_bbSaveSound, 0, 1);
    m_layout.setColumnStretch(2, 1);
    m_layout.addWidget(&m_reMessage, 1, 0, 1, 3);
    m_layout.setRowStretch(1, 1);

    connect(&m_bClearLog, &QPushButton::clicked, this, &LogPage::bClearLogClick);
    connect(&m_bbSaveSound, &QToolButton::clicked, this, &LogPage::bbSaveSoundClick);
}

// Children and layouts are members; each leaves its parent when destroyed,
// before the widget base would delete its children.
LogPage::~LogPage() = default;

void LogPage::bClearLogClick() {
    messageLog().clearLog();
}

void LogPage::bbSaveSoundClick() {
    QString path =
        m_saveDialog(this, kSaveTitle, SaveLogFileName(QDateTime::currentDateTime()), kSaveFilter);
    if (path.isEmpty()) {
        return;
    }
    // A name typed without an extension gets ".rtf", so the file opens as
    // rich text.
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".rtf");
    }
    const LogModel::SaveResult result = messageLog().saveLogTo(path);
    if (!result.ok) {
        m_errorBox(this, kSaveTitle,
                   QStringLiteral("Cannot write %1.\n%2")
                       .arg(QDir::toNativeSeparators(path), result.error));
    }
}
