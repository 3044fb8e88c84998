// Where clicks and arrows take the AF point, and what a click on the
// manual-focus strip drives and draws.
#include "liveview/AfPointDrawing.h"
#include "liveview/AfPointPicking.h"
#include "liveview/ManualFocusStrip.h"

#include <QImage>
#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
#include <utility>

namespace {

// A click box, inclusive, and the point it selects.
struct Box {
    int left, right, top, bottom;
    AfCell cell;
};

// The box's corner pixels select its point; the pixels just beyond its
// edges lie in gaps (no two boxes of a layout touch).
void expectBoxes(int layout, std::initializer_list<Box> boxes) {
    for (const Box& b : boxes) {
        for (QPoint inside : {QPoint(b.left, b.top), QPoint(b.right, b.bottom),
                              QPoint(b.left, b.bottom), QPoint(b.right, b.top)}) {
            EXPECT_EQ(AfPointAtPixel(layout, inside), b.cell)
                << layout << " at " << inside.x() << "," << inside.y();
        }
        for (QPoint outside : {QPoint(b.left - 1, b.top), QPoint(b.right + 1, b.bottom),
                               QPoint(b.left, b.top - 1), QPoint(b.right, b.bottom + 1)}) {
            EXPECT_EQ(AfPointAtPixel(layout, outside), std::nullopt)
                << layout << " at " << outside.x() << "," << outside.y();
        }
    }
}

} // namespace

TEST(AfPointAtPixelTest, ClickBoxesOfEachLayout) {
    expectBoxes(11, {{14, 20, 17, 25, {-2, 0}},
                     {28, 34, 5, 13, {-1, 1}},
                     {28, 34, 29, 37, {-1, -1}},
                     {43, 51, 1, 7, {0, 1}},
                     {43, 51, 17, 25, {0, 0}},
                     {43, 51, 34, 40, {0, -1}},
                     {75, 81, 17, 25, {2, 0}}});
    expectBoxes(39, {{4, 9, 7, 12, {-5, 1}},
                     {28, 33, 29, 34, {-2, -1}},
                     {36, 41, 0, 5, {-1, 2}},
                     {44, 49, 36, 41, {0, -2}},
                     {52, 57, 18, 23, {1, 0}},
                     {84, 89, 29, 34, {5, -1}}});
    // Some boxes start a pixel beside their drawn outline, e.g. at 5 for column -5.
    expectBoxes(51, {{5, 9, 10, 14, {-5, 1}},
                     {12, 17, 2, 6, {-4, 2}},
                     {28, 33, 34, 38, {-2, -2}},
                     {36, 42, 0, 6, {-1, 2}},
                     {45, 51, 18, 24, {0, 0}},
                     {54, 60, 27, 33, {1, -1}},
                     {63, 68, 10, 14, {2, 1}},
                     {88, 92, 26, 30, {5, -1}}});
    // Rows the clicked column does not have.
    EXPECT_EQ(AfPointAtPixel(11, {14, 8}), std::nullopt);
    EXPECT_EQ(AfPointAtPixel(39, {60, 2}), std::nullopt);
    EXPECT_EQ(AfPointAtPixel(51, {90, 4}), std::nullopt);
}

// Every point of a layout can be clicked, and nothing is a point elsewhere.
TEST(AfPointAtPixelTest, EveryPointHasABoxAndUnknownLayoutsNone) {
    for (int layout : {11, 39, 51}) {
        std::set<std::pair<int, int>> hit;
        for (int x = -1; x <= 96; ++x) {
            for (int y = -1; y <= 43; ++y) {
                if (const std::optional<AfCell> cell = AfPointAtPixel(layout, {x, y})) {
                    EXPECT_TRUE(IsAfPoint(layout, cell->col, cell->row));
                    hit.insert({cell->col, cell->row});
                }
            }
        }
        EXPECT_EQ(hit.size(), static_cast<std::size_t>(layout));
    }
    EXPECT_EQ(AfPointAtPixel(0, {47, 20}), std::nullopt);
    EXPECT_EQ(AfPointAtPixel(12, {47, 20}), std::nullopt);
}

TEST(StepAfPointTest, ArrowsStayWithinTheLayout) {
    AfCell p{-1, 1};
    p = StepAfPoint(11, p, AfStep::Left);
    EXPECT_EQ(p, (AfCell{-1, 1})) << "no point at (-2, +1)";
    p = StepAfPoint(11, p, AfStep::Down);
    EXPECT_EQ(p, (AfCell{-1, 0}));
    p = StepAfPoint(11, p, AfStep::Left);
    EXPECT_EQ(p, (AfCell{-2, 0}));

    AfCell q{1, 2};
    q = StepAfPoint(39, q, AfStep::Right);
    EXPECT_EQ(q, (AfCell{1, 2})) << "no point at (2, 2)";
    q = StepAfPoint(39, q, AfStep::Down);
    EXPECT_EQ(q, (AfCell{1, 1}));
    q = StepAfPoint(39, q, AfStep::Right);
    EXPECT_EQ(q, (AfCell{2, 1}));
    EXPECT_EQ(StepAfPoint(39, q, AfStep::Up), (AfCell{2, 1}));

    EXPECT_EQ(StepAfPoint(0, AfCell{0, 0}, AfStep::Up), (AfCell{0, 0})) << "no layout";
}

TEST(ManualFocusDriveTest, StepGrowsWithTheDistanceFromTheCentre) {
    EXPECT_EQ(ManualFocusDriveAt(11, 223, Qt::LeftButton), (ManualFocusDrive{2300, 0}));
    EXPECT_EQ(ManualFocusDriveAt(211, 223, Qt::RightButton), (ManualFocusDrive{300, 1}));
    EXPECT_EQ(ManualFocusDriveAt(112, 223, Qt::MiddleButton), (ManualFocusDrive{23, 1}));
    EXPECT_EQ(ManualFocusDriveAt(0, 223, Qt::LeftButton), (ManualFocusDrive{23 * 110, 0}))
        << "pixel 0 counts as pixel 1";
    EXPECT_EQ(ManualFocusDriveAt(111, 223, Qt::LeftButton), std::nullopt);
}

TEST(ManualFocusDriveTest, BarRunsFromTheCentreToTheClick) {
    const QColor grey(0x80, 0x80, 0x80);
    const QColor green(0x00, 0xFF, 0x00);
    const QColor white(0xFF, 0xFF, 0xFF);
    QImage strip(223, 17, QImage::Format_RGB32);
    strip.fill(Qt::red);
    DrawManualFocusStrip(strip);

    DrawManualFocusBar(strip, 11);
    EXPECT_EQ(strip.pixelColor(10, 8), white);
    EXPECT_EQ(strip.pixelColor(11, 1), green);
    EXPECT_EQ(strip.pixelColor(110, 15), green);
    EXPECT_EQ(strip.pixelColor(111, 8), grey) << "the centre column stays";
    EXPECT_EQ(strip.pixelColor(112, 8), white);
    EXPECT_EQ(strip.pixelColor(50, 0), grey) << "the outline stays";
    EXPECT_EQ(strip.pixelColor(50, 16), grey);

    DrawManualFocusBar(strip, 211);
    EXPECT_EQ(strip.pixelColor(11, 8), white) << "the earlier bar is cleared";
    EXPECT_EQ(strip.pixelColor(110, 8), white);
    EXPECT_EQ(strip.pixelColor(112, 1), green);
    EXPECT_EQ(strip.pixelColor(210, 15), green);
    EXPECT_EQ(strip.pixelColor(212, 8), white);
    EXPECT_EQ(strip.pixelColor(222, 8), grey);

    const QImage before = strip;
    DrawManualFocusBar(strip, 111);
    EXPECT_EQ(strip, before);
}
