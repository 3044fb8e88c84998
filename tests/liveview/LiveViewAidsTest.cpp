// The live view aids on synthetic frames with known answers: clipped
// shares, zebra and peaking pixels, the spot meter, guide positions, the
// false colour bands, and the decoder's luminance plane.
#include "liveview/LiveViewAids.h"
#include "liveview/Guides.h"
#include "liveview/LiveViewDecoder.h"
#include "liveview/PixelAids.h"
#include "liveview/Scopes.h"

#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <random>
#include <vector>

namespace {

QImage flat(int width, int height, int level) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(level, level, level));
    return image;
}

void fillColumns(QImage& image, int from, int to, int level) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = from; x < to; ++x) {
            image.setPixel(x, y, qRgb(level, level, level));
        }
    }
}

// Grey pixels of random levels: every level and every stripe phase occurs.
QImage noise(int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int level = static_cast<int>(random() % 256);
            image.setPixel(x, y, qRgb(level, level, level));
        }
    }
    return image;
}

int countColour(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixel(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

} // namespace

TEST(AidScopesTest, ATenPercentWhiteBlockClipsTenPercent) {
    QImage frame = flat(640, 424, 110);
    fillColumns(frame, 0, 64, 255);
    fillColumns(frame, 64, 96, 0); // 5 % black
    Histogram histogram;
    CountHistogram(frame, true, histogram);
    const ClippedShares shares = ClippedShare(histogram);
    EXPECT_DOUBLE_EQ(shares.highlights, 0.10);
    EXPECT_DOUBLE_EQ(shares.shadows, 0.05);
    EXPECT_EQ(histogram.red[255] * 10, histogram.colourSamples);

    // The live path counts the same, and the row shows it.
    LiveViewAids aids;
    AidSettings settings;
    settings.histogram = true;
    aids.setSettings(settings);
    const AidReadings readings = aids.apply(frame, frame.size());
    EXPECT_DOUBLE_EQ(readings.clipped.highlights, 0.10);
    EXPECT_EQ(AidReadingsText(readings), QStringLiteral("Clip 5.0% | 10.0%"));
}

TEST(AidScopesTest, WaveformPutsEachHalfAtItsLevel) {
    QImage frame = flat(640, 424, 0);
    fillColumns(frame, 320, 640, 255);
    AidSettings settings;
    settings.waveform = true;
    Waveform waveform;
    AidFramePass pass;
    pass.run(frame, settings, {nullptr, &waveform});
    const int top = Waveform::kWaveLevels - 1;
    for (int column : {0, 63, 64, 127}) {
        const bool right = column >= Waveform::kWaveColumns / 2;
        EXPECT_GT(waveform.count(column, right ? top : 0), 0u) << column;
        EXPECT_EQ(waveform.count(column, right ? 0 : top), 0u) << column;
    }
}

TEST(PixelAidsTest, ZebrasCoverExactlyTheStripedPixelsAtOrBeyondTheLevels) {
    const QImage original = noise(203, 61, 7);
    QImage frame = original;
    AidSettings settings;
    settings.zebras = true;
    settings.zebraLevel = 90;
    settings.shadowLevel = 5;
    AidFramePass pass;
    pass.run(frame, settings, {});
    const int high = LevelOfPercent(90);
    const int low = LevelOfPercent(5);
    for (int y = 0; y < frame.height(); ++y) {
        for (int x = 0; x < frame.width(); ++x) {
            const int level = qRed(original.pixel(x, y));
            QRgb expected = original.pixel(x, y);
            if (level >= high && HighlightStripe(x, y)) {
                expected = aidcolours::kZebraHighlight;
            } else if (level <= low && ShadowStripe(x, y)) {
                expected = aidcolours::kZebraShadow;
            }
            ASSERT_EQ(frame.pixel(x, y), expected) << x << "," << y;
        }
    }
}

TEST(PixelAidsTest, PeakingMarksASharpEdgeAndNotAGradient) {
    AidSettings settings;
    settings.peaking = true;
    settings.peakingColour = PeakingColour::Green;
    AidFramePass pass;

    QImage gradient(640, 100, QImage::Format_RGB32);
    for (int x = 0; x < 640; ++x) {
        for (int y = 0; y < 100; ++y) {
            gradient.setPixel(x, y, qRgb(x * 255 / 639, x * 255 / 639, x * 255 / 639));
        }
    }
    EXPECT_EQ(pass.run(gradient, settings, {}), 0);

    QImage edge = flat(640, 100, 20);
    fillColumns(edge, 320, 640, 230);
    // Columns 319 and 320 straddle the step, on every row but the border
    // ones; the count is of the 24 rows 4, 8 ... 96.
    EXPECT_EQ(pass.run(edge, settings, {}), 2 * 24);
    EXPECT_EQ(edge.pixel(319, 1), 0xFF00FF00);
    EXPECT_EQ(edge.pixel(319, 50), 0xFF00FF00);
    EXPECT_EQ(edge.pixel(320, 50), 0xFF00FF00);
    EXPECT_EQ(edge.pixel(321, 50), qRgb(230, 230, 230));
    EXPECT_EQ(edge.pixel(320, 0), qRgb(230, 230, 230));
}

TEST(PixelAidsTest, FalseColourBandsAndTheirEdges) {
    using namespace falsecolour;
    EXPECT_EQ(FalseColourOf(0), aidcolours::kClippedShadows);
    EXPECT_EQ(FalseColourOf(kShadowsTop), aidcolours::kClippedShadows);
    EXPECT_NE(FalseColourOf(kShadowsTop + 1), aidcolours::kClippedShadows);
    EXPECT_EQ(FalseColourOf(118), aidcolours::kMidGrey); // an 18 % grey card
    EXPECT_EQ(FalseColourOf(kSkinLow), aidcolours::kSkin);
    EXPECT_EQ(FalseColourOf(kSkinHigh + 1), qRgb(125, 125, 125));
    EXPECT_EQ(FalseColourOf(kHighlightsLow), aidcolours::kClippedHighlights);

    // With zebras on top, a highlight stripe wins over its band colour.
    QImage frame = flat(16, 16, 255);
    AidSettings settings;
    settings.falseColour = true;
    settings.zebras = true;
    AidFramePass pass;
    pass.run(frame, settings, {});
    EXPECT_EQ(frame.pixel(4, 0), aidcolours::kZebraHighlight);
    EXPECT_EQ(frame.pixel(0, 0), aidcolours::kClippedHighlights);
}

TEST(SpotMeterTest, FlatGreyReadsHalfAndTheBoxIsClipped) {
    const QImage grey = flat(64, 48, 128);
    const SpotReading centre = SpotMeter(grey, 32, 24);
    EXPECT_EQ(centre.percent, 50);
    EXPECT_EQ(centre.box, (PixelBox{24, 16, 40, 32}));
    const SpotReading corner = SpotMeter(grey, 0, 0);
    EXPECT_EQ(corner.percent, 50);
    EXPECT_EQ(corner.box, (PixelBox{0, 0, 8, 8}));
    EXPECT_EQ(SpotMeter(grey, 200, 200).percent, -1);
    EXPECT_EQ(SpotMeter(flat(20, 20, 255), 10, 10).percent, 100);
}

TEST(GuidesTest, LinesAreSymmetricForOddAndEvenSizes) {
    // The centre of an even side lies between two pixels: both carry it.
    EXPECT_EQ(GuideAt(640, 1, 2).first, 319);
    EXPECT_EQ(GuideAt(640, 1, 2).count, 2);
    EXPECT_EQ(GuideAt(641, 1, 2).first, 320);
    EXPECT_EQ(GuideAt(641, 1, 2).count, 1);
    for (int size : {424, 425, 639, 640, 641}) {
        const GuideSet set = GuideLines(size, kGuideThirds | kGuideGolden);
        ASSERT_EQ(set.count, 4);
        for (int pair : {0, 2}) {
            const GuideLine near = set.lines[static_cast<size_t>(pair)];
            const GuideLine far = set.lines[static_cast<size_t>(pair + 1)];
            EXPECT_EQ(near.count, far.count) << size;
            EXPECT_EQ(near.first, size - far.first - far.count) << size;
        }
    }
    EXPECT_EQ(GuideAt(640, 1, 3).first, 213);
    EXPECT_EQ(GuideAt(639, 1, 3).first, 212);
    EXPECT_EQ(GuideAt(639, 1, 3).count, 2);

    QImage image = flat(9, 6, 0);
    DrawGuides(image, 9, 6, kGuideCross);
    const QRgb lit = 0xFF808080;
    EXPECT_EQ(image.pixel(4, 0), lit);
    EXPECT_EQ(image.pixel(3, 0), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(0, 2), lit);
    EXPECT_EQ(image.pixel(0, 3), lit);
    // Where the lines cross a pixel is lightened twice.
    EXPECT_EQ(countColour(image, lit), 9 * 2 + 6 - 2 * 2);
    EXPECT_EQ(image.pixel(4, 2), 0xFFC0C0C0);
}

TEST(LiveViewDecoderTest, LuminancePlaneMatchesTheDecodedPixels) {
    QImage picture(160, 90, QImage::Format_RGB32);
    for (int y = 0; y < 90; ++y) {
        for (int x = 0; x < 160; ++x) {
            picture.setPixel(x, y, qRgb(x, (x + y) % 256, 255 - y));
        }
    }
    tjhandle compressor = tjInitCompress();
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    ASSERT_EQ(tjCompress2(compressor, picture.constBits(), 160,
                          static_cast<int>(picture.bytesPerLine()), 90, TJPF_BGRX, &jpeg, &size,
                          TJSAMP_420, 90, 0),
              0);
    LiveViewDecoder decoder;
    const bool decoded = decoder.decode({jpeg, size});
    tjFree(jpeg);
    tjDestroy(compressor);
    ASSERT_TRUE(decoded);
    const LumaView luma = decoder.luma();
    ASSERT_TRUE(luma.valid());
    ASSERT_EQ(luma.width, 160);
    ASSERT_EQ(luma.height, 90);
    int worst = 0;
    for (int y = 0; y < 90; ++y) {
        for (int x = 0; x < 160; ++x) {
            const int computed = LumaOf(decoder.bitmap().pixel(x, y));
            worst = std::max(worst, std::abs(computed - luma.row(y)[x]));
        }
    }
    EXPECT_LE(worst, 3) << "the plane is the frame's luminance, row by row";
}
