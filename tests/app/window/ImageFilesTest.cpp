// The "Images" group against real folders: the running number, stepping,
// the prefix and directory fields, View and the deferred close.
#include "WindowTestSupport.h"
#include "connection/DeferredAction.h"
#include "images/ImageBrowser.h"
#include "images/NamingState.h"
#include "widgets/ImageView.h"
#include "widgets/PaintBox.h"
#include "widgets/umEdit.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>
#include <QTimer>

namespace {

// Answers the directory questions as the test says.
class ScriptedQuestions : public DirectoryQuestions {
public:
    explicit ScriptedQuestions(int& asked) : m_asked(asked) {}
    bool askCreate(const QString&) override {
        ++m_asked;
        return true;
    }
    QString chooseDirectory(const QString&) override { return {}; }

private:
    int& m_asked;
};

} // namespace

class ImageFilesTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(m_images.isValid());
        m_dirText = m_images.path() + QLatin1Char('/');
    }

    std::unique_ptr<TfMain> openWindow() {
        WindowServices s = services();
        s.directoryQuestions = [this] { return std::make_unique<ScriptedQuestions>(m_asked); };
        auto window = std::make_unique<TfMain>(s);
        window->controls().images.eImageDir->setText(m_dirText);
        start(*window);
        return window;
    }

    void put(const QString& name, const QByteArray& data = "x") const {
        QFile f(m_images.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
    }

    void putJpeg(const QString& name, QSize size) const {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        ASSERT_TRUE(picture.save(m_images.filePath(name), "JPG"));
    }

    static QString shown(TfMain& w) { return w.controls().images.lActImg->text(); }
    static QString types(TfMain& w) {
        const ImageGroupControls& c = w.controls().images;
        QString out;
        for (const QCheckBox* box : {c.chJPG, c.chORW, c.chTIF, c.chMOV}) {
            out += box->isChecked() ? box->text().left(1) : QStringLiteral("-");
        }
        return out;
    }

    QTemporaryDir m_images;
    QString m_dirText;
    int m_asked = 0;
};

TEST_F(ImageFilesTest, ActivationShowsTheLastStillAndSteppingWalksOverGaps) {
    put("Image_00001.jpg");
    put("Image_00003.orw");
    put("Image_00003.jpg");
    put("Image_00005.tif");
    put("Image_00008.mov"); // browsable, but not counted
    auto window = openWindow();
    const ImageGroupControls& c = window->controls().images;
    EXPECT_EQ(window->naming().ImageCounter(), 5);
    EXPECT_EQ(shown(*window), "00005");
    EXPECT_FALSE(c.bViewJPG->isEnabled());

    c.udActImg->stepUp(); // already at the last number
    EXPECT_EQ(shown(*window), "00005");
    c.udActImg->stepDown();
    EXPECT_EQ(shown(*window), "00003");
    EXPECT_TRUE(c.chJPG->isChecked());
    EXPECT_TRUE(c.chORW->isChecked());
    EXPECT_TRUE(c.bViewJPG->isEnabled());
    c.udActImg->stepDown();
    c.udActImg->stepDown(); // at 1 there is nothing below
    EXPECT_EQ(shown(*window), "00001");

    window->imageBrowser().showLastNumber(); // the double click on the number
    EXPECT_EQ(shown(*window), "00005");
    EXPECT_TRUE(c.chTIF->isChecked());
}

TEST_F(ImageFilesTest, PrefixRescansOnEveryKeystrokeButIndicatorsWaitForLeaving) {
    put("Image_00004.jpg");
    put("Trip_00002.orw");
    auto window = openWindow();
    const ImageGroupControls& c = window->controls().images;
    ASSERT_TRUE(c.chJPG->isChecked());

    c.eImgPrefix->setText("Trip_");
    EXPECT_EQ(shown(*window), "00002");
    EXPECT_TRUE(c.chJPG->isChecked()); // still those of Image_00004

    window->imageBrowser().eImgPrefixExit();
    EXPECT_FALSE(c.chJPG->isChecked());
    EXPECT_TRUE(c.chORW->isChecked());
    EXPECT_EQ(window->CurImgPrefix(), "Trip_");
}

TEST_F(ImageFilesTest, PrefixFieldRefusesSeparators) {
    auto window = openWindow();
    TumEdit* prefix = window->controls().images.eImgPrefix;
    prefix->clear();
    QTest::keyClicks(prefix, "../x/");
    EXPECT_EQ(prefix->text(), "..x");
    EXPECT_EQ(window->CurImgPrefix(), "..x");
}

TEST_F(ImageFilesTest, DirectoryFieldKeepsTheDirectoryInForceAndReportsFailedCreation) {
    auto window = openWindow();
    QLineEdit* dir = window->controls().images.eImageDir;
    dir->clear();
    window->imageBrowser().eImageDirExit();
    EXPECT_EQ(dir->text(), m_dirText);
    EXPECT_EQ(window->naming().CurImgDir(), m_dirText.toStdString());

    put("plainfile");
    const QString impossible = m_dirText + "plainfile/sub/";
    dir->setText(impossible);
    window->imageBrowser().eImageDirExit();
    EXPECT_EQ(m_asked, 1);
    bool reported = false;
    for (const std::string& line : messages(*window)) {
        reported |=
            line.rfind("ERROR: Directory " + impossible.toStdString() + " not created: ", 0) == 0;
    }
    EXPECT_TRUE(reported) << ::testing::PrintToString(messages(*window));
}

TEST_F(ImageFilesTest, ViewShowsTheStillAndTheDeferredCloseBringsLiveViewBack) {
    putJpeg("Image_00002.jpg", {600, 400});
    auto window = openWindow();
    const WindowControls& c = window->controls();
    c.images.sbPreview->setChecked(false);
    c.images.chCloseImage->setChecked(true);
    c.liveView.sbLiveView->setChecked(true);

    c.images.bViewJPG->click();
    EXPECT_TRUE(c.images.sbPreview->isChecked()); // a hidden preview area opens
    EXPECT_EQ(c.liveView.lImageInfo->text(), "600x400");
    EXPECT_FALSE(c.liveView.Image->isHidden());
    EXPECT_TRUE(c.liveView.pbLiveView->isHidden());
    EXPECT_EQ(window->deferredAction().pendingAction(), DeferredAction::Action::ClosePreview);
    EXPECT_EQ(window->deferredAction().timer()->interval(), 5000);

    window->deferredAction().TimerTimer(); // the five seconds have passed
    EXPECT_TRUE(c.liveView.Image->isHidden());
    EXPECT_FALSE(c.liveView.pbLiveView->isHidden());
    EXPECT_TRUE(c.timers.tLiveView->isActive());
    EXPECT_EQ(c.liveView.lImageInfo->text(), "");
}

TEST_F(ImageFilesTest, UndecodableJpegIsReportedAndLoadingStays) {
    put("Image_00007.jpg", "not a picture at all");
    auto window = openWindow();
    const WindowControls& c = window->controls();
    c.images.bViewJPG->click();
    EXPECT_EQ(c.liveView.lImageInfo->text(), "Loading...");
    const std::string file = (m_dirText + "Image_00007.jpg").toStdString();
    bool reported = false;
    for (const std::string& line : messages(*window)) {
        reported |= line.rfind("ERROR: Image " + file + " not shown: ", 0) == 0;
    }
    EXPECT_TRUE(reported) << ::testing::PrintToString(messages(*window));
    EXPECT_NE(window->deferredAction().pendingAction(), DeferredAction::Action::ClosePreview);
}
