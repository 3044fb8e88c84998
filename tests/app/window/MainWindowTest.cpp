// The main window as built: caption, size, pages, the controls with their
// design-time captions, hints, items and selections, the About page, and the
// width rules applied to the real window.
#include "WindowTestSupport.h"
#include "app/window/Main.h"

#include "app/window/AboutLayout.h"
#include "app/window/AboutPage.h"
#include "widgets/CameraGroupBox.h"
#include "widgets/PaintBox.h"

#include <QApplication>
#include <QComboBox>

#include <gtest/gtest.h>

namespace {

QStringList itemsOf(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) {
        items << list->itemText(i);
    }
    return items;
}

class MainWindowTest : public WindowTest {
protected:
    template <typename T> T* find(const char* name) const {
        return window.findChild<T*>(QString::fromLatin1(name));
    }
    const WindowControls& c() const { return window.controls(); }

    TfMain window{services()};
};

TEST_F(MainWindowTest, CaptionSizeAndPages) {
    EXPECT_EQ(window.windowTitle(), "Vantora 0.24b");
    EXPECT_EQ(window.size(), QSize(955, 665));
    EXPECT_EQ(window.minimumHeight(), 592);
    const QTabWidget* pages = c().pages.PageControl;
    ASSERT_EQ(pages->count(), 4);
    const QStringList captions{"Main", "Info", "Status", "About"};
    const QStringList names{"tsMain", "tsTexts", "tsLog", "tsAbout"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(pages->tabText(i), captions[i]);
        EXPECT_EQ(pages->widget(i)->objectName(), names[i]);
    }
    EXPECT_NE(find<QWidget>("logSlot"), nullptr);
    EXPECT_NE(window.statusBar(), nullptr);
}

TEST_F(MainWindowTest, ColourTemperatureListHoldsEveryHundredFrom2500To10000) {
    const QStringList items = itemsOf(c().shooting.cbColorTemp);
    ASSERT_EQ(items.size(), 76);
    EXPECT_EQ(items.front(), "2500");
    EXPECT_EQ(items[31], "5600");
    EXPECT_EQ(items.back(), "10000");
    EXPECT_EQ(c().shooting.cbColorTemp->currentIndex(), -1);
}

TEST_F(MainWindowTest, CameraGroupCaptionsHintsAndStartState) {
    EXPECT_EQ(find<CameraGroupBox>("gbDSLR")->title(), "Camera control");
    const auto* start = find<QPushButton>("bDSLRConnect");
    EXPECT_EQ(start->text(), "Start");
    EXPECT_EQ(start->toolTip(), "Start controlling camera");
    EXPECT_FALSE(start->isEnabled());
    EXPECT_EQ(find<QPushButton>("bDSLRDisconn")->text(), "Stop");
    EXPECT_EQ(find<QPushButton>("bDSLRDisconn")->toolTip(), "Stop controlling camera");
    EXPECT_EQ(find<QPushButton>("bLog")->toolTip(), "Camera capability log");
    EXPECT_EQ(find<QCheckBox>("chDSLRAutoConnect")->text(), "Auto");
    EXPECT_EQ(find<QCheckBox>("chLogAllDSLR")->text(), "Log all event");
    EXPECT_EQ(find<QLabel>("lAvailable")->text(), "available");
    EXPECT_EQ(find<QLabel>("lConnecting")->text(), "connecting...");
    EXPECT_EQ(find<QLabel>("lConnectCam")->text(), " Connect \na camera");
    EXPECT_TRUE(c().camera.pDSLRctrl->isHidden());
    EXPECT_TRUE(c().camera.pExtraCtrl->isHidden());
    EXPECT_TRUE(c().camera.pLiveView->isHidden());
}

TEST_F(MainWindowTest, FixedListsHaveTheirItemsAndSelections) {
    struct Expected {
        const char* name;
        QStringList items;
        int selected;
        const char* hint;
    };
    const std::vector<Expected> lists{
        {"cbMode", {"P", "A", "S", "M"}, 3, "Exposure mode setting"},
        {"cbImageSize", {"Large", "Med.", "Small"}, 0, "Image size setting"},
        {"cbRAWbit", {"12-bit", "14-bit"}, 0, ""},
        {"cbMeteringMode", {"Matrix", "Center-w.", "Spot", "AF spot"}, 0, ""},
        {"cbCCDmode", {"FF", "APS", "5:4", "1.2x"}, 1, "CCD crop mode"},
        {"cbRawCompress",
         {"Uncompressed", "Compressed", "Lossless compressed"},
         2,
         "RAW compress mode"},
        {"cbJPEGCompress", {"Size priority", "Optimal quality"}, 1, "JPEG compress method"},
        {"cbSlot2Mode", {"Overflow", "Backup", "Prim: RAW, Sec: JPEG"}, 2, "Slot 2 record mode"},
        {"cbPrimarySlot", {"CF card", "SD card"}, 0, "Primary slot"},
        {"cbSaveMedia", {"Card", "SDRAM", "Card+SDRAM"}, 2, "Save media"},
        {"cbColorSpace", {"sRGB", "AdobeRGB"}, 1, "Color space"},
        {"cbAFmode", {"AF-S", "AF-C", "MF"}, 0, nullptr},
        {"cbLVAF", {"Face priority", "Wide area", "Normal area", "Tracking"}, 0, nullptr},
        {"cbMovieQuality", {"N", "H"}, 0, "Movie Quality\nN:normal\nH:High quality"},
        {"cbMicLevelType", {"Auto", "Off", "Manual"}, 2, "Microphone level setting"},
    };
    for (const Expected& e : lists) {
        const auto* list = find<QComboBox>(e.name);
        ASSERT_NE(list, nullptr) << e.name;
        EXPECT_EQ(itemsOf(list), e.items) << e.name;
        EXPECT_EQ(list->currentIndex(), e.selected) << e.name;
        if (e.hint != nullptr) {
            EXPECT_EQ(list->toolTip(), e.hint) << e.name;
        }
    }
    EXPECT_FALSE(c().shooting.cbMeteringMode->isEnabled());
    EXPECT_EQ(c().movie.cbMovieSize->count(), 7);
    EXPECT_EQ(c().movie.cbMovieSize->itemText(3), "1280x720 60fps");
}

TEST_F(MainWindowTest, CameraFilledListsStartEmptyWithTheirHints) {
    const std::vector<std::pair<const char*, const char*>> lists{
        {"cbISO", "ISO setting (ASA)"},
        {"cbAperture", "Aperture setting"},
        {"cbShutter", "Shutter speed setting"},
        {"cbCompression", "Compression level setting"},
        {"cbWBmode", "White Balance mode"},
        {"cbFlashMode", ""},
        {"cbFocusAreaMode", nullptr},
        {"cbLVzoom", nullptr},
        {"cbDSLR", nullptr}};
    for (const auto& [name, hint] : lists) {
        const auto* list = find<QComboBox>(name);
        ASSERT_NE(list, nullptr) << name;
        EXPECT_EQ(list->count(), 0) << name;
        if (hint != nullptr) {
            EXPECT_EQ(list->toolTip(), hint) << name;
        }
    }
}

TEST_F(MainWindowTest, ButtonsSlidersAndIndicatorsAsDesigned) {
    const QSlider* expo = c().shooting.tbExpoCorr;
    EXPECT_EQ(expo->maximum(), 30);
    EXPECT_EQ(expo->value(), 15);
    EXPECT_EQ(expo->tickInterval(), 3);
    EXPECT_EQ(expo->pageStep(), 3);
    EXPECT_EQ(expo->width(), 223);
    EXPECT_EQ(expo->toolTip(), "Exposure correction");
    EXPECT_EQ(c().shooting.lExpCom->text(), "-5  -4  -3  -2  -1   0  +1  +2  +3  +4  +5");
    EXPECT_EQ(c().shooting.bExpo->text(), "Expo");
    EXPECT_EQ(c().shooting.bExpo->toolTip(), "Expo with AF");
    EXPECT_TRUE(c().shooting.bExpo->isDefault());
    EXPECT_EQ(c().focus.bAF->toolTip(), "Autofocus");
    EXPECT_TRUE(c().shooting.sbLock->isCheckable());
    EXPECT_EQ(c().shooting.sbLock->toolTip(), "Edit/Lock");
    EXPECT_EQ(c().focus.iFocus->size(), QSize(96, 43));
    EXPECT_EQ(c().focus.iContrastAF->size(), QSize(223, 17));
    EXPECT_EQ(c().focus.iContrastAF->toolTip(),
              "Click here to manual focus\nRight button: fine\nLeft button: fast");
    EXPECT_EQ(c().liveView.sbLiveView->text(), "LiveView");
    EXPECT_EQ(c().movie.sbMovie->toolTip(), "Start/Stop Movie mode");
    EXPECT_FALSE(c().movie.sbRecord->isEnabled());
    EXPECT_EQ(c().movie.lMovieTime->text(), "00:00");
    EXPECT_EQ(c().liveView.lLVtime->text(), "0:00:00");
    EXPECT_EQ(c().liveView.cbLVExpoPreview->toolTip(), "LV exposure preview");
    EXPECT_EQ(c().movie.udMicLevel->minimum(), 1);
    EXPECT_EQ(c().movie.udMicLevel->maximum(), 20);
    EXPECT_FALSE(c().movie.udMicLevel->isEnabled());
    EXPECT_EQ(c().movie.ieMicLevel->text(), "1");
    EXPECT_EQ(c().liveView.pbLiveView->width(), 640);
}

TEST_F(MainWindowTest, BatteryBarShowsItsPercentage) {
    QProgressBar* battery = c().shooting.pbBatteryLevel;
    EXPECT_TRUE(battery->isTextVisible());
    EXPECT_EQ(battery->format(), "%p%");
    battery->setValue(57);
    EXPECT_EQ(battery->text(), "57%");
    EXPECT_EQ(battery->toolTip(), "Battery level");
}

TEST_F(MainWindowTest, ImageGroupAsDesigned) {
    const ImageGroupControls& g = c().images;
    EXPECT_EQ(g.eImgPrefix->text(), "Image_");
    EXPECT_EQ(g.eImgPrefix->maxLength(), 30);
    EXPECT_EQ(g.eImageDir->maxLength(), 200);
    EXPECT_FALSE(g.eImageDir->text().isEmpty());
    EXPECT_EQ(g.lActImg->text(), "00000");
    EXPECT_EQ(g.lLast->text(), "Prefix:");
    EXPECT_EQ(g.udActImg->minimum(), 1);
    for (const QCheckBox* box : {g.chJPG, g.chORW, g.chTIF, g.chMOV}) {
        EXPECT_FALSE(box->isEnabled()) << box->text().toStdString();
    }
    EXPECT_EQ(g.chORW->text(), "ORW");
    EXPECT_EQ(g.bViewJPG->text(), "View");
    EXPECT_TRUE(g.sbPreview->isChecked());
    EXPECT_EQ(g.sbPreview->toolTip(), "Toggle preview window");
    EXPECT_EQ(g.chCloseImage->text(), "Close after 5 sec");
}

TEST_F(MainWindowTest, InfoPageAndTimers) {
    const InfoPageControls& i = c().info;
    EXPECT_EQ(i.bAdjustTime->text(), "Adjust");
    EXPECT_FALSE(i.bAdjustTime->isEnabled());
    EXPECT_EQ(i.bSaveToCam->text(), "Save to camera");
    EXPECT_EQ(i.gbManualLens->title(), "Non CPU lens data");
    EXPECT_TRUE(i.gbTexts->isHidden());
    EXPECT_TRUE(i.bRefresh->isHidden());
    EXPECT_EQ(i.gbInfo->width(), 329);
    EXPECT_EQ(c().timers.tCamSync->interval(), 500);
    EXPECT_EQ(c().timers.Timer->interval(), 100);
    EXPECT_TRUE(c().timers.Timer->isSingleShot());
    EXPECT_EQ(c().timers.tLiveView->interval(), 1);
    EXPECT_FALSE(c().timers.tLiveView->isActive());
    EXPECT_EQ(c().timers.tHTMLQueue->interval(), 1);
}

TEST_F(MainWindowTest, AboutPageTextsAreLoadedReadOnlyAndCentred) {
    const AboutPageControls& a = c().about;
    EXPECT_TRUE(a.reAbout->isReadOnly());
    EXPECT_TRUE(a.reAbout->toPlainText().contains("Vantora"));
    EXPECT_TRUE(a.mChangelog->isReadOnly());
    EXPECT_TRUE(a.mChangelog->toPlainText().contains("0.24b"));
    a.pAbout->resize(900, 260);
    window.aboutPage().pAboutResize();
    EXPECT_EQ(a.reAbout->pos(),
              aboutlayout::textPosition({900, 260, a.pPhoto->x(), a.pPhoto->width(),
                                         a.reAbout->width(), a.reAbout->height()}));
}

TEST_F(MainWindowTest, ReadOnlyTextsPassTheFocusOn) {
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    c().pages.PageControl->setCurrentIndex(3);
    c().about.mChangelog->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), c().pages.tsAbout);
}

class ShownWindowTest : public MainWindowTest {
protected:
    ShownWindowTest() {
        window.show();
        window.FormActivate();
    }
    void showPage(Page page) { c().pages.PageControl->setCurrentIndex(static_cast<int>(page)); }
};

TEST_F(ShownWindowTest, ActivationShowsMainPageWithPreviewWidth) {
    EXPECT_EQ(window.currentPage(), Page::Main);
    EXPECT_EQ(window.minimumWidth(), 941);
    EXPECT_EQ(window.width(), 955);
    EXPECT_EQ(window.layoutRules().previewWidth(), 955);
}

TEST_F(ShownWindowTest, PageWidthsFollowTheRules) {
    showPage(Page::Info);
    EXPECT_EQ(window.minimumWidth(), 650);
    EXPECT_EQ(window.width(), 650);
    window.resize(700, window.height());
    showPage(Page::Status);
    EXPECT_EQ(window.width(), 700);
    showPage(Page::Main);
    EXPECT_EQ(window.width(), 955);
}

TEST_F(ShownWindowTest, NarrowMainPageKeepsItsWidthButNotItsHeight) {
    c().images.sbPreview->click(); // hide the preview
    EXPECT_EQ(window.width(), 277);
    window.resize(600, 640);
    EXPECT_EQ(window.width(), 277);
    EXPECT_EQ(window.height(), 640);
    showPage(Page::About);
    EXPECT_EQ(window.width(), 650);
    window.resize(800, 640);
    EXPECT_EQ(window.width(), 800);
    c().images.sbPreview->click(); // show it again: the remembered width comes back
    showPage(Page::Main);
    EXPECT_EQ(window.width(), 955);
}

TEST_F(ShownWindowTest, ConnectedCameraGroupFollowsHeightAndDoubleClick) {
    window.resize(window.width(), 600);
    window.setCameraConnected(true);
    EXPECT_EQ(c().camera.gbDSLR->height(), 390);
    EXPECT_TRUE(c().camera.pExtraCtrl->isHidden());
    window.gbDSLRDblClick();
    EXPECT_EQ(window.height(), 705);
    EXPECT_EQ(c().camera.gbDSLR->height(), 503);
    EXPECT_FALSE(c().camera.pExtraCtrl->isHidden());
    EXPECT_EQ(c().camera.iCamLogo->y(), c().camera.pLiveView->y() + 34);
    EXPECT_EQ(c().images.gbImage->y(), c().camera.gbDSLR->geometry().bottom() + 1 + 4);
    window.gbDSLRDblClick();
    EXPECT_EQ(window.height(), 592);
    EXPECT_EQ(c().camera.gbDSLR->height(), 390);
    EXPECT_TRUE(c().camera.pExtraCtrl->isHidden());
    window.setCameraConnected(false);
    window.resize(window.width(), 800);
    EXPECT_EQ(c().camera.gbDSLR->height(), 390);
}

} // namespace
