// The live view header conversion and the JPEG walk: header sizes by camera
// type, the bytes a short header keeps or clears, and that no frame,
// however damaged, makes the walk read beyond what was delivered.
#include "camera/LiveViewFrame.h"
#include "camera/CameraTypeFacts.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

namespace {

std::vector<uint8_t> bigEndianHeader(size_t size) {
    std::vector<uint8_t> h(size, 0);
    auto put16 = [&](size_t at, uint16_t v) {
        h[at] = uint8_t(v >> 8);
        h[at + 1] = uint8_t(v);
    };
    put16(0, 640);
    put16(2, 424);
    put16(4, 6000);
    put16(22, 0x1234);
    put16(38, 1799);
    h[30] = 1;
    h[40] = 2;
    h[62] = 3;
    if (size >= 384) {
        h[56] = 0x00;
        h[57] = 0x01;
        h[58] = 0x02;
        h[59] = 0x03;
        put16(64, 300);
        put16(342, 0xABCD);
        h[344] = 9;
        h[347] = 4;
    }
    return h;
}

// A buffer of exactly `bytes` on the heap, so that the sanitizer sees any
// read past its end.
std::unique_ptr<uint8_t[]> exact(const std::vector<uint8_t>& bytes) {
    auto copy = std::make_unique<uint8_t[]>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), copy.get());
    return copy;
}

size_t walk(const std::vector<uint8_t>& bytes) {
    const auto copy = exact(bytes);
    return JpegImageLength({copy.get(), bytes.size()});
}

} // namespace

TEST(LiveViewHeader, SizeFollowsTheCameraType) {
    EXPECT_EQ(LiveViewHeaderSize(0x2B), 128u);
    for (uint32_t type : {0x2Fu, 0x30u, 0x31u, 0x32u}) {
        EXPECT_EQ(LiveViewHeaderSize(type), 384u) << type;
    }
    for (uint32_t type : {0x2Au, 0x2Eu, 0x33u, 0u}) {
        EXPECT_EQ(LiveViewHeaderSize(type), 64u) << type;
    }
}

TEST(LiveViewHeader, FullHeaderConvertsEveryBigEndianField) {
    LiveViewHeader header;
    ConvertLiveViewHeader(bigEndianHeader(384), header);
    EXPECT_EQ(header.u16(0), 640);
    EXPECT_EQ(header.u16(2), 424);
    EXPECT_EQ(header.u16(4), 6000);
    EXPECT_EQ(header.u16(22), 0x1234);
    EXPECT_EQ(header.u16(38), 1799);
    EXPECT_EQ(header.u8(30), 1);
    EXPECT_EQ(header.u8(40), 2);
    EXPECT_EQ(header.u32(56), 0x00010203u);
    EXPECT_EQ(header.u8(62), 3);
    EXPECT_EQ(header.u16(64), 300);
    EXPECT_EQ(header.u16(342), 0xABCD);
    EXPECT_EQ(header.u8(344), 9); // sound bytes as received
    EXPECT_EQ(header.u8(347), 4);
}

TEST(LiveViewHeader, ShorterHeadersClearWhatTheyDoNotCarry) {
    LiveViewHeader header;
    ConvertLiveViewHeader(bigEndianHeader(384), header);
    // A 64-byte header keeps bytes 64-127 of the earlier, larger one.
    ConvertLiveViewHeader(bigEndianHeader(64), header);
    EXPECT_EQ(header.u16(0), 640);
    EXPECT_EQ(header.u8(62), 0) << "no face count without a face table";
    EXPECT_EQ(header.u16(64), 300) << "kept from the earlier header";
    EXPECT_EQ(header.u8(344), 0);
    EXPECT_EQ(header.u16(342), 0);
    // A 128-byte header brings bytes 64-127 as received.
    ConvertLiveViewHeader(bigEndianHeader(128), header);
    EXPECT_EQ(header.u16(64), 0);
    EXPECT_EQ(header.u32(56), 0u) << "not converted, as received";
}

TEST(JpegWalk, TrimsAtTheEndOfImageAfterTheSegments) {
    // SOI, an APP segment holding FF D9 that must not end the image, SOS,
    // entropy data, EOI, then padding the camera sent along.
    const std::vector<uint8_t> jpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x04, 0xFF, 0xD9, 0xFF, 0xDA,
                                       0x00, 0x02, 0x11, 0x22, 0xFF, 0xD9, 0x00, 0x00, 0x00};
    EXPECT_EQ(walk(jpeg), 16u);
    // Without an end-of-image marker the frame is returned whole.
    const std::vector<uint8_t> cut(jpeg.begin(), jpeg.begin() + 14);
    EXPECT_EQ(walk(cut), cut.size());
}

TEST(JpegWalk, StopsAtTheLimitWhateverTheLengthsSay) {
    // A segment length running far past the end.
    EXPECT_EQ(walk({0xFF, 0xD8, 0xFF, 0xE1, 0xFF, 0xF0, 0xFF, 0xD9}), 8u);
    // A marker with no room for its length, and frames too short to hold one.
    EXPECT_EQ(walk({0xFF, 0xD8, 0xFF, 0xDB, 0x00}), 5u);
    EXPECT_EQ(walk({0xFF}), 1u);
    EXPECT_EQ(JpegImageLength({}), 0u);
}

// Random frames and headers: the walk's answer lies within what it was
// given and ends at a marker when shorter; the conversion takes any size.
TEST(JpegWalk, RandomFramesNeverReadBeyondTheirLength) {
    std::mt19937 random(1234);
    LiveViewHeader header;
    for (int round = 0; round < 3000; ++round) {
        const size_t size = random() % 300;
        std::vector<uint8_t> bytes(size);
        for (uint8_t& b : bytes) {
            // Plenty of FF so that markers and EOIs are common.
            b = random() % 4 == 0 ? 0xFF : static_cast<uint8_t>(random());
        }
        const size_t length = walk(bytes);
        ASSERT_LE(length, size);
        if (length < size) {
            ASSERT_GE(length, 2u);
            EXPECT_EQ(bytes[length - 2], 0xFF);
            EXPECT_EQ(bytes[length - 1], 0xD9);
        }
        const auto copy = exact(bytes);
        ConvertLiveViewHeader({copy.get(), size}, header);
    }
}
