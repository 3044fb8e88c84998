// The live view aids in the window against the simulated camera: peaking
// tells the scene in focus from out of focus, the magnifier zooms to 100 %
// and back, a still gets its histogram, and the aids are kept with the
// settings.
#include "LiveViewWindow.h"
#include "app/window/AidSettingsMapping.h"
#include "liveview/AidsPanel.h"
#include "widgets/ImageView.h"
#include "widgets/PaintBox.h"

#include <QTest>

using namespace orv;

namespace {

class AidsRowTest : public LiveViewWindowTest {};

} // namespace

TEST_F(AidsRowTest, PeakingMarksFarMoreOfTheSceneInFocusThanOutOfFocus) {
    startLiveView("Y800");
    c().aids.sbPeaking->click();
    frames(2);
    ASSERT_FALSE(loop().fields().inFocus);
    const int blurred = loop().aidReadings().peakingPixels;

    c().focus.bAF->click();
    for (int i = 0; i < 30 && !loop().fields().inFocus; ++i) {
        frames(1);
    }
    ASSERT_TRUE(loop().fields().inFocus);
    frames(1);
    const int sharp = loop().aidReadings().peakingPixels;
    EXPECT_GT(sharp, 5 * std::max(blurred, 1)) << blurred << " blurred, " << sharp << " sharp";
    EXPECT_GT(sharp, 640 * 424 / 50);
}

TEST_F(AidsRowTest, TheMagnifierZoomsToFullSizeAtTheClickAndBack) {
    startLiveView("Y800");
    QComboBox* zoom = c().focus.cbLVzoom;
    const int full = zoom->findText(QStringLiteral("100"), Qt::MatchStartsWith);
    ASSERT_GT(full, 0);
    zoom->setCurrentIndex(1);
    frames(1);
    vsim::SimControl::clearCallLog();
    QTest::mouseClick(c().liveView.pbLiveView, Qt::LeftButton, Qt::ControlModifier,
                      QPoint(500, 120));
    EXPECT_TRUE(c().aids.sbMagnify->isChecked());
    EXPECT_EQ(writes(kCapContrastArea), 1);
    EXPECT_EQ(vsim::SimControl::getEnumIndex(m_camera, kCapLiveViewZoom), uint32_t(full));
    frames(1);

    c().aids.sbMagnify->click();
    EXPECT_FALSE(c().aids.sbMagnify->isChecked());
    EXPECT_EQ(zoom->currentIndex(), 1);
    EXPECT_EQ(vsim::SimControl::getEnumIndex(m_camera, kCapLiveViewZoom), 1u);

    // Leaving live view leaves the magnifier off and unusable.
    c().aids.sbMagnify->click();
    c().liveView.sbLiveView->click();
    EXPECT_FALSE(c().aids.sbMagnify->isChecked());
    EXPECT_FALSE(c().aids.sbMagnify->isEnabled());
}

TEST_F(AidsRowTest, AStillShownGetsItsHistogramAndTheAidsAreKept) {
    m_window = makeWindow();
    start(*m_window);
    c().aids.sbHistogram->click();
    QImage still(200, 100, QImage::Format_RGB32);
    still.fill(qRgb(90, 90, 90));
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 20; ++x) {
            still.setPixel(x, y, qRgb(255, 255, 255));
        }
    }
    c().liveView.Image->setImage(still);
    EXPECT_FALSE(c().liveView.Image->overlay().isNull());
    EXPECT_EQ(c().aids.lAidReadings->text(), QStringLiteral("Clip 0.0% | 10.0%"));

    AidSettings chosen = m_window->aidsPanel().settings();
    chosen.peaking = true;
    chosen.peakingColour = PeakingColour::White;
    chosen.guides = kGuideThirds | kGuideDiagonals;
    chosen.zebraLevel = 95;
    m_window->aidsPanel().applySettings(chosen);
    m_window->close();
    m_window = makeWindow();
    start(*m_window);
    EXPECT_EQ(m_window->aidsPanel().settings(), chosen);
    EXPECT_TRUE(c().aids.sbHistogram->isChecked());

    // A level no menu offers falls back to the default.
    chosen.zebraLevel = 97;
    m_window->aidsPanel().applySettings(aidsFromSaved(savedFromAids(chosen)));
    EXPECT_EQ(m_window->aidsPanel().settings().zebraLevel, AidSettings().zebraLevel);
}
