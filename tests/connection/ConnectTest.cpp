// Start against the simulator: the start line, the settings read into the
// controls row by row, and the handlers that connecting runs on purpose.
#include "ConnectionTestSupport.h"

#include "camera/CameraTypes.h"

using namespace orv;
using vsim::SimControl;

namespace {

QStringList itemsOf(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) {
        items << combo->itemText(i);
    }
    return items;
}

} // namespace

class ConnectTest : public ConnectionTest {};

TEST_F(ConnectTest, StartLineNamesCameraAndPort) {
    const int camera = SimControl::attach("Y800");
    SimControl::setText(camera, kCapLensInfo, "");
    listCameras({"Y800"});
    connection->bDSLRConnectClick();

    EXPECT_TRUE(session->connected());
    EXPECT_EQ(session->cameraName(), "Y800");
    EXPECT_TRUE(logHas("CAMERA <b>Y800</b> control started on <b>USB 2.0</b> port."));
    EXPECT_EQ(controls.camera.lCamInfo->text(), "Y800");
    EXPECT_TRUE(errorTexts().empty());
}

TEST_F(ConnectTest, LensJoinsTheNameTrimmed) {
    const int camera = SimControl::attach("Y800");
    SimControl::setText(camera, kCapLensInfo, "  50mm f/1.8 ");
    listCameras({"Y800"});
    connection->bDSLRConnectClick();

    EXPECT_EQ(session->lensText(), "50mm f/1.8");
    EXPECT_TRUE(logHas("CAMERA <b>Y800 + 50mm f/1.8</b> control started on <b>USB 2.0</b> port."));
    EXPECT_EQ(controls.camera.lCamInfo->text(), "Y800, 50mm f/1.8");
}

TEST_F(ConnectTest, WithoutPortTextTheLineEndsAfterStarted) {
    const int camera = SimControl::attach("Y800");
    SimControl::setText(camera, kCapLensInfo, "");
    SimControl::removeCapability(camera, kCapUsbSpeed);
    listCameras({"Y800"});
    connection->bDSLRConnectClick();

    EXPECT_TRUE(logHas("CAMERA <b>Y800</b> control started."));
}

TEST_F(ConnectTest, ConnectedStateOfButtonsPanelsAndWindow) {
    connectTo("Y800");
    const CameraGroupControls& cam = controls.camera;
    EXPECT_FALSE(cam.bDSLRConnect->isEnabled());
    EXPECT_TRUE(cam.bDSLRDisconn->isEnabled());
    EXPECT_TRUE(cam.bLog->isEnabled());
    EXPECT_FALSE(cam.cbDSLR->isEnabled());
    EXPECT_FALSE(cam.pDSLRctrl->isHidden());
    EXPECT_FALSE(cam.pLiveView->isHidden());
    EXPECT_TRUE(cam.lConnecting->isHidden());
    EXPECT_TRUE(cam.lAvailable->isHidden());
    EXPECT_TRUE(controls.liveView.sbLiveView->isEnabled());
    EXPECT_TRUE(controls.movie.sbMovie->isEnabled());
    EXPECT_TRUE(host.windowConnected);
    const std::vector<std::string> expected = {"readIdentity(Y800,1)", "ShowCamPics(0)",
                                               "setCameraConnected(1)", "FormResize"};
    EXPECT_EQ(host.calls, expected);
    EXPECT_EQ(session->cameraOrdinal(), 1);
    EXPECT_EQ(session->serialText(), "SNY800-");
    EXPECT_EQ(session->firmwareText(), "1.1");
}

TEST_F(ConnectTest, StartWhileConnectedOnlyRefreshesTheSelector) {
    connectTo("Y800");
    const size_t lines = messages->lines().size();
    SimControl::clearCallLog();
    controls.camera.cbDSLR->setEnabled(true);
    connection->bDSLRConnectClick();
    EXPECT_FALSE(controls.camera.cbDSLR->isEnabled());
    EXPECT_EQ(messages->lines().size(), lines);
    EXPECT_EQ(SimControl::countCalls(kCmdOpen), 0);
    EXPECT_TRUE(session->connected());
}

TEST_F(ConnectTest, ExposureRowsFollowTheCamera) {
    const int camera = SimControl::attach("Y800");
    SimControl::setEnumIndex(camera, kCapSensitivity, 4);
    SimControl::setEnumIndex(camera, kCapAperture, 9);
    listCameras({"Y800"});
    connection->bDSLRConnectClick();

    const ShootingControls& s = controls.shooting;
    ASSERT_EQ(s.cbISO->count(), 17);
    EXPECT_EQ(s.cbISO->itemText(0), "100");
    EXPECT_EQ(s.cbISO->itemText(16), "6400");
    EXPECT_EQ(s.cbISO->currentIndex(), 4);
    EXPECT_TRUE(s.cbISO->isEnabled());
    ASSERT_EQ(s.cbAperture->count(), 17);
    EXPECT_EQ(s.cbAperture->itemText(0), "f/3.5");
    EXPECT_EQ(s.cbAperture->currentText(), "f/10");
    EXPECT_EQ(s.cbShutter->count(), 20);
    EXPECT_EQ(s.cbShutter->currentIndex(),
              static_cast<int>(SimControl::getEnumIndex(camera, kCapShutterSpeed)));
    EXPECT_EQ(s.cbCompression->currentText(), "Fine");
    EXPECT_EQ(s.cbWBmode->count(), 9);
    EXPECT_EQ(s.cbWBmode->currentText(), "Auto");
    // 2500 K plus 27 steps of 100 K.
    EXPECT_EQ(s.cbColorTemp->currentText(), "5200");
    EXPECT_EQ(itemsOf(controls.focus.cbLVzoom).size(), 5);
    EXPECT_EQ(controls.focus.cbLVzoom->currentIndex(), 0);
}

TEST_F(ConnectTest, ConnectingWritesTheShownModeBeforeReadingItBack) {
    const int camera = SimControl::attach("Y800");
    listCameras({"Y800"});
    {
        const QSignalBlocker blocker(controls.shooting.cbMode);
        controls.shooting.cbMode->setCurrentIndex(1); // "A"
    }
    SimControl::clearCallLog();
    connection->bDSLRConnectClick();

    EXPECT_EQ(SimControl::getEnumIndex(camera, kCapExposureMode), 1u);
    EXPECT_EQ(controls.shooting.cbMode->currentIndex(), 1);
    EXPECT_FALSE(controls.shooting.cbShutter->isEnabled());
    EXPECT_TRUE(controls.shooting.tbExpoCorr->isEnabled());
    EXPECT_EQ(SimControl::countCalls(kCmdSet, kCapExposureMode), 1);
    // The write comes before the last read of the mode.
    int setAt = -1;
    int lastGetAt = -1;
    const std::vector<vsim::CallRecord> calls = SimControl::callLog();
    for (size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].param == kCapExposureMode && calls[i].command == kCmdSet) {
            setAt = static_cast<int>(i);
        }
        if (calls[i].param == kCapExposureMode && calls[i].command == kCmdGet) {
            lastGetAt = static_cast<int>(i);
        }
    }
    EXPECT_LT(setAt, lastGetAt);
}

TEST_F(ConnectTest, ShutterIsEnabledOnlyInSAndM) {
    const std::vector<std::pair<int, bool>> modes = {{0, false}, {1, false}, {2, true}, {3, true}};
    for (const auto& [mode, enabled] : modes) {
        SimControl::reset();
        SimControl::attach("Y800");
        listCameras({"Y800"});
        {
            const QSignalBlocker blocker(controls.shooting.cbMode);
            controls.shooting.cbMode->setCurrentIndex(mode);
        }
        controls.camera.bDSLRConnect->setEnabled(true);
        connection->bDSLRConnectClick();
        EXPECT_EQ(controls.shooting.cbShutter->isEnabled(), enabled) << "mode " << mode;
        EXPECT_EQ(controls.shooting.tbExpoCorr->isEnabled(), mode < 3) << "mode " << mode;
        connection->bDSLRDisconnClick();
    }
}

TEST_F(ConnectTest, FillRunsOnlyTheModeAndImageSizeHandlers) {
    SimControl::attach("Y800");
    listCameras({"Y800"});
    SimControl::clearCallLog();
    connection->bDSLRConnectClick();

    EXPECT_EQ(SimControl::countCalls(kCmdSet, kCapExposureMode), 1);
    EXPECT_EQ(SimControl::countCalls(kCmdSet, kCapImageSize), 1);
    for (uint32_t untouched : {kCapSensitivity, kCapAperture, kCapShutterSpeed, kCapCompression,
                               kCapWbMode, kCapWbColorTemp, kCapCcdDataMode, kCapFlashMode,
                               kCapAfMode, kCapFocusAreaMode, kCapRawBitMode, kCapLiveViewZoom}) {
        EXPECT_EQ(SimControl::countCalls(kCmdSet, untouched), 0) << std::hex << untouched;
    }
    EXPECT_EQ(controls.shooting.cbImageSize->toolTip(), "Image size setting\r\n4288x2848");
}

TEST_F(ConnectTest, CompensationScaleWritesBackOnlyAChangedPosition) {
    int camera = SimControl::attach("Y800");
    listCameras({"Y800"});
    SimControl::clearCallLog();
    connection->bDSLRConnectClick();
    EXPECT_EQ(controls.shooting.tbExpoCorr->value(), 15);
    EXPECT_EQ(SimControl::countCalls(kCmdSet, kCapExposureComp), 0);
    connection->bDSLRDisconnClick();

    orv::RangeRecord range = SimControl::getRange(camera, kCapExposureComp);
    range.valueIndex = 21;
    SimControl::setRange(camera, kCapExposureComp, range);
    SimControl::clearCallLog();
    connection->bDSLRConnectClick();
    EXPECT_EQ(controls.shooting.tbExpoCorr->value(), 21);
    EXPECT_EQ(SimControl::countCalls(kCmdSet, kCapExposureComp), 1);
    EXPECT_EQ(SimControl::getRange(camera, kCapExposureComp).valueIndex, 21u);
}

TEST_F(ConnectTest, ImageAreaListFollowsTheCameraType) {
    struct Case {
        const char* model;
        QStringList items;
        int selection;
        bool enabled;
    };
    const std::vector<Case> cases = {
        {"Y3", {"FF", "APS", "5:4"}, 1, true},         // 0x20
        {"Y300", {"FF", "APS"}, 1, true},              // 0x24
        {"Y4", {"FF", "APS", "5:4", "1.2x"}, 1, true}, // 0x32
        {"Y300S", {"APS"}, 0, false},                  // 0x21: no list of its own
        {"Y800", {"APS"}, 0, false},                   // 0x2A
    };
    for (const Case& c : cases) {
        SimControl::reset();
        SimControl::attach(c.model);
        listCameras({c.model});
        connection->bDSLRConnectClick();
        ASSERT_TRUE(session->connected()) << c.model;
        EXPECT_EQ(itemsOf(controls.shooting.cbCCDmode), c.items) << c.model;
        EXPECT_EQ(controls.shooting.cbCCDmode->currentIndex(), c.selection) << c.model;
        EXPECT_EQ(controls.shooting.cbCCDmode->isEnabled(), c.enabled) << c.model;
        connection->bDSLRDisconnClick();
    }
}

TEST_F(ConnectTest, BatteryAbove100ShowsFull) {
    const int camera = SimControl::attach("Y800");
    SimControl::setInteger(camera, kCapBatteryLevel, 120);
    listCameras({"Y800"});
    connection->bDSLRConnectClick();
    EXPECT_EQ(controls.shooting.pbBatteryLevel->value(), 100);
    EXPECT_EQ(controls.shooting.pbBatteryLevel->toolTip(), "Battery level 100%");
}

TEST_F(ConnectTest, BatteryLevelAndHint) {
    connectTo("Y800");
    EXPECT_EQ(controls.shooting.pbBatteryLevel->value(), 87);
    EXPECT_EQ(controls.shooting.pbBatteryLevel->toolTip(), "Battery level 87%");
}

TEST_F(ConnectTest, AfModeRules) {
    const QStringList full = {"AF-S", "AF-C", "MF"};
    const QStringList automatic = {"AF-S", "AF-C"};
    struct Case {
        uint32_t value;
        QStringList items;
        int selection;
        bool enabled;
    };
    // The last case follows one that removed "MF": it comes back.
    const std::vector<Case> cases = {
        {1, automatic, 1, true}, {0, automatic, 0, true}, {2, full, 2, false}, {4, full, 2, false}};
    for (const Case& c : cases) {
        SimControl::reset();
        const int camera = SimControl::attach("Y800");
        SimControl::setUnsigned(camera, kCapAfMode, c.value);
        listCameras({"Y800"});
        connection->bDSLRConnectClick();
        EXPECT_EQ(itemsOf(controls.focus.cbAFmode), c.items) << c.value;
        EXPECT_EQ(controls.focus.cbAFmode->currentIndex(), c.selection) << c.value;
        EXPECT_EQ(controls.focus.cbAFmode->isEnabled(), c.enabled) << c.value;
        EXPECT_EQ(controls.focus.bAF->isEnabled(), c.enabled) << c.value;
        connection->bDSLRDisconnClick();
    }
}

TEST_F(ConnectTest, MovieControlsFollowReadability) {
    int camera = SimControl::attach("Y800");
    SimControl::setUnsigned(camera, kCapMovieScreenSize, 3);
    SimControl::setUnsigned(camera, kCapMovieMicrophone, 5);
    listCameras({"Y800"});
    connection->bDSLRConnectClick();
    const MovieControls& m = controls.movie;
    EXPECT_TRUE(m.cbMovieSize->isEnabled());
    EXPECT_EQ(m.cbMovieSize->currentIndex(), 3);
    EXPECT_TRUE(m.cbMovieQuality->isEnabled());
    EXPECT_TRUE(m.ieMicLevel->isEnabled());
    EXPECT_FALSE(m.lMovieTime->isHidden());
    EXPECT_EQ(m.cbMicLevelType->currentIndex(), 2); // 5 is the second set's "Manual"
    EXPECT_TRUE(m.cbMicLevelType->isEnabled());
    EXPECT_TRUE(m.udMicLevel->isEnabled());
    connection->bDSLRDisconnClick();

    SimControl::reset();
    camera = SimControl::attach("Y3"); // no movie, no live view
    listCameras({"Y3"});
    connection->bDSLRConnectClick();
    ASSERT_TRUE(session->connected());
    EXPECT_FALSE(m.cbMovieSize->isEnabled());
    EXPECT_FALSE(m.cbMovieQuality->isEnabled());
    EXPECT_FALSE(m.ieMicLevel->isEnabled());
    EXPECT_TRUE(m.lMovieTime->isHidden());
    EXPECT_FALSE(m.cbMicLevelType->isEnabled());
    EXPECT_FALSE(m.udMicLevel->isEnabled());
    EXPECT_FALSE(m.sbMovie->isEnabled());
    EXPECT_FALSE(controls.liveView.sbLiveView->isEnabled());
}

TEST_F(ConnectTest, FlashListAndItsEnabledState) {
    int camera = SimControl::attach("Y800");
    SimControl::setEnumIndex(camera, kCapFlashMode, 2);
    listCameras({"Y800"});
    connection->bDSLRConnectClick();
    const QStringList flash = {"Normal",       "Rear-sync",
                               "Slow-sync",    "Red eye reduction",
                               "Red eye slow", "Rear curtain slow."};
    EXPECT_EQ(itemsOf(controls.shooting.cbFlashMode), flash);
    EXPECT_EQ(controls.shooting.cbFlashMode->currentIndex(), 2);
    EXPECT_TRUE(controls.shooting.cbFlashMode->isEnabled());
    connection->bDSLRDisconnClick();

    SimControl::setUnsigned(camera, kCapInternalFlashStatus, 2);
    connection->bDSLRConnectClick();
    EXPECT_FALSE(controls.shooting.cbFlashMode->isEnabled());
}

TEST_F(ConnectTest, CardSlotControlsNeedSettableCapabilities) {
    const int camera = SimControl::attach("Y7000"); // one card slot
    SimControl::setUnsigned(camera, kCapSaveMedia, 1);
    listCameras({"Y7000"});
    connection->bDSLRConnectClick();
    const ShootingControls& s = controls.shooting;
    EXPECT_FALSE(s.cbSlot2Mode->isEnabled());
    EXPECT_EQ(s.cbSlot2Mode->currentIndex(), 2); // left as it was
    EXPECT_FALSE(s.cbPrimarySlot->isEnabled());
    EXPECT_TRUE(s.cbSaveMedia->isEnabled());
    EXPECT_EQ(s.cbSaveMedia->currentIndex(), 1);
    EXPECT_EQ(s.cbRawCompress->currentIndex(), 2);
    EXPECT_EQ(s.cbJPEGCompress->currentIndex(), 1);
    EXPECT_EQ(s.cbColorSpace->currentIndex(), 0);
}

TEST_F(ConnectTest, AfPointIsReadWrittenBackAndDrawn) {
    const int camera = SimControl::attach("Y800"); // 51 points
    SimControl::setEnumIndex(camera, kCapFocusPreferredArea, 13);
    listCameras({"Y800"});
    SimControl::clearCallLog();
    connection->bDSLRConnectClick();

    EXPECT_EQ(focusPoint->AfCol(), -1);
    EXPECT_EQ(focusPoint->AfRow(), 2);
    EXPECT_EQ(SimControl::countCalls(kCmdSet, kCapFocusPreferredArea), 1);
    EXPECT_EQ(SimControl::getEnumIndex(camera, kCapFocusPreferredArea), 13u);
    const QImage& picture = controls.focus.iFocus->canvas();
    // (-1, +2) is column 4, row 0: box from (36, 0); the centre point is silver.
    EXPECT_EQ(picture.pixelColor(36, 0), QColor(0, 0, 0));
    EXPECT_EQ(picture.pixelColor(45, 18), QColor(0xC0, 0xC0, 0xC0));
}

TEST_F(ConnectTest, ManualFocusStripIsDrawnEmpty) {
    connectTo("Y800");
    const QImage& strip = controls.focus.iContrastAF->canvas();
    const QColor grey(0x80, 0x80, 0x80);
    EXPECT_EQ(strip.pixelColor(0, 0), grey);
    EXPECT_EQ(strip.pixelColor(111, 8), grey);
    EXPECT_EQ(strip.pixelColor(222, 16), grey);
    EXPECT_EQ(strip.pixelColor(60, 8), QColor(Qt::white));
}

TEST_F(ConnectTest, LogAllEventsListsTheModuleBeforeTheStartLine) {
    SimControl::attach("Y800");
    listCameras({"Y800"});
    controls.camera.chLogAllDSLR->setChecked(true);
    connection->bDSLRConnectClick();
    const std::vector<std::string> texts = logTexts();
    const auto start = std::find_if(texts.begin(), texts.end(), [](const std::string& t) {
        return t.rfind("CAMERA <b>Y800", 0) == 0;
    });
    ASSERT_NE(start, texts.end());
    EXPECT_GT(start - texts.begin(), 2);
}

TEST_F(ConnectTest, SecondCameraOfAModelOpensTheSecondSource) {
    const int first = SimControl::attach("Y800");
    const int second = SimControl::attach("Y800");
    listCameras({"Y800", "Y800"}, 1);
    connection->bDSLRConnectClick();

    ASSERT_TRUE(session->connected());
    EXPECT_EQ(session->cameraOrdinal(), 2);
    EXPECT_EQ(host.calls.front(), "readIdentity(Y800,2)");
    ASSERT_NE(link->CurrentSource(), nullptr);
    EXPECT_EQ(link->CurrentSource()->id(), SimControl::sourceId(second));
    EXPECT_NE(link->CurrentSource()->id(), SimControl::sourceId(first));
}

TEST_F(ConnectTest, OrdinalCountsOnlyEntriesOfTheSameName) {
    SimControl::attach("Y4");
    SimControl::attach("Y800");
    listCameras({"Y4", "Y800", "Y4"}, 1);
    connection->bDSLRConnectClick();
    EXPECT_EQ(session->cameraOrdinal(), 1);
    EXPECT_TRUE(session->connected());
}

TEST_F(ConnectTest, LogButtonShowsTheLogPageAndTheCapabilityList) {
    connectTo("Y800");
    const size_t before = messages->lines().size();
    host.calls.clear();
    connection->bLogClick();
    EXPECT_EQ(host.calls, std::vector<std::string>{"showLogPage"});
    EXPECT_GT(messages->lines().size(), before + 20);
}

TEST_F(ConnectTest, SelectorChangeShowsPicturesAndSerialHint) {
    listCameras({"Y4", "Y800"}, 0);
    controls.camera.cbDSLR->setCurrentIndex(1);
    EXPECT_EQ(host.calls, std::vector<std::string>{"LoadCamPics(Y800)"})
        << "the identity the pictures read is not read again";
    EXPECT_EQ(controls.camera.cbDSLR->toolTip(), "Y800 (Serial: SNY800-)");
    EXPECT_EQ(session->serialText(), "SNY800-");
}
