// The "Status" page: its buttons, the save flow and its failure path.
#include "log/LogPage.h"
#include "RtfTestReader.h"
#include "VantoraTest.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class LogPageTest : public VantoraTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_page.messageLog().mirror().setStderrEnabled(false);
        m_page.messageLog().setBeep([] {});
        m_page.setSaveDialog(
            [this](QWidget*, const QString& title, const QString& proposed, const QString& filter) {
                m_title = title;
                m_proposed = proposed;
                m_filter = filter;
                return m_answer;
            });
        m_page.setErrorBox([this](QWidget*, const QString& title, const QString& text) {
            m_errors.push_back(title + "|" + text);
        });
    }

    LogModel m_model;
    LogPage m_page{m_model};
    QString m_answer;
    QString m_title, m_proposed, m_filter;
    QStringList m_errors;
};

TEST_F(LogPageTest, ButtonsCarryTheirNamesCaptionAndHint) {
    EXPECT_EQ(m_page.clearButton().objectName(), "bClearLog");
    EXPECT_EQ(m_page.clearButton().text(), "Clear");
    EXPECT_EQ(m_page.saveButton().objectName(), "bbSaveSound");
    EXPECT_EQ(m_page.saveButton().toolTip(), "Save log window");
    EXPECT_EQ(m_page.logView().objectName(), "reMessage");
    EXPECT_TRUE(m_page.logView().isReadOnly());
    EXPECT_EQ(m_page.logView().font().family(), "Tahoma"); // matched to nearest if absent
    EXPECT_EQ(m_page.logView().font().pointSize(), 8);
}

TEST_F(LogPageTest, ClearButtonEmptiesTheLog) {
    m_page.messageLog().log("x");
    m_page.clearButton().click();
    EXPECT_TRUE(m_page.messageLog().lines().empty());
    EXPECT_TRUE(m_page.logView().toPlainText().isEmpty());
}

TEST_F(LogPageTest, SaveProposesDatedNameAndWritesChosenFile) {
    m_page.messageLog().log("<b>saved</b>");
    m_answer = m_dir.filePath("out.rtf");
    m_page.saveButton().click();
    EXPECT_EQ(m_title, "Save log");
    EXPECT_EQ(m_filter, "Rich Text Format (*.rtf)");
    EXPECT_TRUE(QRegularExpression(R"(^log_\d{4}(\.\d\d){5}\.rtf$)").match(m_proposed).hasMatch())
        << m_proposed.toStdString();
    EXPECT_TRUE(m_errors.isEmpty());
    QFile file(m_answer);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const RtfDocument doc = ReadRtf(file.readAll().toStdString());
    ASSERT_EQ(doc.lines.size(), 1u);
    EXPECT_EQ(Normalise(doc.lines[0]), ExpectedSegments(m_page.messageLog().lines()[0]));
}

TEST_F(LogPageTest, NameWithoutExtensionGetsRtf) {
    m_answer = m_dir.filePath("plain");
    m_page.bbSaveSoundClick();
    EXPECT_TRUE(QFileInfo::exists(m_dir.filePath("plain.rtf")));
}

TEST_F(LogPageTest, CancelWritesNothing) {
    m_answer.clear();
    m_page.bbSaveSoundClick();
    EXPECT_TRUE(m_errors.isEmpty());
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty());
}

TEST_F(LogPageTest, FailedWriteShowsErrorAndKeepsLog) {
    m_page.messageLog().log("one");
    m_page.messageLog().elog("two");
    const std::string before = m_page.logView().toPlainText().toStdString();
    m_answer = m_dir.filePath("missing/dir/out.rtf");
    m_page.bbSaveSoundClick();
    ASSERT_EQ(m_errors.size(), 1);
    EXPECT_TRUE(m_errors[0].startsWith("Save log|Cannot write"));
    EXPECT_TRUE(m_errors[0].contains("out.rtf"));
    EXPECT_EQ(m_page.logView().toPlainText().toStdString(), before);
    EXPECT_EQ(m_page.messageLog().lines().size(), 2u);
}

} // namespace
