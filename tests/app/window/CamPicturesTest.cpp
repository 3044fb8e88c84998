// Model pictures: every model and the no-camera pair exist at their sizes,
// and LoadCamPics/ShowCamPics place them and fill the identity labels.
#include "app/window/CamPictures.h"
#include "WindowTestSupport.h"
#include "app/window/Main.h"
#include "widgets/CameraGroupBox.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

QStringList pictureKeys() {
    QStringList keys = CamPictures::modelNames();
    keys << QString::fromLatin1(CamPictures::kNoCamera);
    return keys;
}

TEST(CamPicturesResources, EveryModelAndNoCameraHasPhotoAndLogoAtTheirSizes) {
    const QTemporaryDir dir;
    TfMain window{hermeticServices(dir)}; // registers the window's resources
    const QStringList keys = pictureKeys();
    ASSERT_EQ(keys.size(), 14);
    for (const QString& key : keys) {
        const QImage photo(CamPictures::photoResource(key));
        ASSERT_FALSE(photo.isNull()) << key.toStdString();
        EXPECT_EQ(photo.width(), 230) << key.toStdString();
        EXPECT_GE(photo.height(), 186) << key.toStdString();
        EXPECT_LE(photo.height(), 210) << key.toStdString();
        const QImage logo(CamPictures::logoResource(key));
        ASSERT_FALSE(logo.isNull()) << key.toStdString();
        EXPECT_EQ(logo.height(), 60) << key.toStdString();
        EXPECT_LE(logo.width(), 230) << key.toStdString();
    }
}

TEST(CamPicturesNames, ModelListMatchesWholeNamesOnly) {
    EXPECT_TRUE(CamPictures::isKnownModel("Y800"));
    EXPECT_TRUE(CamPictures::isKnownModel("Y3"));
    EXPECT_FALSE(CamPictures::isKnownModel("y800"));
    EXPECT_FALSE(CamPictures::isKnownModel("Y80"));
    EXPECT_FALSE(CamPictures::isKnownModel("Y800|Y800E"));
    EXPECT_FALSE(CamPictures::isKnownModel(""));
    EXPECT_EQ(CamPictures::pictureKey("Y7100"), "nocam");
    EXPECT_EQ(CamPictures::photoResource("nocam"), ":/models/NOCAM.jpg");
    EXPECT_EQ(CamPictures::logoResource("Y800"), ":/models/Y800LOGO.jpg");
}

class CamPicturesTest : public ::testing::Test {
protected:
    CamPicturesTest() {
        WindowServices services = hermeticServices(m_dir);
        services.identityReader = [this](const QString& name, int ordinal) {
            lookups.emplace_back(name, ordinal);
            return CameraIdentity{QStringLiteral("30123456789"), QStringLiteral("1.10")};
        };
        window = std::make_unique<TfMain>(std::move(services));
    }

    const CameraGroupControls& cam() const { return window->controls().camera; }
    const InfoPageControls& info() const { return window->controls().info; }
    int centredLeft(const QWidget* w) const { return (cam().gbDSLR->width() - w->width()) / 2 + 1; }

    QTemporaryDir m_dir;
    std::vector<std::pair<QString, int>> lookups;
    std::unique_ptr<TfMain> window;
};

TEST_F(CamPicturesTest, KnownModelShowsItsPicturesCentred) {
    cam().cbDSLR->addItem("Y800");
    window->camPictures().LoadCamPics("Y800");
    EXPECT_EQ(cam().iCamLogo->size(), QImage(":/models/Y800LOGO.jpg").size());
    EXPECT_EQ(cam().iCamLogo->pixmap().size(), cam().iCamLogo->size());
    EXPECT_EQ(cam().iCamLogo->x(), centredLeft(cam().iCamLogo));
    EXPECT_EQ(cam().iCamPic->size(), QImage(":/models/Y800.jpg").size());
    EXPECT_EQ(cam().iCamPic->x(), centredLeft(cam().iCamPic));
    EXPECT_FALSE(cam().lAvailable->isHidden());
    EXPECT_TRUE(cam().lConnectCam->isHidden());
    EXPECT_EQ(info().lCamNameVal->text(), "Orvel Y800");
    EXPECT_EQ(info().lCamSerialVal->text(), "3012345"); // first seven characters
    EXPECT_EQ(info().lCamFirmwareVal->text(), "1.10");
    EXPECT_EQ(window->camPictures().serialText(), "3012345");
}

TEST_F(CamPicturesTest, UnknownModelShowsNoCameraPairButNamesTheModel) {
    cam().cbDSLR->addItem("Y7100");
    window->camPictures().LoadCamPics("Y7100");
    EXPECT_EQ(cam().iCamLogo->x(), 10);
    EXPECT_EQ(cam().iCamLogo->size(), QImage(":/models/NOCAMLOGO.jpg").size());
    EXPECT_EQ(cam().iCamPic->size(), QImage(":/models/NOCAM.jpg").size());
    EXPECT_EQ(info().lCamNameVal->text(), "Orvel Y7100");
}

TEST_F(CamPicturesTest, EmptyNamePromptsForACameraAndLeavesInfoLabels) {
    info().lCamNameVal->setText("Orvel Y3");
    lookups.clear();
    window->camPictures().LoadCamPics("");
    EXPECT_TRUE(cam().lAvailable->isHidden());
    EXPECT_FALSE(cam().lConnectCam->isHidden());
    EXPECT_EQ(cam().lConnectCam->x(), centredLeft(cam().lConnectCam));
    EXPECT_EQ(cam().iCamLogo->x(), 10);
    EXPECT_EQ(info().lCamNameVal->text(), "Orvel Y3");
    EXPECT_TRUE(lookups.empty());
}

TEST_F(CamPicturesTest, SecondCameraOfAModelIsLookedUpWithOrdinalTwo) {
    cam().cbDSLR->addItems({"Y800", "Y3", "Y800"});
    cam().cbDSLR->setCurrentIndex(2);
    lookups.clear();
    window->camPictures().LoadCamPics("Y800");
    ASSERT_EQ(lookups.size(), 1u);
    EXPECT_EQ(lookups[0].first, "Y800");
    EXPECT_EQ(lookups[0].second, 2);
}

TEST_F(CamPicturesTest, ShowCamPicsMovesTheLogoUnderTheLiveViewPanel) {
    window->camPictures().LoadCamPics("Y800");
    window->camPictures().ShowCamPics(false);
    EXPECT_TRUE(cam().iCamPic->isHidden());
    EXPECT_TRUE(cam().lAvailable->isHidden());
    EXPECT_EQ(cam().iCamLogo->y(), cam().pLiveView->y() + 34);
    window->camPictures().ShowCamPics(true);
    EXPECT_FALSE(cam().iCamPic->isHidden());
    EXPECT_EQ(cam().iCamLogo->y(), 80);
}

} // namespace
