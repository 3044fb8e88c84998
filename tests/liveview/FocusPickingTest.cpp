// Where clicks and arrows take the AF point, and what a click on the
// manual-focus strip drives and draws.
#include "liveview/AfPointDrawing.h"
#include "liveview/AfPointPicking.h"
#include "liveview/ManualFocusStrip.h"

#include <QImage>
#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

struct Hit {
    QPoint pixel;
    std::optional<AfCell> cell;
};

void expectHits(int layout, std::initializer_list<Hit> hits) {
    for (const Hit& hit : hits) {
        const std::optional<AfCell> got = AfPointAtPixel(layout, hit.pixel);
        EXPECT_EQ(got, hit.cell) << layout << " at " << hit.pixel.x() << "," << hit.pixel.y();
    }
}

constexpr std::nullopt_t kGap = std::nullopt;

} // namespace

// First and last pixel of boxes, and the gaps beside them.
TEST(AfPointAtPixelTest, BoxesOfThe11Layout) {
    expectHits(11, {
                       {{14, 17}, AfCell{-2, 0}},
                       {{20, 25}, AfCell{-2, 0}},
                       {{21, 20}, kGap},
                       {{14, 16}, kGap},
                       {{14, 8}, kGap}, // no row +1 at the edge
                       {{28, 5}, AfCell{-1, 1}},
                       {{34, 13}, AfCell{-1, 1}},
                       {{30, 14}, kGap},
                       {{34, 37}, AfCell{-1, -1}},
                       {{43, 1}, AfCell{0, 1}},
                       {{51, 7}, AfCell{0, 1}},
                       {{47, 8}, kGap},
                       {{47, 33}, kGap},
                       {{51, 40}, AfCell{0, -1}},
                       {{61, 29}, AfCell{1, -1}},
                       {{81, 25}, AfCell{2, 0}},
                       {{82, 20}, kGap},
                   });
}

TEST(AfPointAtPixelTest, BoxesOfThe39And51Layouts) {
    expectHits(39, {
                       {{4, 7}, AfCell{-5, 1}},
                       {{9, 12}, AfCell{-5, 1}},
                       {{4, 6}, kGap},
                       {{10, 10}, kGap},
                       {{4, 34}, AfCell{-5, -1}},
                       {{36, 0}, AfCell{-1, 2}},
                       {{44, 6}, kGap},
                       {{49, 41}, AfCell{0, -2}},
                       {{60, 2}, kGap}, // no row +2 outside the centre columns
                       {{89, 29}, AfCell{5, -1}},
                       {{90, 30}, kGap},
                   });
    expectHits(51, {
                       {{4, 12}, kGap}, // the outline starts here, the box one pixel on
                       {{5, 10}, AfCell{-5, 1}},
                       {{9, 30}, AfCell{-5, -1}},
                       {{7, 4}, kGap},
                       {{12, 2}, AfCell{-4, 2}},
                       {{17, 38}, AfCell{-4, -2}},
                       {{14, 8}, kGap},
                       {{36, 0}, AfCell{-1, 2}},
                       {{42, 41}, AfCell{-1, -2}},
                       {{43, 20}, kGap},
                       {{45, 18}, AfCell{0, 0}},
                       {{92, 26}, AfCell{5, -1}},
                       {{93, 26}, kGap},
                   });
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
    EXPECT_EQ(AfPointAtPixel(0, {47, 20}), kGap);
    EXPECT_EQ(AfPointAtPixel(12, {47, 20}), kGap);
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
