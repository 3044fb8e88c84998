// The focus controls drive the camera: the AF point picture and arrows, the
// manual-focus strip and the AF and live view lists.
#include "ConnectedWindow.h"
#include "liveview/FocusHandlers.h"
#include "liveview/FocusPointDisplay.h"
#include "widgets/PaintBox.h"

#include <QTest>

#include <vector>

using vsim::SimControl;

namespace {

// Positions in the call log of the set requests for `capId`.
std::vector<std::size_t> setsOf(uint32_t capId) {
    std::vector<std::size_t> at;
    const std::vector<vsim::CallRecord> log = SimControl::callLog();
    for (std::size_t i = 0; i < log.size(); ++i) {
        if (log[i].command == orv::kCmdSet && log[i].param == capId) {
            at.push_back(i);
        }
    }
    return at;
}

} // namespace

class FocusControlsTest : public ConnectedWindowTest {
protected:
    static void choose(QComboBox* combo, int index) { combo->setCurrentIndex(index); }
    void clickStrip(int x, Qt::MouseButton button) {
        QTest::mouseClick(c().focus.iContrastAF, button, {}, QPoint(x, 8));
    }
    AfCell chosenPoint() {
        return {m_window->focusPoint().AfCol(), m_window->focusPoint().AfRow()};
    }
};

TEST_F(FocusControlsTest, StripDrivesTheStepBeforeTheDirection) {
    connectTo("Y800");
    ASSERT_EQ(c().focus.iContrastAF->width(), 223);
    const struct {
        int x;
        Qt::MouseButton button;
        double step;
        uint32_t direction;
    } clicks[] = {{11, Qt::LeftButton, 2300.0, 0}, {211, Qt::RightButton, 300.0, 1}};
    for (const auto& click : clicks) {
        SimControl::clearCallLog();
        clickStrip(click.x, click.button);
        EXPECT_EQ(SimControl::getRange(m_camera, orv::kCapMfDriveStep).value, click.step);
        EXPECT_EQ(SimControl::getUnsigned(m_camera, orv::kCapMfDrive), click.direction);
        const std::vector<std::size_t> steps = setsOf(orv::kCapMfDriveStep);
        const std::vector<std::size_t> drives = setsOf(orv::kCapMfDrive);
        ASSERT_EQ(steps.size(), 1u);
        ASSERT_EQ(drives.size(), 1u);
        EXPECT_LT(steps[0], drives[0]) << "at " << click.x;
    }
    SimControl::clearCallLog();
    clickStrip(111, Qt::LeftButton);
    EXPECT_EQ(SimControl::countCalls(orv::kCmdSet), 0) << "the centre drives nothing";
}

TEST_F(FocusControlsTest, AClickChoosesTheBoxItHitsAndAGapNothing) {
    connectTo("Y800"); // 51 points
    PaintBox* picture = c().focus.iFocus;
    QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(5, 10));
    EXPECT_EQ(chosenPoint(), (AfCell{-5, 1}));
    EXPECT_EQ(SimControl::getEnumIndex(m_camera, orv::kCapFocusPreferredArea), 50u);

    poll();
    SimControl::clearCallLog();
    QTest::mouseClick(picture, Qt::RightButton, {}, QPoint(43, 20)); // between -1 and 0
    EXPECT_EQ(chosenPoint(), (AfCell{-5, 1}));
    EXPECT_EQ(SimControl::callLog().size(), 0u) << "not even a read";
}

TEST_F(FocusControlsTest, LockedManualFocusIsWrittenAsFour) {
    connectTo("Y800");
    QComboBox* afMode = c().focus.cbAFmode;
    c().shooting.sbLock->click();
    ASSERT_EQ(afMode->count(), 3);
    choose(afMode, 2);
    EXPECT_EQ(SimControl::getUnsigned(m_camera, orv::kCapAfMode), 4u);

    // Unlocked, with the camera focusing by hand, "MF" is the camera's 2.
    c().shooting.sbLock->click();
    ASSERT_TRUE(SimControl::setUnsigned(m_camera, orv::kCapAfMode, 2));
    raise(orv::kEvCapListChanged, orv::kCapAfMode);
    ASSERT_EQ(afMode->currentIndex(), 2);
    choose(afMode, 1);
    EXPECT_EQ(SimControl::getUnsigned(m_camera, orv::kCapAfMode), 1u);
    choose(afMode, 2);
    EXPECT_EQ(SimControl::getUnsigned(m_camera, orv::kCapAfMode), 2u);
}

TEST_F(FocusControlsTest, ListsWriteTheirIndex) {
    connectTo("Y800");
    choose(c().focus.cbFocusAreaMode, 2);
    EXPECT_EQ(SimControl::getEnumIndex(m_camera, orv::kCapFocusAreaMode), 2u);

    QComboBox* zoom = c().focus.cbLVzoom;
    ASSERT_EQ(zoom->count(), 5);
    SimControl::clearCallLog();
    choose(zoom, 2);
    EXPECT_EQ(SimControl::getEnumIndex(m_camera, orv::kCapLiveViewZoom), 2u);
    m_window->focusHandlers().stepZoom(10);
    EXPECT_EQ(zoom->currentIndex(), 4) << "kept within the list";
    EXPECT_EQ(SimControl::getEnumIndex(m_camera, orv::kCapLiveViewZoom), 4u);
    m_window->focusHandlers().selectZoom(4);
    EXPECT_EQ(writes(orv::kCapLiveViewZoom), 3) << "a known zoom is written even when shown";

    SimControl::clearCallLog();
    choose(c().focus.cbLVAF, 2); // "Normal area"
    if (SimControl::hasCapability(m_camera, orv::kCapLiveViewAfArea)) {
        EXPECT_EQ(SimControl::getUnsigned(m_camera, orv::kCapLiveViewAfArea), 2u);
    } else {
        // A camera without the capability is not asked to set it.
        EXPECT_EQ(writes(orv::kCapLiveViewAfArea), 0);
    }
}

// An arrow moves off the centre and a double click brings the point back,
// in each layout.
class FocusLayoutTest : public FocusControlsTest,
                        public ::testing::WithParamInterface<std::pair<const char*, uint32_t>> {};

TEST_P(FocusLayoutTest, ArrowMovesAndDoubleClickReturnsToTheCentre) {
    connectTo(GetParam().first);
    ASSERT_EQ(m_window->session().afPointCount(), GetParam().second);
    c().focus.bAFRight->click();
    EXPECT_EQ(chosenPoint(), (AfCell{1, 0}));
    EXPECT_EQ(SimControl::getEnumIndex(m_camera, orv::kCapFocusPreferredArea),
              static_cast<uint32_t>(AfPointNumber(GetParam().second, 1, 0)));
    poll();
    // Pixel (0, 0) lies in no box: only the double click chooses.
    QTest::mouseDClick(c().focus.iFocus, Qt::LeftButton, {}, QPoint(0, 0));
    EXPECT_EQ(chosenPoint(), (AfCell{0, 0}));
    EXPECT_EQ(SimControl::getEnumIndex(m_camera, orv::kCapFocusPreferredArea), 1u);
}

INSTANTIATE_TEST_SUITE_P(Layouts, FocusLayoutTest,
                         ::testing::Values(std::pair{"Y90", 11u}, std::pair{"Y7000", 39u},
                                           std::pair{"Y800", 51u}));
