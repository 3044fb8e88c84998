#pragma once
// The message log's view `reMessage`: a read-only text view that shows the
// lines of a LogModel with their colours and styles as they arrive.
// A plain-text view with per-run character formats: its layout is per line
// and lazy (only lines that are shown get laid out), so an append costs the
// same in an empty log and in one of 100 000 lines.
#include "log/LogLine.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTimer>

class LogModel;

class MessageLog : public QPlainTextEdit {
    Q_OBJECT
public:
    // Shows `model`'s lines from now on; the model outlives the view.
    explicit MessageLog(LogModel& model, QWidget* parent = nullptr);
    ~MessageLog() override;

    LogModel& model() { return m_model; }

private:
    void append(const LogLine& line);
    void clearView();
    void display(const LogLine& line);
    void keepCaretAtEnd();
    void followEnd();

    LogModel& m_model;
    QTextCursor m_endCursor; // always at the end of the document
    bool m_empty = true;     // no line shown yet: the first needs no new block
    // Scrolls the view to the caret once per pass of the event loop rather
    // than once per line: a burst of lines costs one scroll and one repaint.
    QTimer m_followEnd;
    int m_firstNewBlock = 0; // first line appended since the view last followed
};
