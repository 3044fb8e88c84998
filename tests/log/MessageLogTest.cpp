// The message log: stamps, error lines, status bar mirroring, DSLRlog,
// the text document it shows, saving and the log mirror.
#include "log/MessageLog.h"
#include "RtfTestReader.h"
#include "VantoraTest.h"
#include "log/LogModel.h"
#include "log/StatusBar.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <gtest/gtest.h>

namespace {

class MessageLogTest : public VantoraTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_bar.follow(m_model);
        m_clock.setTimeOfDay(14, 3, 7);
        m_model.setClock(m_clock);
        m_model.setBeep([this] { ++m_beeps; });
        m_model.mirror().setStderrEnabled(false);
    }

    // The stamp as the log should write it, with the locale's separator.
    static std::string stamp(const char* hms) {
        const QChar sep = LocaleTimeSeparator(QLocale::system().timeFormat(QLocale::LongFormat));
        return QString::fromLatin1(hms).replace(u':', sep).toStdString();
    }

    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    LogModel m_model;
    StatusBar m_bar;
    MessageLog m_log{m_model};
    int m_beeps = 0;
};

// Character format at a position of the block (position counted in UTF-16).
QTextCharFormat formatAt(const QTextBlock& block, int pos) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment f = it.fragment();
        if (pos >= f.position() - block.position() &&
            pos < f.position() - block.position() + f.length()) {
            return f.charFormat();
        }
    }
    return {};
}

TEST_F(MessageLogTest, NormalLineHasBlueStampThenMessage) {
    m_model.log("Orvel DSLR not detected.");
    ASSERT_EQ(m_model.lines().size(), 1u);
    const LogLine& line = m_model.lines()[0];
    EXPECT_EQ(line.plain, stamp("14:03:07") + ": Orvel DSLR not detected.");
    EXPECT_FALSE(line.error);
    ASSERT_EQ(line.runs.size(), 2u);
    EXPECT_EQ(line.runs[0].colour, kLogBlue);
    EXPECT_EQ(line.runs[1].start, 10);
    EXPECT_TRUE(line.runs[1].colour.isBase);
    EXPECT_EQ(m_log.toPlainText().toStdString(), line.plain);
}

TEST_F(MessageLogTest, EmptyMessageShowsOnlyTheStamp) {
    m_model.log("");
    EXPECT_EQ(m_model.lines()[0].plain, stamp("14:03:07") + ": ");
    EXPECT_EQ(m_model.lines()[0].runs[0].colour, kLogBlue);
}

TEST_F(MessageLogTest, FirstStampShortThenLongAfterWindowCreation) {
    m_clock.setTimeOfDay(9, 5, 3);
    m_model.log("Program start");
    m_model.setStampFormat(StampFormat::LongHour);
    m_model.log("next");
    EXPECT_EQ(m_model.lines()[0].plain, stamp("9:05:03") + ": Program start");
    EXPECT_EQ(m_model.lines()[1].plain, stamp("09:05:03") + ": next");
}

TEST_F(MessageLogTest, DocumentShowsRunsWithTheirFormats) {
    m_model.log("USB event <b>Y800</b> connected <re>x</re>");
    const QTextBlock block = m_log.document()->lastBlock();
    EXPECT_EQ(block.text(),
              QString::fromStdString(stamp("14:03:07")) + ": USB event Y800 connected x");
    EXPECT_EQ(formatAt(block, 0).foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(formatAt(block, 0).fontPointSize(), 8.0);
    EXPECT_FALSE(formatAt(block, 10).hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_EQ(formatAt(block, 20).fontWeight(), QFont::Bold);
    EXPECT_NE(formatAt(block, 25).fontWeight(), QFont::Bold);
    EXPECT_EQ(formatAt(block, block.length() - 2).foreground().color(), QColor(255, 0, 0));
}

TEST_F(MessageLogTest, EachLineIsOneBlockAndCaretEndsAtTheEnd) {
    m_model.logsl({"one", "<b>two</b>", "three"});
    EXPECT_EQ(m_log.document()->blockCount(), 3);
    EXPECT_EQ(m_model.lines().size(), 3u);
    EXPECT_TRUE(m_log.textCursor().atEnd());
    EXPECT_EQ(m_bar.panelText(1), " three ");
}

TEST_F(MessageLogTest, CaretMovedOrSelectionMadeByUserGoesBackToTheEnd) {
    m_model.logsl({"one", "two"});
    QTextCursor caret = m_log.textCursor();
    caret.movePosition(QTextCursor::Start);
    caret.movePosition(QTextCursor::Right, QTextCursor::KeepAnchor, 3);
    m_log.setTextCursor(caret);
    m_model.log("three");
    EXPECT_TRUE(m_log.textCursor().atEnd());
    EXPECT_FALSE(m_log.textCursor().hasSelection());
}

// Scrolling to the end waits for the event loop; once it ran, the last line
// is in view, even after the user scrolled away.
TEST_F(MessageLogTest, ShownLogScrollsToItsLastLine) {
    m_log.resize(240, 120);
    m_log.show();
    for (int i = 0; i < 300; ++i) {
        m_model.log("line " + std::to_string(i));
    }
    QCoreApplication::processEvents();
    QScrollBar* bar = m_log.verticalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_TRUE(m_log.viewport()->rect().contains(m_log.cursorRect()));

    bar->setValue(0);
    m_model.log("latest");
    QCoreApplication::processEvents();
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_TRUE(m_log.viewport()->rect().contains(m_log.cursorRect()));
}

TEST_F(MessageLogTest, LongLineIsNotWrappedAndGetsAHorizontalScrollBar) {
    m_log.resize(240, 120);
    m_log.show();
    m_model.log("short");
    m_model.log(std::string(400, 'w'));
    QCoreApplication::processEvents();
    EXPECT_EQ(m_log.document()->lastBlock().layout()->lineCount(), 1);
    EXPECT_GT(m_log.horizontalScrollBar()->maximum(), 0);
}

TEST_F(MessageLogTest, LongTextAfterATagIsShownInFull) {
    const std::string tail(600, 'q');
    m_model.log("<b>x</b>" + tail);
    EXPECT_EQ(m_log.document()->lastBlock().text().size(), 10 + 1 + 600);
}

TEST_F(MessageLogTest, NormalLineSetsStatusReadyWithStrippedText) {
    m_model.log("Image <b>[3 of 5]</b> saved");
    EXPECT_EQ(m_bar.panelText(0), " Ready. ");
    EXPECT_EQ(m_bar.panelText(1), " Image  saved ");
    EXPECT_EQ(m_bar.hint(), "Image [3 of 5] saved");
    EXPECT_NE(m_model.lines()[0].plain.find("[3 of 5]"), std::string::npos);
}

TEST_F(MessageLogTest, ErrorLineIsRedStampRedBoldErrorAndBoldText) {
    int resets = 0;
    std::size_t linesAtReset = 0;
    m_model.setErrorCodeReset([&] {
        ++resets;
        linesAtReset = m_model.lines().size();
    });
    m_model.elog("CAMERA: Camera not available.");
    const LogLine& line = m_model.lines().at(0);
    EXPECT_TRUE(line.error);
    EXPECT_EQ(line.plain, stamp("14:03:07") + ": ERROR: CAMERA: Camera not available.");
    ASSERT_GE(line.runs.size(), 3u);
    EXPECT_EQ(line.runs[0].colour, kLogRed);
    EXPECT_FALSE(line.runs[0].style.bold);
    EXPECT_EQ(line.runs[1].start, 10);
    EXPECT_EQ(line.runs[1].colour, kLogRed);
    EXPECT_TRUE(line.runs[1].style.bold);
    EXPECT_EQ(line.runs[2].start, 17);
    EXPECT_TRUE(line.runs[2].colour.isBase);
    EXPECT_TRUE(line.runs[2].style.bold);
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(linesAtReset, 1u); // the code is reset after the line is written
    EXPECT_EQ(m_beeps, 1);
    EXPECT_TRUE(m_bar.errorShown());
    EXPECT_EQ(m_bar.panelText(1), " CAMERA: Camera not available.");
}

TEST_F(MessageLogTest, ErrorFlagLastsExactlyOneLine) {
    m_model.elog("bad");
    EXPECT_FALSE(m_model.errorLinePending());
    m_model.elog("worse");
    EXPECT_TRUE(m_bar.errorShown());
    m_model.log("fine");
    EXPECT_FALSE(m_model.lines()[2].error);
    EXPECT_EQ(m_model.lines()[2].runs[0].colour, kLogBlue);
    EXPECT_FALSE(m_bar.errorShown());
    EXPECT_EQ(m_beeps, 2);
}

TEST_F(MessageLogTest, StrayOpenerInErrorTextStaysLiteralAndBold) {
    m_model.elog("f < 2.8");
    const LogLine& line = m_model.lines()[0];
    EXPECT_EQ(line.plain, stamp("14:03:07") + ": ERROR: f < 2.8");
    for (const LogRun& run : line.runs) {
        // Every run that covers text after the stamp is bold; only the empty
        // run left by the closing tag is not.
        if (run.start >= 10 && run.start < static_cast<int>(line.plain.size())) {
            EXPECT_TRUE(run.style.bold) << run.start;
        }
    }
    EXPECT_EQ(line.runs.back().start, static_cast<int>(line.plain.size()));
}

TEST_F(MessageLogTest, SurplusClosingColourCannotRecolourTheStamp) {
    m_model.log("</re></bl>text");
    EXPECT_EQ(m_model.lines()[0].plain, stamp("14:03:07") + ": text");
    EXPECT_EQ(m_model.lines()[0].runs.front().colour, kLogBlue);
    EXPECT_TRUE(m_model.lines()[0].runs.back().colour.isBase);
}

TEST_F(MessageLogTest, DslrLogUntickedChangesNothing) {
    m_model.log("before [x]");
    const std::string doc = m_log.toPlainText().toStdString();
    const QString p1 = m_bar.panelText(1);
    const QString hint = m_bar.hint();
    ASSERT_TRUE(m_model.setMirrorFile(path("mirror.log")));

    m_model.DSLRlog("CAMERA Event <b>x</b> changed"); // no check box wired yet
    bool ticked = false;
    m_model.setLogAllEvents([&] { return ticked; });
    m_model.DSLRlog("CAMERA Event <b>y</b> changed");
    static_cast<LogSink&>(m_model).dslrLog("via sink");

    EXPECT_EQ(m_model.lines().size(), 1u);
    EXPECT_EQ(m_log.toPlainText().toStdString(), doc);
    EXPECT_EQ(m_bar.panelText(1), p1);
    EXPECT_EQ(m_bar.hint(), hint);
    EXPECT_EQ(QFileInfo(path("mirror.log")).size(), 0);

    ticked = true;
    m_model.DSLRlog("CAMERA Event <b>y</b> changed");
    ASSERT_EQ(m_model.lines().size(), 2u);
    EXPECT_EQ(m_model.lines()[1].plain, stamp("14:03:07") + ": CAMERA Event y changed");
}

TEST_F(MessageLogTest, ClearEmptiesViewAndKeptLines) {
    m_model.logsl({"a", "b"});
    m_model.clearLog();
    EXPECT_TRUE(m_model.lines().empty());
    EXPECT_TRUE(m_log.document()->isEmpty());
    m_model.log("c");
    EXPECT_EQ(m_log.document()->blockCount(), 1);
    EXPECT_EQ(m_log.toPlainText().toStdString(), stamp("14:03:07") + ": c");
}

TEST_F(MessageLogTest, SaveWritesRtfThatReadsBackAsTheLog) {
    m_model.log("USB event <b>Y800</b> {connected} \\ Grüße");
    m_model.elog("CAMERA: failed");
    const LogModel::SaveResult result = m_model.saveLogTo(path("saved.rtf"));
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    QFile file(path("saved.rtf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const RtfDocument doc = ReadRtf(file.readAll().toStdString());
    ASSERT_EQ(doc.lines.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(Normalise(doc.lines[i]), ExpectedSegments(m_model.lines()[i]));
    }
}

TEST_F(MessageLogTest, FailedSaveReportsAndLeavesLogAndTargetUnchanged) {
    m_model.log("keep me");
    const std::string before = m_log.toPlainText().toStdString();
    const LogModel::SaveResult missingDir = m_model.saveLogTo(path("no/such/dir/log.rtf"));
    EXPECT_FALSE(missingDir.ok);
    EXPECT_FALSE(missingDir.error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(path("no/such/dir/log.rtf")));
    EXPECT_EQ(m_log.toPlainText().toStdString(), before);
    EXPECT_EQ(m_model.lines().size(), 1u);
}

TEST_F(MessageLogTest, MirrorFileGetsStampedPlainLinesAndErrorMarker) {
    ASSERT_TRUE(m_model.setMirrorFile(path("mirror.log")));
    m_model.log("USB event <b>Y800</b> connected [x]");
    m_model.elog("CAMERA: <re>bad</re>");
    m_model.mirror().closeFile();
    QFile file(path("mirror.log"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    const QString s = QString::fromStdString(stamp("14:03:07"));
    EXPECT_EQ(text, s + ": USB event Y800 connected [x]\n" + s + ": ERROR: CAMERA: bad\n");
}

TEST_F(MessageLogTest, MirrorFileAppendsAndReportsUnopenablePath) {
    {
        QFile old(path("mirror.log"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("earlier run\n");
    }
    ASSERT_TRUE(m_model.setMirrorFile(path("mirror.log")));
    m_model.log("now");
    QString error;
    EXPECT_FALSE(m_model.setMirrorFile(path("no/dir/mirror.log"), &error));
    EXPECT_FALSE(error.isEmpty());
    m_model.log("still mirrored");
    m_model.mirror().closeFile();
    QFile file(path("mirror.log"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList rows = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0], "earlier run");
    EXPECT_TRUE(rows[2].endsWith(": still mirrored"));
}

} // namespace
