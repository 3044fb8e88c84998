#include "log/MessageLog.h"

#include "log/LogModel.h"

#include <QFont>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <cmath>

namespace {

QTextCharFormat formatOf(const LogRun& run) {
    QTextCharFormat format;
    format.setFontWeight(run.style.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(run.style.italic);
    format.setFontUnderline(run.style.underline);
    format.setFontPointSize(run.sizePt);
    // The base colour is left unset so the line follows the theme's text
    // colour, as the system window-text colour would.
    if (!run.colour.isBase) {
        format.setForeground(QColor(run.colour.red, run.colour.green, run.colour.blue));
    }
    return format;
}

} // namespace

MessageLog::MessageLog(LogModel& model, QWidget* parent) : QPlainTextEdit(parent), m_model(model) {
    setObjectName(QStringLiteral("reMessage"));
    setReadOnly(true);
    // Appending must not grow an undo history with the log.
    setUndoRedoEnabled(false);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Tahoma where installed; otherwise font matching picks the nearest sans.
    QFont logFont(QStringLiteral("Tahoma"), kLogFontSizePt);
    logFont.setStyleHint(QFont::SansSerif);
    setFont(logFont);
    document()->setDefaultFont(logFont);
    m_endCursor = QTextCursor(document());
    m_followEnd.setSingleShot(true);
    m_followEnd.setInterval(0);
    connect(&m_followEnd, &QTimer::timeout, this, &MessageLog::followEnd);
    for (const LogLine& line : m_model.lines()) {
        display(line);
    }
    connect(&m_model, &LogModel::lineAdded, this, &MessageLog::append);
    connect(&m_model, &LogModel::cleared, this, &MessageLog::clearView);
}

MessageLog::~MessageLog() = default;

void MessageLog::append(const LogLine& line) {
    display(line);
    keepCaretAtEnd();
}

void MessageLog::clearView() {
    clear();
    m_empty = true;
    m_endCursor = QTextCursor(document());
}

// Appends through the log's own end cursor, one insert per run, so the cost
// does not depend on how much the log already holds. The layout's signals
// are held back meanwhile: each one would recompute the scroll range, which
// lays out the new line and the one before it at once. followEnd() does that
// once per burst instead, and only for the lines that end up in view.
void MessageLog::display(const LogLine& line) {
    if (m_endCursor.document() != document()) {
        m_endCursor = QTextCursor(document()); // the document was replaced
        m_endCursor.movePosition(QTextCursor::End);
    }
    const QSignalBlocker quietLayout(document()->documentLayout());
    QTextCursor& cursor = m_endCursor;
    cursor.beginEditBlock();
    if (!m_empty) {
        // Formats given outright: the defaults would be read back from the
        // document at the cursor, a lookup per line for nothing.
        cursor.insertBlock(QTextBlockFormat(),
                           line.runs.empty() ? QTextCharFormat() : formatOf(line.runs.front()));
    }
    const std::string_view plain = line.plain;
    for (std::size_t i = 0; i < line.runs.size(); ++i) {
        const auto begin = static_cast<std::size_t>(line.runs[i].start);
        const std::size_t end = i + 1 < line.runs.size()
                                    ? static_cast<std::size_t>(line.runs[i + 1].start)
                                    : plain.size();
        if (end > begin && end <= plain.size()) {
            const std::string_view part = plain.substr(begin, end - begin);
            cursor.insertText(QString::fromUtf8(part.data(), static_cast<qsizetype>(part.size())),
                              formatOf(line.runs[i]));
        }
    }
    cursor.endEditBlock();
    m_empty = false;
}

// A caret at the end with nothing selected moves along with text inserted
// there, so it is only put back when the user moved it or selected text.
// Scrolling to it waits for the event loop, once for a whole burst of lines.
void MessageLog::keepCaretAtEnd() {
    const QTextCursor caret = textCursor();
    if (caret.hasSelection() || !caret.atEnd()) {
        setTextCursor(m_endCursor);
    }
    if (!m_followEnd.isActive()) {
        m_firstNewBlock = document()->blockCount() - 1;
        m_followEnd.start();
    }
}

// Catches up with the appends since the last pass of the event loop: the
// scroll range, the view scrolled to the caret, and a repaint of only the new
// lines. The scroll moves the pixels already shown, so a line costs one
// line's painting, not the whole view's.
void MessageLog::followEnd() {
    auto* layout = qobject_cast<QPlainTextDocumentLayout*>(document()->documentLayout());
    if (layout == nullptr) {
        return;
    }
    emit layout->documentSizeChanged(layout->documentSize());
    // The last line sits at the bottom edge, as the view's own append does;
    // the caret is then in view vertically and only needs the sideways part.
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    ensureCursorVisible();
    const QTextBlock first = document()->findBlockByNumber(m_firstNewBlock);
    if (!first.isValid()) {
        viewport()->update();
        return;
    }
    const QRectF shown = blockBoundingGeometry(first).translated(contentOffset());
    const int top = std::max(0, static_cast<int>(std::floor(shown.top())));
    viewport()->update(QRect(0, top, viewport()->width(), viewport()->height() - top));
}
