// Decoding for the still preview: the scale chosen and the failures reported.
#include "images/JpegPicture.h"

#include <turbojpeg.h>

#include <gtest/gtest.h>

#include <vector>

using jpeg::Scale;

namespace {

// A grey JPEG of the given size, made with the same library.
std::vector<uint8_t> makeJpeg(int width, int height) {
    std::vector<uint8_t> pixels(static_cast<std::size_t>(width) * height * 3, 128);
    tjhandle handle = tjInitCompress();
    unsigned char* out = nullptr;
    unsigned long size = 0;
    tjCompress2(handle, pixels.data(), width, 0, height, TJPF_RGB, &out, &size, TJSAMP_420, 80, 0);
    std::vector<uint8_t> data(out, out + size);
    tjFree(out);
    tjDestroy(handle);
    return data;
}

} // namespace

TEST(JpegPicture, FullSizeCameraPictureIsDecodedAtTheSmallestCoveringScale) {
    EXPECT_EQ(jpeg::coveringScale({6000, 4000}, {640, 426}), (Scale{1, 8}));
    EXPECT_EQ(jpeg::coveringScale({6000, 4000}, {1280, 853}), (Scale{1, 4}));
    EXPECT_EQ(jpeg::coveringScale({6000, 4000}, {3000, 2000}), (Scale{1, 2}));
    // Never enlarged, and no area means the full size.
    EXPECT_EQ(jpeg::coveringScale({320, 240}, {640, 480}), (Scale{1, 1}));
    EXPECT_EQ(jpeg::coveringScale({6000, 4000}, {0, 0}), (Scale{1, 1}));
}

TEST(JpegPicture, DecodeReportsTheFullSizeAndFailsWithAReason) {
    const std::vector<uint8_t> data = makeJpeg(320, 240);
    jpeg::JpegDecoder decoder;
    const jpeg::Picture picture = decoder.decode(data.data(), data.size(), {40, 30});
    ASSERT_TRUE(picture.ok()) << picture.error;
    EXPECT_EQ(picture.fullSize, QSize(320, 240));
    EXPECT_EQ(picture.image.size(), QSize(40, 30));

    std::vector<uint8_t> cut(data.begin(), data.begin() + 20);
    EXPECT_FALSE(decoder.decode(cut.data(), cut.size(), {40, 30}).ok());
    const jpeg::Picture missing = decoder.decodeFile("/nonexistent/Image_00001.jpg", {40, 30});
    EXPECT_FALSE(missing.ok());
    EXPECT_FALSE(missing.error.empty());
}
