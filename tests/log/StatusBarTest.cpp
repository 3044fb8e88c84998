// The status bar's two states, panel texts, widths, hint and error badge.
#include "log/StatusBar.h"

#include <QFontMetrics>
#include <QImage>
#include <gtest/gtest.h>

namespace {

TEST(StatusBarState, StartsEmptyAtInitialWidths) {
    StatusBar bar;
    EXPECT_FALSE(bar.errorShown());
    EXPECT_EQ(bar.panelText(0), "");
    EXPECT_EQ(bar.panelText(1), "");
    EXPECT_EQ(bar.panelWidth(0), 50);
    EXPECT_EQ(bar.panelWidth(1), 50);
}

TEST(StatusBarState, ReadySetsPanelsAndSizesPanelZeroWithAnM) {
    StatusBar bar;
    bar.slogR();
    EXPECT_EQ(bar.panelText(0), " Ready. ");
    EXPECT_EQ(bar.panelText(1), "  ");
    EXPECT_EQ(bar.hint(), "");
    EXPECT_FALSE(bar.font().bold());
    EXPECT_EQ(bar.panelWidth(0), QFontMetrics(bar.font()).horizontalAdvance(" Ready. m"));
    EXPECT_GT(bar.panelWidth(0), QFontMetrics(bar.font()).horizontalAdvance(" Ready. "));
}

TEST(StatusBarState, BracketSegmentsLeaveThePanelButStayInTheHint) {
    StatusBar bar;
    bar.slog("Image [3 of 5] saved", 1);
    EXPECT_EQ(bar.panelText(1), " Image  saved ");
    EXPECT_EQ(bar.hint(), "Image [3 of 5] saved");
}

TEST(StatusBarState, ErrorDropsBracketsFromHintToo) {
    StatusBar bar;
    bar.erslog("CAMERA: failed [detail]");
    EXPECT_EQ(bar.panelText(1), " CAMERA: failed ");
    EXPECT_EQ(bar.hint(), "CAMERA: failed ");
}

TEST(StatusBarState, PanelZeroDoesNotTouchHint) {
    StatusBar bar;
    bar.slog("message", 1);
    bar.slog("Busy [x]", 0);
    EXPECT_EQ(bar.panelText(0), " Busy  ");
    EXPECT_EQ(bar.hint(), "message");
}

TEST(StatusBarState, ErrorBadgeStaysThroughErrorsAndLeavesWithNextMessage) {
    StatusBar bar;
    bar.slogR();
    bar.erslog("first");
    EXPECT_TRUE(bar.errorShown());
    EXPECT_TRUE(bar.font().bold());
    EXPECT_EQ(bar.panelWidth(0), 54);
    EXPECT_EQ(bar.panelText(1), " first");

    bar.erslog("second");
    EXPECT_TRUE(bar.errorShown());
    EXPECT_TRUE(bar.font().bold());
    EXPECT_EQ(bar.panelText(1), " second");

    bar.slogR();
    bar.slog("fine", 1);
    EXPECT_FALSE(bar.errorShown());
    EXPECT_FALSE(bar.font().bold());
    EXPECT_EQ(bar.panelText(0), " Ready. ");
    EXPECT_EQ(bar.panelText(1), " fine ");
}

TEST(StatusBarState, InvalidPanelIsIgnored) {
    StatusBar bar;
    bar.erslog("e");
    bar.slog("x", 2);
    bar.slog("x", -1);
    EXPECT_TRUE(bar.errorShown());
    EXPECT_EQ(bar.panelText(2), "");
}

bool hasPixel(const QImage& image, const QRect& area, const QColor& colour) {
    for (int y = area.top(); y <= area.bottom() && y < image.height(); ++y) {
        for (int x = area.left(); x <= area.right() && x < image.width(); ++x) {
            if (image.pixelColor(x, y) == colour) {
                return true;
            }
        }
    }
    return false;
}

TEST(StatusBarBadge, PaintsRedBadgeWithYellowTextInPanelZero) {
    StatusBar bar;
    bar.resize(400, 24);
    bar.erslog("failure");
    const QImage image = bar.grab().toImage();
    EXPECT_EQ(image.pixelColor(1, 1), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(53, 20), QColor(255, 0, 0));
    EXPECT_TRUE(hasPixel(image, QRect(8, 3, 46, 18), QColor(255, 255, 0)));
    EXPECT_FALSE(hasPixel(image, QRect(0, 0, 8, 3), QColor(255, 255, 0)));
    EXPECT_FALSE(hasPixel(image, QRect(56, 0, 340, 24), QColor(255, 0, 0)));
}

TEST(StatusBarBadge, NoBadgeWhenReady) {
    StatusBar bar;
    bar.resize(400, 24);
    bar.erslog("failure");
    bar.slogR();
    const QImage image = bar.grab().toImage();
    EXPECT_FALSE(hasPixel(image, image.rect(), QColor(255, 0, 0)));
}

} // namespace
