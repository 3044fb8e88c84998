// The sound meter: which segments light in which colour, where the band
// and the segments go on a frame, and that a frame too small for them is
// never written outside.
#include "liveview/SoundMeter.h"
#include "liveview/LiveViewFields.h"
#include "liveview/LiveViewPainting.h"

#include <QImage>

#include <gtest/gtest.h>

#include <vector>

using namespace soundmeter;

namespace {

LiveViewFields loud(uint8_t levelLeft, uint8_t peakLeft, uint8_t levelRight, uint8_t peakRight) {
    LiveViewFields f;
    f.soundLevelLeft = levelLeft;
    f.soundPeakLeft = peakLeft;
    f.soundLevelRight = levelRight;
    f.soundPeakRight = peakRight;
    return f;
}

} // namespace

TEST(SoundMeterTest, LevelAndPeakLightTheirSegmentsInTheColoursOfTheirHeight) {
    const SoundMeterColumn column = SoundMeterColours(10, 12);
    for (size_t i = 0; i <= 8; ++i) {
        EXPECT_EQ(column[i], kWhite) << i;
    }
    EXPECT_EQ(column[9], kYellow);
    EXPECT_EQ(column[10], kUnlit);
    EXPECT_EQ(column[11], kUnlit);
    EXPECT_EQ(column[12], kYellow);
    EXPECT_EQ(column[13], kUnlit);

    // Silence still shows the peak at the bottom; full level reaches the red top.
    const SoundMeterColumn silent = SoundMeterColours(0, 0);
    EXPECT_EQ(silent[0], kWhite);
    EXPECT_EQ(silent[1], kUnlit);
    const SoundMeterColumn full = SoundMeterColours(14, 13);
    EXPECT_EQ(full[13], kRed);
    EXPECT_EQ(full[12], kYellow);
    // A level beyond the scale lights all of it, a peak beyond it none extra.
    EXPECT_EQ(SoundMeterColours(200, 200), full);
}

TEST(SoundMeterTest, TheBandIsDarkenedAndBothColumnsStandAtTheirRows) {
    QImage frame(640, 424, QImage::Format_RGB32);
    frame.fill(qRgb(0x80, 0x40, 0x10));
    const QRgb dark = qRgb(0x70, 0x38, 0x0E); // each byte * 7 div 8
    DrawSoundMeter(frame, loud(10, 12, 0, 3));
    const int h = 212;
    // Band: rows h-38 to h+47, pixels 13 to 42; the gaps between segments show it.
    EXPECT_EQ(frame.pixel(13, h - 38), dark);
    EXPECT_EQ(frame.pixel(42, h + 47), dark);
    EXPECT_EQ(frame.pixel(28, h), dark);
    EXPECT_EQ(frame.pixel(12, h), qRgb(0x80, 0x40, 0x10));
    EXPECT_EQ(frame.pixel(43, h), qRgb(0x80, 0x40, 0x10));
    EXPECT_EQ(frame.pixel(20, h - 39), qRgb(0x80, 0x40, 0x10));
    EXPECT_EQ(frame.pixel(20, h + 48), qRgb(0x80, 0x40, 0x10));
    // Segment i fills x 15-26 (left) or 29-40 (right), rows y to y+3, y = h+42-6i.
    const auto segmentTop = [h](int i) { return h + 42 - 6 * i; };
    EXPECT_EQ(frame.pixel(15, segmentTop(0)), 0xFFFFFFFF);
    EXPECT_EQ(frame.pixel(26, segmentTop(0) + 3), 0xFFFFFFFF);
    EXPECT_EQ(frame.pixel(27, segmentTop(0)), dark);
    EXPECT_EQ(frame.pixel(20, segmentTop(0) + 4), dark);
    EXPECT_EQ(frame.pixel(20, segmentTop(9)), 0xFFFFFF00);
    EXPECT_EQ(frame.pixel(20, segmentTop(11)), 0xFF666666);
    EXPECT_EQ(frame.pixel(20, segmentTop(12)), 0xFFFFFF00);
    EXPECT_EQ(frame.pixel(20, segmentTop(13)), 0xFF666666);
    // The right column has its own level (0) and peak (3).
    EXPECT_EQ(frame.pixel(29, segmentTop(0)), 0xFF666666);
    EXPECT_EQ(frame.pixel(40, segmentTop(3)), 0xFFFFFFFF);
}

// The frame sits inside a larger buffer whose margin must stay as it was.
TEST(SoundMeterTest, FramesTooSmallForTheMeterAreNotWrittenOutside) {
    constexpr int kMargin = 64;
    constexpr uchar kGuard = 0xA5;
    const QSize sizes[] = {{1, 1}, {12, 5}, {20, 40}, {42, 85}, {43, 86}, {300, 2}, {8, 500}};
    for (const QSize size : sizes) {
        const int stride = (size.width() + 2 * kMargin) * 4;
        std::vector<uchar> buffer(size_t(stride) * size_t(size.height() + 2 * kMargin), kGuard);
        QImage outer(buffer.data(), size.width() + 2 * kMargin, size.height() + 2 * kMargin, stride,
                     QImage::Format_RGB32);
        QImage frame(outer.scanLine(kMargin) + kMargin * 4, size.width(), size.height(), stride,
                     QImage::Format_RGB32);
        frame.fill(qRgb(0x80, 0x80, 0x80));
        DrawSoundMeter(frame, loud(14, 13, 14, 13));
        for (int y = 0; y < outer.height(); ++y) {
            const uchar* line = buffer.data() + size_t(y) * size_t(stride);
            for (int x = 0; x < outer.width(); ++x) {
                const bool inside = y >= kMargin && y < kMargin + size.height() && x >= kMargin &&
                                    x < kMargin + size.width();
                if (!inside) {
                    ASSERT_EQ(line[x * 4], kGuard)
                        << size.width() << "x" << size.height() << " written at " << x << "," << y;
                }
            }
        }
    }
}
