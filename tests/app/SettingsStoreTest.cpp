// Settings file: first run, round trip, window placement, bad files.
#include "app/SettingsStore.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

const QString kPictures = QStringLiteral("/home/someone/Pictures");

class SettingsStoreTest : public ::testing::Test {
protected:
    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(QStringLiteral("Quillon Labs/Vantora.ini")); }
    SettingsStore store() const { return SettingsStore(path()); }

    void writeFile(const QByteArray& content) const {
        QDir().mkpath(QFileInfo(path()).absolutePath());
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    static AppSettings everyValueChanged() {
        AppSettings s;
        s.windowState = 1;
        s.top = 120;
        s.left = -40;
        s.width = 1020;
        s.height = 700;
        s.previewWidth = 990;
        s.pagesWidth = 720;
        s.logAllDslr = true;
        s.dslrAutoConnect = true;
        s.imgPrefix = QStringLiteral("@Shot, \"day\"=1;Ünï_");
        s.imgDir = QStringLiteral("/data/photos, 2024/");
        s.preview = false;
        s.closePreview = true;
        s.aids = {2, true, true, 95, 5, true, 1, 60, 9, true, true};
        s.sequence.frames = 250;
        s.sequence.unlimited = true;
        s.sequence.interval_ms = 12500;
        s.sequence.startAtTime = true;
        s.sequence.startDelay_ms = 3000;
        s.sequence.startTime = QTime(21, 15, 30);
        s.sequence.stopAtTime = true;
        s.sequence.stopTime = QTime(5, 45, 0);
        s.sequence.kind = 2;
        s.sequence.bracketFrames = 7;
        s.sequence.bracketStep = 0;
        s.sequence.bulbLength_ms = 240000;
        s.sequence.fileTimeout_s = 45;
        s.hook = {QStringLiteral("/opt/upload \"to server\", --fast=1;"), 120};
        return s;
    }
};

TEST_F(SettingsStoreTest, FirstRunReadsDefaultsAndCreatesTheFileOnlyAtClose) {
    const AppSettings read = store().RegRead(kPictures);

    AppSettings expected;
    expected.imgDir = kPictures;
    EXPECT_EQ(read, expected);
    EXPECT_EQ(read.imgPrefix, "Image_");
    EXPECT_TRUE(read.preview);
    EXPECT_FALSE(QFileInfo::exists(path())) << "a first run writes no Version";

    EXPECT_TRUE(store().RegWrite(read));
    EXPECT_TRUE(QFileInfo::exists(path()));
}

TEST_F(SettingsStoreTest, EveryValueSurvivesARoundTrip) {
    const AppSettings saved = everyValueChanged();
    ASSERT_TRUE(store().RegWrite(saved));

    EXPECT_EQ(store().RegRead(kPictures), saved);
    QSettings raw(path(), QSettings::IniFormat);
    EXPECT_EQ(raw.value("Version").toString(), "0.24b") << "an existing file gets the version";
    EXPECT_EQ(raw.value("logAllDSLR").toString(), "1") << "booleans are stored as integers";
    EXPECT_EQ(raw.value("Preview").toString(), "0");
    EXPECT_EQ(raw.value("SeqStartTime").toString(), "21:15:30");
    EXPECT_EQ(raw.value("SeqInterval").toString(), "12500") << "milliseconds";
}

TEST_F(SettingsStoreTest, MaximisedWindowKeepsTheLastNormalPlacement) {
    AppSettings first =
        withWindowPlacement(AppSettings(), Qt::WindowNoState, QRect(30, 40, 900, 650));
    ASSERT_TRUE(store().RegWrite(first));

    AppSettings second = store().RegRead(kPictures);
    second = withWindowPlacement(second, Qt::WindowMaximized, QRect(0, 0, 1920, 1080));
    ASSERT_TRUE(store().RegWrite(second));

    const AppSettings third = store().RegRead(kPictures);
    EXPECT_EQ(third.windowState, 2);
    EXPECT_EQ(third.left, 30);
    EXPECT_EQ(third.top, 40);
    EXPECT_EQ(third.width, 900);
    EXPECT_EQ(third.height, 650);
}

TEST_F(SettingsStoreTest, MaximisedWindowOnFirstRunSavesNoPlacement) {
    AppSettings s =
        withWindowPlacement(AppSettings(), Qt::WindowMaximized, QRect(0, 0, 1920, 1080));
    ASSERT_TRUE(store().RegWrite(s));

    const AppSettings read = store().RegRead(kPictures);
    EXPECT_EQ(read.windowState, 2);
    EXPECT_FALSE(read.top.has_value());
    EXPECT_FALSE(read.height.has_value());
}

TEST_F(SettingsStoreTest, WindowStatesMapBothWays) {
    EXPECT_EQ(windowStateFromSaved(2), Qt::WindowMaximized);
    EXPECT_EQ(windowStateFromSaved(1), Qt::WindowMinimized);
    EXPECT_EQ(windowStateFromSaved(7), Qt::WindowNoState);
    EXPECT_EQ(savedFromWindowState(Qt::WindowMinimized | Qt::WindowMaximized), 1);
    EXPECT_EQ(savedFromWindowState(Qt::WindowMaximized), 2);
    EXPECT_EQ(savedFromWindowState(Qt::WindowNoState), 0);
}

TEST_F(SettingsStoreTest, ValuesOfTheWrongTypeAreIgnored) {
    writeFile("[General]\n"
              "Height=tall\n"
              "Top=12.5\n"
              "Left=99999999999\n"
              "Width=0x20\n"
              "WindowState=2\n"
              "logAllDSLR=true\n"
              "DSLRAutoConnect=\n"
              "ImgPrefix=a, b\n"
              "ImgDir=@Size(3 4)\n"
              "Preview=no\n"
              "PreWidth=@Rect(1 2 3 4)\n"
              "SecWidth=800\n");

    const AppSettings read = store().RegRead(kPictures);

    AppSettings expected;
    expected.imgDir = kPictures;
    expected.windowState = 2;
    expected.pagesWidth = 800;
    EXPECT_EQ(read, expected);
}

TEST_F(SettingsStoreTest, SequencerAndHookValuesBeyondTheDialogsGiveTheDefaults) {
    writeFile("[General]\n"
              "SeqFrames=0\n"
              "SeqUnlimited=1\n"
              "SeqInterval=-5\n"
              "SeqStartDelay=86400000\n"
              "SeqStartTime=25:00:00\n"
              "SeqStopAtTime=yes\n"
              "SeqStopTime=07:30:00\n"
              "SeqKind=3\n"
              "SeqBracketFrames=1\n"
              "SeqBracketStep=6\n"
              "SeqBulbLength=99\n"
              "SeqFileTimeout=3600\n"
              "HookCommand=@Size(1 2)\n"
              "HookTimeout=0\n");

    const AppSettings read = store().RegRead(kPictures);
    SavedSequence expected;
    expected.unlimited = true;
    expected.startDelay_ms = 86400000;
    expected.stopTime = QTime(7, 30);
    expected.fileTimeout_s = 3600;
    EXPECT_EQ(read.sequence, expected);
    EXPECT_EQ(read.hook, SavedHook());

    writeFile("[General]\nSeqStopTime=7:30\nSeqFrames=1\nHookTimeout=3601\nSeqKind=2\n");
    const AppSettings second = store().RegRead(kPictures);
    EXPECT_EQ(second.sequence.stopTime, SavedSequence().stopTime) << "hh:mm:ss only";
    EXPECT_EQ(second.sequence.frames, 1);
    EXPECT_EQ(second.sequence.kind, 2);
    EXPECT_EQ(second.hook.timeout_s, 60);
}

TEST_F(SettingsStoreTest, PrefixInForceIsTheRestoredOneEvenWhenAbsent) {
    writeFile("[General]\nHeight=600\n");
    EXPECT_EQ(store().RegRead(kPictures).imgPrefix, "Image_");

    writeFile("[General]\nImgPrefix=Wedding_\n");
    EXPECT_EQ(store().RegRead(kPictures).imgPrefix, "Wedding_");
}

TEST_F(SettingsStoreTest, GarbageFileGivesDefaultsAndIsReplacedAtClose) {
    QByteArray garbage;
    for (int i = 0; i < 4000; ++i) {
        garbage.append(static_cast<char>((i * 7919) % 256));
    }
    writeFile(garbage);

    const AppSettings read = store().RegRead(kPictures);
    AppSettings expected;
    expected.imgDir = kPictures;
    EXPECT_EQ(read, expected);

    ASSERT_TRUE(store().RegWrite(everyValueChanged()));
    EXPECT_EQ(store().RegRead(kPictures), everyValueChanged());
}

TEST_F(SettingsStoreTest, TruncatedFileKeepsNoHalfValue) {
    writeFile("[General]\nHeight=600\nImgPrefix=Sh");
    const AppSettings read = store().RegRead(kPictures);
    EXPECT_EQ(read.height, 600);
    EXPECT_EQ(read.imgPrefix, "Sh"); // a cut text is still a text
    writeFile("[General]\nHeight=600\n[Gene");
    EXPECT_EQ(store().RegRead(kPictures).height, std::nullopt) << "damaged: defaults";
}

// Qt parses a file once per process and reports the damage only then: the
// second reader and the save at close must still see a damaged file.
TEST_F(SettingsStoreTest, EveryReaderSeesTheDamageAndTheSaveReplacesTheWholeFile) {
    writeFile("[General]\nJunk=1\nHeight=600\n[Gene");
    AppSettings defaults;
    defaults.imgDir = kPictures;
    EXPECT_EQ(store().RegRead(kPictures), defaults);
    EXPECT_EQ(store().RegRead(kPictures), defaults) << "read again";

    ASSERT_TRUE(store().RegWrite(everyValueChanged()));
    EXPECT_EQ(store().RegRead(kPictures), everyValueChanged());
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.readAll().contains("Junk")) << "merged into the damaged file";
}

TEST_F(SettingsStoreTest, UnwritableLocationSavesNothingSilently) {
    writeFile("[General]\n");
    const QString blocked = path() + QStringLiteral("/below-a-file/Vantora.ini");
    EXPECT_FALSE(SettingsStore(blocked).RegWrite(everyValueChanged()));
    EXPECT_FALSE(QFileInfo::exists(blocked));
}

TEST_F(SettingsStoreTest, SavingReplacesTheFileAsAWhole) {
    ASSERT_TRUE(store().RegWrite(AppSettings()));
    struct stat before {};
    ASSERT_EQ(::stat(path().toLocal8Bit().constData(), &before), 0);

    ASSERT_TRUE(store().RegWrite(everyValueChanged()));
    struct stat after {};
    ASSERT_EQ(::stat(path().toLocal8Bit().constData(), &after), 0);
    // A new inode: the new content was written elsewhere and renamed over
    // the old file, which a crash midway would have left intact.
    EXPECT_NE(before.st_ino, after.st_ino);
    EXPECT_EQ(QDir(QFileInfo(path()).absolutePath()).entryList(QDir::Files).size(), 1);
}

} // namespace
