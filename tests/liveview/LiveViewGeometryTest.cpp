// Where the live view's overlays go and what a click stands for, from the
// header alone; the frame-rate and remaining-time rules; and the painted
// result of the AF frame, faces and navigator.
#include "liveview/LiveViewGeometry.h"
#include "camera/LiveViewFrame.h"
#include "liveview/LiveViewClock.h"
#include "liveview/LiveViewFields.h"
#include "liveview/LiveViewPainting.h"

#include <QFont>
#include <QImage>
#include <gtest/gtest.h>

#include <cmath>

namespace {

// A 640x424 frame of the whole 6000x3976 sensor; AF area 600x400 in the middle.
LiveViewFields wholeSensorFrame() {
    LiveViewFields f;
    f.jpegWidth = 640;
    f.jpegHeight = 424;
    f.wholeWidth = 6000;
    f.wholeHeight = 3976;
    f.shown = {6000, 3976, 3000, 1988};
    f.afArea = {600, 400, 3000, 1988};
    return f;
}

} // namespace

TEST(LiveViewGeometry, AfFrameOnTheLiveImage) {
    LiveViewFields f = wholeSensorFrame();
    OverlayFrames frames = LiveImageFrames(f);
    ASSERT_TRUE(frames.valid);
    EXPECT_FALSE(frames.faces);
    ASSERT_EQ(frames.count, 1);
    // k = 640/6000: 300 units are 32 pixels, 200 are 21.33.
    EXPECT_EQ(frames.boxes[0], (PixelBox{288, 191, 352, 233}));

    // Halves round to even: k = 0.5, an area 5 wide one unit right of centre.
    f.shown = {1280, 848, 3000, 1988};
    f.afArea = {5, 5, 3001, 1989};
    frames = LiveImageFrames(f);
    // (1 - 2) * 0.5 = -0.5 -> 0; (1 + 2) * 0.5 = 1.5 -> 2.
    EXPECT_EQ(frames.boxes[0], (PixelBox{320, 212, 322, 214}));

    // The horizontal offset stays 320 for a wider JPEG; the vertical one
    // follows the JPEG's height.
    f = wholeSensorFrame();
    f.jpegWidth = 1920;
    f.jpegHeight = 1080;
    EXPECT_EQ(LiveImageFrames(f).boxes[0], (PixelBox{224, 476, 416, 604}));
}

TEST(LiveViewGeometry, FacesReplaceTheAfFrameInImageAndNavigator) {
    LiveViewFields f = wholeSensorFrame();
    f.inFocus = true;
    f.faceCount = 3;
    f.faces[0] = {300, 300, 1500, 1000};
    f.faces[1] = {300, 300, 3000, 2000};
    f.faces[2] = {600, 600, 4500, 3000};
    const OverlayFrames frames = LiveImageFrames(f);
    EXPECT_TRUE(frames.faces);
    ASSERT_EQ(frames.count, 3);
    EXPECT_EQ(frames.boxes[2], (PixelBox{448, 288, 512, 352}));
    const NavigatorGeometry nav = Navigator(f, 120);
    ASSERT_TRUE(nav.valid);
    EXPECT_TRUE(nav.frames.faces);
    EXPECT_EQ(nav.frames.count, 3);
    EXPECT_EQ(nav.frames.boxes[0], (PixelBox{27, 17, 33, 23}));
}

TEST(LiveViewGeometry, NavigatorShowsTheShownArea) {
    LiveViewFields f = wholeSensorFrame();
    // Zoomed: a quarter of the width around (1500, 1000).
    f.shown = {1500, 994, 1500, 1000};
    const NavigatorGeometry nav = Navigator(f, 120);
    ASSERT_TRUE(nav.valid);
    EXPECT_EQ(nav.height, 79); // 120 * 3976 div 6000
    // n = 0.02: centre (30, 20), halves 15 and R(9.94) = 10.
    EXPECT_EQ(nav.shown, (PixelBox{15, 10, 45, 30}));
    EXPECT_EQ(nav.frames.boxes[0], (PixelBox{54, 36, 66, 44}));
}

TEST(LiveViewGeometry, ClicksBecomeSensorPoints) {
    LiveViewFields f = wholeSensorFrame();
    f.shown = {1500, 994, 1500, 1000};
    // k' = 1500/640; the image's corner is the shown area's corner.
    EXPECT_EQ(LiveImageClickPoint(f, 0, 0), (SensorPoint{750, 503}));
    EXPECT_EQ(LiveImageClickPoint(f, 320, 212), (SensorPoint{1500, 1000}));
    // k'' = 6000/120.
    EXPECT_EQ(NavigatorClickPoint(f, 120, 60, 40), (SensorPoint{3000, 2000}));
}

TEST(LiveViewGeometry, ZeroWidthsGiveNoOverlayNoNavigatorAndNoClick) {
    LiveViewFields f = wholeSensorFrame();
    f.shown.width = 0;
    EXPECT_FALSE(LiveImageFrames(f).valid);
    EXPECT_FALSE(LiveImageClickPoint(f, 10, 10));
    f = wholeSensorFrame();
    f.wholeWidth = 0;
    EXPECT_FALSE(Navigator(f, 120).valid);
    EXPECT_FALSE(NavigatorClickPoint(f, 120, 10, 10));
    f = wholeSensorFrame();
    f.jpegWidth = 0; // no frame yet
    EXPECT_FALSE(LiveImageClickPoint(f, 10, 10));
    EXPECT_FALSE(LiveImageClickPoint(LiveViewFields{}, 0, 0));
}

// A one-unit shown area under a 65535-pixel-wide JPEG puts an AF area at the
// sensor's far corner billions of pixels away: it stays far off, no overflow.
TEST(LiveViewGeometry, FramesFarOffThePictureStayFarOff) {
    LiveViewFields f = wholeSensorFrame();
    f.jpegWidth = 65535;
    f.shown = {1, 1, 0, 0};
    f.afArea = {65535, 65535, 65535, 65535};
    const OverlayFrames frames = LiveImageFrames(f);
    ASSERT_TRUE(frames.valid);
    const int farOff = kFarOffPixels;
    EXPECT_EQ(frames.boxes[0], (PixelBox{farOff + 320, farOff + 212, farOff + 320, farOff + 212}));
    EXPECT_EQ(RoundHalfEven(-1e12), -farOff);
    EXPECT_EQ(RoundHalfEven(std::nan("")), 0);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
}

TEST(LiveViewFields, FaceCountAboveTheTableIsCut) {
    LiveViewHeader header;
    header.bytes[62] = 200;
    header.bytes[40] = 2;
    const LiveViewFields f = ReadLiveViewFields(header);
    EXPECT_EQ(f.faceCount, LiveViewFields::kMaxFaces);
    EXPECT_TRUE(f.inFocus);
    header.bytes[40] = 1;
    EXPECT_FALSE(ReadLiveViewFields(header).inFocus);
}

TEST(LiveViewClock, FrameRateIsCountedFromTheHalfSecondTicks) {
    FrameRateCounter rate;
    rate.frame(0);
    for (int i = 0; i < 14; ++i) {
        rate.frame(1); // still second 0
    }
    EXPECT_EQ(rate.FpsShown(), 0);
    rate.frame(2); // the first frame of second 1 shows the count, starts at 0
    EXPECT_EQ(rate.FpsShown(), 15);
    rate.frame(3);
    rate.frame(4);
    EXPECT_EQ(rate.FpsShown(), 1);
}

TEST(LiveViewClock, RemainingTimeIsTheCamerasOnceItHasChangedThreeTimes) {
    RemainingTime remaining;
    EXPECT_EQ(remaining.seconds(0, 5), 5); // a field that never moves
    EXPECT_EQ(remaining.seconds(0, 6), 6);
    EXPECT_EQ(remaining.seconds(1800, 7), 7);
    EXPECT_EQ(remaining.seconds(1799, 8), 8);
    EXPECT_EQ(remaining.seconds(1798, 9), 1798);
    EXPECT_EQ(remaining.seconds(1798, 10), 1798);
    EXPECT_EQ(LiveViewTimeText(3723), "1:02:03");
    EXPECT_EQ(MovieTimeText(83999), "01:23");
}

TEST(LiveViewPainting, AfFrameColourFacesAndNavigator) {
    const FaceLabels labels(QFont(QStringLiteral("Tahoma"), 8));
    QImage image(640, 424, QImage::Format_RGB32);
    image.fill(Qt::black);
    LiveViewFields f = wholeSensorFrame();
    DrawLiveImageFrames(image, LiveImageFrames(f), labels);
    EXPECT_EQ(image.pixel(288, 191), lvcolours::kAfFrame);
    EXPECT_EQ(image.pixel(351, 232), lvcolours::kAfFrame); // right and bottom exclusive
    EXPECT_EQ(image.pixel(352, 233), 0xFF000000u);
    f.inFocus = true;
    DrawLiveImageFrames(image, LiveImageFrames(f), labels);
    EXPECT_EQ(image.pixel(288, 200), lvcolours::kInFocus);

    image.fill(Qt::black);
    f.faceCount = 1;
    f.faces[0] = {600, 600, -100, 200}; // partly off the image: clipped
    DrawLiveImageFrames(image, LiveImageFrames(f), labels);
    EXPECT_EQ(image.pixel(0, 0), 0xFF000000u);
    f.faces[0] = {600, 600, 3000, 2000};
    DrawLiveImageFrames(image, LiveImageFrames(f), labels);
    EXPECT_EQ(image.pixel(288, 181), lvcolours::kFace);
    EXPECT_EQ(image.pixel(291, 182), lvcolours::kFace) << "the number's yellow ground";

    QImage nav(120, 100, QImage::Format_RGB32);
    nav.fill(Qt::white);
    DrawNavigator(nav, Navigator(wholeSensorFrame(), 120));
    EXPECT_EQ(nav.pixel(0, 0), lvcolours::kOutline);
    EXPECT_EQ(nav.pixel(2, 2), lvcolours::kNavigatorShown);
    EXPECT_EQ(nav.pixel(1, 80), 0xFFFFFFFFu) << "below the navigator's height";
}
