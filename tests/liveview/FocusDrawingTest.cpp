// Pure pieces of the focus controls: AF point boxes and their drawing, the
// manual-focus strip and the point numbers.
#include "liveview/AfPointDrawing.h"
#include "liveview/FocusPointDisplay.h"
#include "liveview/ManualFocusStrip.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

const QColor kBlack(0, 0, 0);
const QColor kSilver(0xC0, 0xC0, 0xC0);
const QColor kWhite(0xFF, 0xFF, 0xFF);
const QColor kRed(0xFF, 0, 0);

QImage focusPicture(const QColor& fill = kRed) {
    QImage image(96, 43, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

} // namespace

TEST(AfPointLayoutTest, PointsOfEachLayout) {
    EXPECT_TRUE(IsAfPoint(11, -1, 1));
    EXPECT_FALSE(IsAfPoint(11, -2, 1));
    EXPECT_TRUE(IsAfPoint(11, 2, 0));
    EXPECT_FALSE(IsAfPoint(11, 3, 0));
    EXPECT_TRUE(IsAfPoint(39, 1, 2));
    EXPECT_FALSE(IsAfPoint(39, 2, 2));
    EXPECT_TRUE(IsAfPoint(39, -5, -1));
    EXPECT_TRUE(IsAfPoint(51, -4, 2));
    EXPECT_FALSE(IsAfPoint(51, -5, 2));
    EXPECT_FALSE(IsAfPoint(51, 0, 3));
    EXPECT_FALSE(IsAfPoint(0, 0, 0));
    EXPECT_FALSE(IsAfPoint(12, 0, 0));
}

TEST(AfPointLayoutTest, BoxesOfThe11Layout) {
    EXPECT_EQ(AfPointRect(11, 0, 1), QRect(43, 1, 9, 7));
    EXPECT_EQ(AfPointRect(11, 0, 0), QRect(43, 17, 9, 9));
    EXPECT_EQ(AfPointRect(11, 0, -1), QRect(43, 34, 9, 7));
    EXPECT_EQ(AfPointRect(11, -2, 0), QRect(14, 17, 7, 9));
    EXPECT_EQ(AfPointRect(11, -1, 1), QRect(28, 5, 7, 9));
    EXPECT_EQ(AfPointRect(11, 1, -1), QRect(61, 29, 7, 9));
    EXPECT_EQ(AfPointRect(11, 2, 0), QRect(75, 17, 7, 9));
    EXPECT_TRUE(AfPointRect(11, 2, 1).isNull());
}

TEST(AfPointLayoutTest, BoxesOfThe39And51Layouts) {
    EXPECT_EQ(AfPointRect(39, 0, 2), QRect(44, 0, 6, 6));
    EXPECT_EQ(AfPointRect(39, 1, -2), QRect(52, 36, 6, 6));
    EXPECT_EQ(AfPointRect(39, -5, 1), QRect(4, 7, 6, 6));
    EXPECT_EQ(AfPointRect(39, 5, -1), QRect(84, 29, 6, 6));
    EXPECT_EQ(AfPointRect(51, -5, 1), QRect(4, 10, 6, 5));
    EXPECT_EQ(AfPointRect(51, 0, 0), QRect(45, 18, 7, 6));
    EXPECT_EQ(AfPointRect(51, -1, 2), QRect(36, 0, 7, 6));
    EXPECT_EQ(AfPointRect(51, 4, -2), QRect(79, 34, 6, 5));
    EXPECT_EQ(AfPointRect(51, 5, -1), QRect(87, 26, 6, 5));
}

TEST(AfPointDrawingTest, ChosenPointBlackOthersSilverFilledWhite) {
    QImage image = focusPicture();
    DrawAfPoints(image, 11, -1, 1);
    // Chosen box (28, 5, 7, 9): outline on its first and last pixel rows and columns.
    EXPECT_EQ(image.pixelColor(28, 5), kBlack);
    EXPECT_EQ(image.pixelColor(34, 13), kBlack);
    EXPECT_EQ(image.pixelColor(31, 9), kWhite);
    EXPECT_EQ(image.pixelColor(35, 14), kWhite); // just outside: right and bottom exclusive
    // Centre box (43, 17, 9, 9) silver.
    EXPECT_EQ(image.pixelColor(43, 17), kSilver);
    EXPECT_EQ(image.pixelColor(51, 25), kSilver);
    // Between boxes the picture is cleared white.
    EXPECT_EQ(image.pixelColor(0, 0), kWhite);
}

TEST(AfPointDrawingTest, EveryPointOfALayoutIsDrawn) {
    for (int layout : {11, 39, 51}) {
        QImage image = focusPicture();
        DrawAfPoints(image, layout, 0, 0);
        int points = 0;
        for (int col = -5; col <= 5; ++col) {
            for (int row = -2; row <= 2; ++row) {
                if (!IsAfPoint(layout, col, row)) {
                    continue;
                }
                ++points;
                const QRect box = AfPointRect(layout, col, row);
                const QColor pen = col == 0 && row == 0 ? kBlack : kSilver;
                EXPECT_EQ(image.pixelColor(box.topLeft()), pen)
                    << layout << " " << col << "," << row;
                EXPECT_EQ(image.pixelColor(box.bottomRight()), pen)
                    << layout << " " << col << "," << row;
            }
        }
        EXPECT_EQ(points, layout);
    }
}

TEST(AfPointDrawingTest, UnknownLayoutDrawsNothing) {
    QImage image = focusPicture();
    DrawAfPoints(image, 0, 0, 0);
    EXPECT_EQ(image, focusPicture());
}

TEST(ManualFocusStripTest, TwoGreyBoxesSharingTheCentreColumn) {
    QImage strip(223, 17, QImage::Format_RGB32);
    strip.fill(kRed);
    DrawManualFocusStrip(strip);
    const QColor grey(0x80, 0x80, 0x80);
    EXPECT_EQ(strip.pixelColor(0, 0), grey);
    EXPECT_EQ(strip.pixelColor(0, 16), grey);
    EXPECT_EQ(strip.pixelColor(111, 8), grey);
    EXPECT_EQ(strip.pixelColor(110, 8), kWhite);
    EXPECT_EQ(strip.pixelColor(112, 8), kWhite);
    EXPECT_EQ(strip.pixelColor(222, 0), grey);
    EXPECT_EQ(strip.pixelColor(222, 16), grey);
    EXPECT_EQ(strip.pixelColor(160, 16), grey);
    EXPECT_EQ(strip.pixelColor(50, 8), kWhite);
}

TEST(AfPointNumberTest, TableNumbersByPosition) {
    EXPECT_EQ(AfPointNumber(51, 0, 0), 1);
    EXPECT_EQ(AfPointNumber(51, -1, 2), 13);
    EXPECT_EQ(AfPointNumber(51, -5, -1), 51);
    EXPECT_EQ(AfPointNumber(51, 5, 1), 33);
    EXPECT_EQ(AfPointNumber(39, 5, 1), 27);
    EXPECT_EQ(AfPointNumber(39, -1, 2), 15);
    EXPECT_EQ(AfPointNumber(11, -2, 0), 7);
    EXPECT_EQ(AfPointNumber(11, 1, -1), 10);
    EXPECT_EQ(AfPointNumber(11, -2, 1), 0);
    EXPECT_EQ(AfPointNumber(0, 0, 0), 0);
}
