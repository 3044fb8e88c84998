#pragma once
// What the "Status" tab shows: the "Clear" and save buttons above the
// message log `reMessage`, which shows a LogModel the window owns.
#include "log/LogModel.h"
#include "log/MessageLog.h"

#include <QGridLayout>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>
#include <functional>

class LogPage : public QWidget {
    Q_OBJECT
public:
    // Asks the user for a file: (parent, title, proposed name, filter) ->
    // chosen path, empty when cancelled.
    using SaveDialog =
        std::function<QString(QWidget*, const QString&, const QString&, const QString&)>;
    // Reports a failure: (parent, title, text).
    using ErrorBox = std::function<void(QWidget*, const QString&, const QString&)>;

    static inline const QString kSaveTitle = QStringLiteral("Save log");
    static inline const QString kSaveFilter = QStringLiteral("Rich Text Format (*.rtf)");

    explicit LogPage(LogModel& model, QWidget* parent = nullptr);
    ~LogPage() override;

    LogModel& messageLog() { return m_reMessage.model(); }
    MessageLog& logView() { return m_reMessage; }
    QPushButton& clearButton() { return m_bClearLog; }
    QToolButton& saveButton() { return m_bbSaveSound; }

    // Empties the log.
    void bClearLogClick();
    // Proposes "log_<date>.rtf", writes the log to the chosen file and shows
    // an error message when that fails (the log stays as it was).
    void bbSaveSoundClick();

    // Replaces the file dialog and the message box (tests, scripted use).
    void setSaveDialog(SaveDialog dialog) { m_saveDialog = std::move(dialog); }
    void setErrorBox(ErrorBox box) { m_errorBox = std::move(box); }

private:
    QPushButton m_bClearLog;
    QToolButton m_bbSaveSound;
    MessageLog m_reMessage;
    // Declared after the widgets so it is destroyed first.
    QGridLayout m_layout;
    SaveDialog m_saveDialog;
    ErrorBox m_errorBox;
};
