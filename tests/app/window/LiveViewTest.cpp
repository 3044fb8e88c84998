// Live view in the window against the simulated camera: the button's start
// and stop steps, frames with their AF frame, faces and navigator, a click
// that moves the camera's AF area, contrast AF, the pause while the live
// image is hidden, damaged frames counted, and the wheel over the image.
#include "LiveViewWindow.h"
#include "camera/Clock.h"
#include "liveview/LiveViewGeometry.h"
#include "liveview/LiveViewPainting.h"
#include "widgets/ImageView.h"
#include "widgets/PaintBox.h"

#include <QTest>
#include <QWheelEvent>

using namespace orv;

namespace {

class LiveViewTest : public LiveViewWindowTest {
protected:
    QRgb imagePixel(int x, int y) { return c().liveView.pbLiveView->canvas().pixel(x, y); }
    PixelBox afFrame() { return LiveImageFrames(loop().fields()).boxes[0]; }
};

} // namespace

TEST_F(LiveViewTest, TheButtonStartsAndStopsLiveView) {
    startLiveView("Y800");
    EXPECT_EQ(vsim::SimControl::getUnsigned(m_camera, kCapLiveViewStatus), 1u);
    EXPECT_TRUE(vsim::SimControl::getBoolean(m_camera, kCapLockCamera));
    EXPECT_FALSE(c().liveView.pbLiveView->isHidden());
    EXPECT_TRUE(c().liveView.Image->isHidden());
    EXPECT_FALSE(c().liveView.pLiveviewCtrl->isHidden());
    EXPECT_FALSE(c().shooting.sbLock->isEnabled());
    EXPECT_TRUE(c().timers.tLiveView->isActive());

    frames(3);
    EXPECT_EQ(loop().shownFrames(), 3);
    EXPECT_TRUE(c().liveView.lImageInfo->text().startsWith(QStringLiteral("640x424 ")));
    // While recording the time shows "-".
    c().movie.sbRecord->setChecked(true);
    frames(1);
    EXPECT_EQ(c().liveView.lLVtime->text(), QStringLiteral("-"));
    c().movie.sbRecord->setChecked(false);

    c().liveView.sbLiveView->click();
    EXPECT_EQ(vsim::SimControl::getUnsigned(m_camera, kCapLiveViewStatus), 0u);
    EXPECT_FALSE(vsim::SimControl::getBoolean(m_camera, kCapLockCamera));
    EXPECT_TRUE(c().liveView.pbLiveView->isHidden());
    EXPECT_FALSE(c().liveView.Image->isHidden());
    EXPECT_TRUE(c().liveView.lImageInfo->text().isEmpty());
    EXPECT_FALSE(c().timers.tLiveView->isActive());
    EXPECT_TRUE(c().shooting.sbLock->isEnabled());
}

TEST_F(LiveViewTest, AClickMovesTheCamerasAfAreaAndContrastAfTurnsItGreen) {
    startLiveView("Y800");
    frames(2);
    const PixelBox before = afFrame();
    EXPECT_EQ(imagePixel(before.left, before.top), lvcolours::kAfFrame);
    const auto target = LiveImageClickPoint(loop().fields(), 500, 120);
    ASSERT_TRUE(target);
    QTest::mouseClick(c().liveView.pbLiveView, Qt::LeftButton, {}, QPoint(500, 120));
    frames(1);
    EXPECT_EQ(loop().fields().afArea.centreX, target->x);
    EXPECT_EQ(loop().fields().afArea.centreY, target->y);
    const PixelBox moved = afFrame();
    EXPECT_NE(moved, before);
    EXPECT_EQ(imagePixel(moved.left, moved.top), lvcolours::kAfFrame);

    // Contrast AF: the AF button waits while the lens drives, the frame
    // turns green once the camera reports focus.
    c().focus.bAF->click();
    frames(1);
    EXPECT_TRUE(loop().fields().focusDriving);
    EXPECT_FALSE(c().focus.bAF->isEnabled());
    for (int i = 0; i < 30 && !loop().fields().inFocus; ++i) {
        frames(1);
    }
    ASSERT_TRUE(loop().fields().inFocus);
    EXPECT_TRUE(c().focus.bAF->isEnabled());
    EXPECT_EQ(imagePixel(moved.left, moved.top), lvcolours::kInFocus);
}

TEST_F(LiveViewTest, FacesAreFramedInTheImageAndTheNavigator) {
    startLiveView("Y7100"); // a 384-byte header with the face table
    ASSERT_TRUE(vsim::SimControl::setLiveViewFaces(m_camera, 3));
    // As wide as a widened preview group leaves it.
    c().liveView.pbLV->resize(120, c().liveView.pbLV->height());
    frames(2);
    ASSERT_EQ(loop().fields().faceCount, 3);
    const OverlayFrames faces = LiveImageFrames(loop().fields());
    ASSERT_TRUE(faces.faces);
    for (int i = 0; i < 3; ++i) {
        const PixelBox& box = faces.boxes[static_cast<size_t>(i)];
        EXPECT_EQ(imagePixel(box.right - 1, box.bottom - 1), lvcolours::kFace) << i;
    }
    PaintBox* nav = c().liveView.pbLV;
    const NavigatorGeometry geometry = Navigator(loop().fields(), nav->width());
    ASSERT_TRUE(geometry.valid);
    EXPECT_EQ(nav->height(), geometry.height);
    const PixelBox& first = geometry.frames.boxes[0];
    EXPECT_EQ(nav->canvas().pixel(first.left, first.top), lvcolours::kFace);
    // A click on the navigator points the camera at that part of the sensor.
    QTest::mouseClick(nav, Qt::LeftButton, {}, QPoint(nav->width() / 4, geometry.height / 4));
    frames(1);
    const auto expected =
        NavigatorClickPoint(loop().fields(), nav->width(), nav->width() / 4, geometry.height / 4);
    EXPECT_EQ(vsim::SimControl::countCalls(kCmdSet, kCapContrastArea), 1);
    EXPECT_NEAR(loop().fields().afArea.centreX, expected->x, 1);
}

TEST_F(LiveViewTest, HiddenImagePausesTheLoopAndDamagedFramesAreCounted) {
    startLiveView("Y800");
    frames(1);
    c().liveView.pbLiveView->hide();
    frames(1);
    EXPECT_FALSE(c().timers.tLiveView->isActive());
    EXPECT_EQ(loop().shownFrames(), 1);
    c().liveView.pbLiveView->show();
    c().timers.tLiveView->start();

    ASSERT_TRUE(vsim::SimControl::setLiveViewFault(m_camera, vsim::LiveViewFault::CorruptJpeg, 2));
    frames(3);
    EXPECT_EQ(loop().droppedFrames(), 2);
    EXPECT_EQ(loop().shownFrames(), 2);
    EXPECT_EQ(c().liveView.lImageInfo->toolTip(), QStringLiteral("Frames dropped: 2"));
    EXPECT_TRUE(c().timers.tLiveView->isActive());
}

TEST_F(LiveViewTest, TheCameraEndingLiveViewReleasesTheButton) {
    startLiveView("Y800");
    frames(1);
    ASSERT_TRUE(vsim::SimControl::endLiveView(m_camera));
    poll();
    EXPECT_FALSE(c().liveView.sbLiveView->isChecked());
    EXPECT_TRUE(c().liveView.pbLiveView->isHidden());
    EXPECT_FALSE(c().timers.tLiveView->isActive());
}

TEST_F(LiveViewTest, TheWheelOverTheLiveImageStepsTheZoom) {
    startLiveView("Y800");
    QComboBox* zoom = c().focus.cbLVzoom;
    ASSERT_GT(zoom->count(), 1);
    zoom->setCurrentIndex(0);
    vsim::SimControl::clearCallLog();
    QWheelEvent wheel(QPointF(100, 100), QPointF(), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(c().liveView.pbLiveView, &wheel);
    EXPECT_EQ(zoom->currentIndex(), 1);
    EXPECT_EQ(vsim::SimControl::getEnumIndex(m_camera, kCapLiveViewZoom), 1u);
}

// The module completes each frame request during the idle call: the loop
// must not pay the wait's idle sleep for it, or frames would be capped.
TEST_F(LiveViewTest, FramesCostNoIdleSleep) {
    class CountingClock : public Clock {
    public:
        TimePoint now() const override { return SystemClock().now(); }
        void sleepFor(std::chrono::milliseconds) override { ++sleeps; }
        std::chrono::milliseconds timeOfDay() const override { return SystemClock().timeOfDay(); }
        int sleeps = 0;
    };
    startLiveView("Y800");
    CountingClock clock;
    m_window->cameraLink().setClock(clock);
    frames(20);
    m_window->cameraLink().setClock(SystemClock());
    EXPECT_EQ(loop().shownFrames(), 20);
    EXPECT_EQ(clock.sleeps, 0);
}
