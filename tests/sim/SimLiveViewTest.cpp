// Live view of the simulated camera, fetched through the entry point as the
// program fetches it: the array record of 0x8247 sizes a frame, the contents
// get copies it. Header, picture, zoom, focus, faces and frame faults.
#include "SimTestSupport.h"

#include <turbojpeg.h>

#include <algorithm>
#include <cstdlib>
#include <string>

using namespace simtest;
using vsim::Fault;
using vsim::LiveViewFault;
using vsim::SimControl;

namespace {

constexpr uint32_t kZoomFull = 0;
constexpr uint32_t kZoom100Percent = 3; // index of value 5 in {0, 1, 3, 5, 6}

uint16_t be16(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint16_t>(b[at] << 8 | b[at + 1]);
}

uint32_t be32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t{be16(b, at)} << 16 | be16(b, at + 2);
}

struct Frame {
    int32_t recordResult = 0;
    int32_t contentsResult = 0;
    uint32_t elementCount = 0;
    std::vector<uint8_t> bytes;
    size_t headerSize = 0;

    std::vector<uint8_t> header() const {
        return {bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(headerSize)};
    }
    std::vector<uint8_t> jpeg() const {
        return {bytes.begin() + static_cast<std::ptrdiff_t>(headerSize), bytes.end()};
    }
};

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
};

// Decodes like the program's live view decoder; false when TurboJPEG refuses.
bool decode(const std::vector<uint8_t>& jpeg, Picture& out) {
    tjhandle handle = tjInitDecompress();
    int subsampling = 0;
    int colourspace = 0;
    const auto size = static_cast<unsigned long>(jpeg.size());
    bool ok = tjDecompressHeader3(handle, jpeg.data(), size, &out.width, &out.height, &subsampling,
                                  &colourspace) == 0;
    if (ok) {
        out.rgb.resize(static_cast<size_t>(out.width) * out.height * 3);
        ok = tjDecompress2(handle, jpeg.data(), size, out.rgb.data(), out.width, 0, out.height,
                           TJPF_RGB, 0) == 0;
    }
    tjDestroy(handle);
    return ok;
}

// Mean absolute difference of neighbouring green samples: high when sharp.
double sharpness(const Picture& p) {
    double sum = 0;
    for (int y = 0; y + 1 < p.height; ++y) {
        for (int x = 0; x + 1 < p.width; ++x) {
            const size_t at = (static_cast<size_t>(y) * p.width + x) * 3 + 1;
            sum += std::abs(p.rgb[at] - p.rgb[at + 3]) +
                   std::abs(p.rgb[at] - p.rgb[at + static_cast<size_t>(p.width) * 3]);
        }
    }
    return sum / (static_cast<double>(p.width) * p.height);
}

// The program's walk over a JPEG: marker segments up to the start of scan,
// then the entropy-coded data up to the end-of-image marker. Tells whether a
// segment ran past the data and whether the end marker was found.
struct Walk {
    bool segmentPastEnd = false;
    bool endMarker = false;
};

Walk walk(const std::vector<uint8_t>& jpeg) {
    Walk result;
    size_t at = 2;
    bool scan = false;
    while (!scan && at + 4 <= jpeg.size()) {
        scan = jpeg[at + 1] == 0xDA;
        at += 2 + be16(jpeg, at + 2);
    }
    result.segmentPastEnd = at > jpeg.size();
    for (size_t i = at; i + 1 < jpeg.size(); ++i) {
        result.endMarker = result.endMarker || (jpeg[i] == 0xFF && jpeg[i + 1] == 0xD9);
    }
    return result;
}

class SimLiveViewTest : public SimFixture {
protected:
    // A camera of `model` with its source open, the scene held still.
    orv::VendorObject* attach(const std::string& model) {
        m_camera = SimControl::attach(model);
        SimControl::freezeLiveScene(0);
        return openSource(m_camera);
    }
    orv::VendorObject* startLiveView(const std::string& model) {
        orv::VendorObject* source = attach(model);
        setInline(source, orv::kCapLiveViewStatus, 1);
        return source;
    }
    void setInline(orv::VendorObject* source, uint32_t capId, uint32_t value) {
        EXPECT_EQ(request(source, orv::kCmdSet, capId, orv::kDtUnsignedInline, value), 0);
    }
    void setPoint(orv::VendorObject* source, int32_t x, int32_t y) {
        const orv::PointRecord point{x, y};
        EXPECT_EQ(request(source, orv::kCmdSet, orv::kCapContrastArea, orv::kDtPoint, addr(&point)),
                  0);
    }
    void setZoom(orv::VendorObject* source, uint32_t index) {
        orv::EnumRecord zoom{};
        ASSERT_EQ(request(source, orv::kCmdGet, orv::kCapLiveViewZoom, orv::kDtEnum, addr(&zoom)),
                  0);
        zoom.currentIndex = index;
        EXPECT_EQ(request(source, orv::kCmdSet, orv::kCapLiveViewZoom, orv::kDtEnum, addr(&zoom)),
                  0);
    }
    // One click on the manual focus strip: the step, then the direction.
    void driveFocus(orv::VendorObject* source, double step, uint32_t direction) {
        orv::RangeRecord range{};
        range.value = step;
        EXPECT_EQ(request(source, orv::kCmdSet, orv::kCapMfDriveStep, orv::kDtRange, addr(&range)),
                  0);
        setInline(source, orv::kCapMfDrive, direction);
    }

    // One frame as the program fetches it; the contents buffer is `shortBy`
    // bytes smaller than the record says.
    Frame fetch(orv::VendorObject* source, size_t shortBy = 0) {
        Frame frame;
        orv::ArrayRecord record{};
        frame.recordResult =
            request(source, orv::kCmdGet, orv::kCapLiveViewImage, orv::kDtArray, addr(&record));
        frame.elementCount = record.elementCount;
        if (frame.recordResult != 0) {
            return frame;
        }
        EXPECT_EQ(record.bytesPerElement, 1);
        frame.bytes.assign(record.elementCount - shortBy, 0xEE);
        record.elementCount -= static_cast<uint32_t>(shortBy);
        record.data = reinterpret_cast<uintptr_t>(frame.bytes.data());
        frame.contentsResult = request(source, orv::kCmdGetArray, orv::kCapLiveViewImage,
                                       orv::kDtArray, addr(&record));
        frame.headerSize = SimControl::liveViewState(m_camera).headerSize;
        return frame;
    }
    Picture picture(orv::VendorObject* source) {
        Picture p;
        EXPECT_TRUE(decode(fetch(source).jpeg(), p));
        return p;
    }

    int m_camera = 0;
};

TEST_F(SimLiveViewTest, FramesOnlyWhileLiveViewIsOnAndIntoBuffersThatHoldThem) {
    orv::VendorObject* source = attach("Y800");
    EXPECT_EQ(orv::resultByte(fetch(source).recordResult), orv::resultByte(-119)) << "not ready";
    orv::ArrayRecord record{};
    EXPECT_LT(orv::resultByte(request(source, orv::kCmdGetArray, orv::kCapLiveViewImage,
                                      orv::kDtArray, addr(&record))),
              0);

    setInline(source, orv::kCapLiveViewStatus, 1);
    const Frame tooSmall = fetch(source, 1);
    EXPECT_EQ(orv::resultByte(tooSmall.contentsResult), orv::kResultArrayTooSmall);
    EXPECT_TRUE(std::all_of(tooSmall.bytes.begin(), tooSmall.bytes.end(),
                            [](uint8_t b) { return b == 0xEE; }));
    const Frame frame = fetch(source);
    ASSERT_EQ(frame.contentsResult, 0);
    EXPECT_EQ(frame.header(), SimControl::liveViewHeader(m_camera));

    // A still scene is encoded once, whatever the number of frames.
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(fetch(source).jpeg(), frame.jpeg());
    }
    EXPECT_EQ(SimControl::liveFramesEncoded(), 1u);
    SimControl::freezeLiveScene(SimControl::liveScenePhases() / 2);
    EXPECT_NE(fetch(source).jpeg(), frame.jpeg()) << "the scene moved";

    // The generic faults reach 0x8247 like any other capability.
    SimControl::injectFault(
        {Fault::Kind::FailWithResult, orv::kCmdGet, orv::kCapLiveViewImage, 0, -128, 1});
    EXPECT_EQ(orv::resultByte(fetch(source).recordResult), -128);
    SimControl::injectFault(
        {Fault::Kind::NeverComplete, orv::kCmdGetArray, orv::kCapLiveViewImage, 0, 0, 1});
    Completion never;
    record.elementCount = frame.elementCount;
    std::vector<uint8_t> buffer(frame.elementCount);
    record.data = reinterpret_cast<uintptr_t>(buffer.data());
    call(source, orv::kCmdGetArray, orv::kCapLiveViewImage, orv::kDtArray, addr(&record), &never);
    idle(source);
    EXPECT_EQ(never.calls, 0);

    setInline(source, orv::kCapLiveViewStatus, 0);
    EXPECT_EQ(orv::resultByte(fetch(source).recordResult), orv::resultByte(-119));
    EXPECT_FALSE(SimControl::liveViewState(m_camera).running);
}

TEST_F(SimLiveViewTest, HeaderSizeByCameraTypeWithBigEndianFields) {
    const struct {
        const char* model;
        size_t header;
        uint32_t width, height;
    } cases[] = {{"Y800", 64, 640, 424}, {"Y3X", 128, 1920, 1080}, {"Y7100", 384, 640, 424}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.model);
        orv::VendorObject* source = startLiveView(c.model);
        ASSERT_TRUE(SimControl::setLiveViewSize(m_camera, c.width, c.height));
        const Frame frame = fetch(source);
        ASSERT_EQ(frame.contentsResult, 0);
        ASSERT_EQ(frame.headerSize, c.header);
        const std::vector<uint8_t> h = frame.header();
        const std::vector<uint8_t> jpeg = frame.jpeg();
        EXPECT_EQ(frame.elementCount, c.header + jpeg.size());
        EXPECT_EQ(be16(jpeg, 0), 0xFFD8);
        EXPECT_EQ(be16(jpeg, jpeg.size() - 2), 0xFFD9);
        Picture p;
        ASSERT_TRUE(decode(jpeg, p));
        EXPECT_EQ(p.width, static_cast<int>(c.width));
        EXPECT_EQ(p.height, static_cast<int>(c.height));
        EXPECT_EQ(be16(h, 0), c.width);
        EXPECT_EQ(be16(h, 2), c.height);
        EXPECT_EQ(be16(h, 4), 6000);
        EXPECT_EQ(be16(h, 6), 4000);
        // The whole frame at the JPEG's aspect, centred.
        EXPECT_EQ(be16(h, 8), 6000);
        EXPECT_EQ(be16(h, 10), 6000 * c.height / c.width);
        EXPECT_EQ(be16(h, 12), 3000);
        EXPECT_EQ(be16(h, 14), 2000);
        EXPECT_EQ(be16(h, 38), 1800);
        EXPECT_EQ(be32(h, 44), 1u) << "frame number";
        EXPECT_EQ(h[62], 0);
    }
    SimControl::skipTime(61'000);
    EXPECT_EQ(be16(fetch(m_sources.back().get()).header(), 38), 1739) << "seconds left";
}

TEST_F(SimLiveViewTest, ZoomAndAfAreaFollowTheContrastPoint) {
    orv::VendorObject* source = startLiveView("Y800");
    std::vector<uint8_t> h = fetch(source).header();
    EXPECT_EQ(be16(h, 16), 960) << "wide area";
    EXPECT_EQ(be16(h, 18), 640);
    EXPECT_EQ(be16(h, 20), 3000);
    EXPECT_EQ(be16(h, 22), 2000);

    setPoint(source, 5500, 300);
    h = fetch(source).header();
    EXPECT_EQ(be16(h, 20), 5500);
    EXPECT_EQ(be16(h, 22), 320) << "the AF area stays inside the sensor";
    EXPECT_EQ(be16(h, 12), 3000) << "not zoomed: the view does not follow";

    setPoint(source, 9000, -50);
    orv::PointRecord point{};
    ASSERT_EQ(request(source, orv::kCmdGet, orv::kCapContrastArea, orv::kDtPoint, addr(&point)), 0);
    EXPECT_EQ(point.x, 5999);
    EXPECT_EQ(point.y, 0);
    setZoom(source, kZoom100Percent);
    setInline(source, orv::kCapLiveViewAfArea, 2);
    h = fetch(source).header();
    EXPECT_EQ(be16(h, 8), 640) << "one sensor unit per pixel";
    EXPECT_EQ(be16(h, 10), 424);
    EXPECT_EQ(be16(h, 12), 6000 - 320);
    EXPECT_EQ(be16(h, 14), 212);
    EXPECT_EQ(be16(h, 16), 480) << "normal area";
    EXPECT_EQ(be16(h, 20), 6000 - 240);
    EXPECT_EQ(be16(h, 22), 160);
    setZoom(source, kZoomFull);
    EXPECT_EQ(be16(fetch(source).header(), 8), 6000);

    EXPECT_LT(orv::resultByte(request(source, orv::kCmdSet, orv::kCapLiveViewAfArea,
                                      orv::kDtUnsignedInline, 4)),
              0);
    EXPECT_EQ(SimControl::getUnsigned(m_camera, orv::kCapLiveViewAfArea), 2u);
    orv::EnumRecord preview{};
    ASSERT_EQ(request(source, orv::kCmdGet, orv::kCapLiveViewExposurePreview, orv::kDtEnum,
                      addr(&preview)),
              0);
    EXPECT_EQ(preview.elementCount, 2u);
}

TEST_F(SimLiveViewTest, ContrastAfDrivesForSomeFramesThenReportsFocus) {
    orv::VendorObject* source = startLiveView("Y800");
    std::vector<uint8_t> h = fetch(source).header();
    EXPECT_EQ(h[30], 0);
    EXPECT_EQ(h[40], 0);
    uint32_t blur = SimControl::liveViewState(m_camera).blurRadius;
    EXPECT_GT(blur, 0u) << "the body powers on out of focus";

    setInline(source, orv::kCapContrastAf, 0);
    int driving = 0;
    for (; driving < 20; ++driving) {
        h = fetch(source).header();
        const uint32_t now = SimControl::liveViewState(m_camera).blurRadius;
        EXPECT_LE(now, blur);
        blur = now;
        if (h[30] == 0) {
            break;
        }
        EXPECT_EQ(h[40], 0);
    }
    EXPECT_GE(driving, 5);
    EXPECT_LE(driving, 10);
    EXPECT_EQ(h[40], 2);
    const vsim::LiveViewState state = SimControl::liveViewState(m_camera);
    EXPECT_TRUE(state.inFocus);
    EXPECT_EQ(state.focusPosition, state.focusTarget);
    EXPECT_EQ(state.blurRadius, 0u);

    driveFocus(source, 3, 1);
    EXPECT_EQ(fetch(source).header()[40], 0) << "manual focus clears the state";
}

TEST_F(SimLiveViewTest, ManualFocusStepsChangeTheBlurMeasurably) {
    orv::VendorObject* source = startLiveView("Y800");
    const int32_t start = SimControl::liveViewState(m_camera).focusPosition;
    const int32_t target = SimControl::liveViewState(m_camera).focusTarget;
    const double blurred = sharpness(picture(source));

    // Fast clicks far out cross the focus; fine clicks come back to it.
    driveFocus(source, 23 * 111, 1);
    EXPECT_EQ(SimControl::liveViewState(m_camera).focusPosition, start + 2553);
    int32_t position = start + 2553;
    while (position < target) {
        driveFocus(source, 23 * 111, 1);
        position += 2553;
    }
    while (position - target > 60) {
        driveFocus(source, 3 * 20, 0);
        position -= 60;
    }
    EXPECT_EQ(SimControl::liveViewState(m_camera).focusPosition, position);
    const double sharp = sharpness(picture(source));
    EXPECT_EQ(SimControl::liveViewState(m_camera).blurRadius, 0u);
    EXPECT_GT(sharp, 2.0 * blurred);

    // Zoomed in, the same small defocus shows.
    driveFocus(source, 3 * 100, 0);
    setZoom(source, kZoom100Percent);
    fetch(source);
    EXPECT_GT(SimControl::liveViewState(m_camera).blurRadius, 2u);

    for (int i = 0; i < 5; ++i) {
        driveFocus(source, 32767, 0);
    }
    EXPECT_EQ(SimControl::liveViewState(m_camera).focusPosition, 0) << "the near end";
}

TEST_F(SimLiveViewTest, FaceTableAndSoundOf384ByteHeaders) {
    orv::VendorObject* source = startLiveView("Y7100");
    const Picture none = picture(source);
    ASSERT_TRUE(SimControl::setLiveViewFaces(m_camera, 3));
    const Frame frame = fetch(source);
    const std::vector<uint8_t> h = frame.header();
    EXPECT_EQ(h[62], 3);
    Picture faces;
    ASSERT_TRUE(decode(frame.jpeg(), faces));
    for (size_t i = 0; i < 3; ++i) {
        const size_t at = 64 + 8 * i;
        EXPECT_GT(be16(h, at), 0) << "width of face " << i;
        EXPECT_GT(be16(h, at + 2), be16(h, at));
        EXPECT_LT(be16(h, at + 4), 6000);
        EXPECT_LT(be16(h, at + 6), 4000);
        // The middle of the face is skin, where the empty scene was not.
        const double unitsPerPixel = 6000.0 / 640;
        const auto x = static_cast<size_t>(be16(h, at + 4) / unitsPerPixel);
        const auto y = static_cast<size_t>((be16(h, at + 6) - (2000 - 3975 / 2.0)) / unitsPerPixel);
        const size_t px = (y * 640 + x) * 3;
        EXPECT_NE(std::vector<uint8_t>(faces.rgb.begin() + px, faces.rgb.begin() + px + 3),
                  std::vector<uint8_t>(none.rgb.begin() + px, none.rgb.begin() + px + 3));
        EXPECT_GT(faces.rgb[px], faces.rgb[px + 2]) << "warmer than blue";
    }
    EXPECT_EQ(be16(h, 64 + 8 * 3), 0);

    ASSERT_TRUE(SimControl::setLiveViewFaces(m_camera, 40));
    const std::vector<uint8_t> many = fetch(source).header();
    EXPECT_EQ(many[62], 40) << "the count as the camera sends it";
    EXPECT_GT(be16(many, 64 + 8 * 34), 0);
    EXPECT_EQ(many.size(), 384u);
    EXPECT_FALSE(SimControl::setLiveViewFaces(m_camera, 256));

    // Sound like speech: levels 0-14 that come and go, peaks above them,
    // the two sides apart. Small frames, as every phase is encoded.
    ASSERT_TRUE(SimControl::setLiveViewSize(m_camera, 64, 48));
    int loud = 0;
    int apart = 0;
    for (int phase = 0; phase < 100; ++phase) {
        SimControl::freezeLiveScene(phase);
        const std::vector<uint8_t> s = fetch(source).header();
        EXPECT_LE(s[346], 14);
        EXPECT_GE(s[344], s[346]);
        EXPECT_GE(s[345], s[347]);
        loud += s[346] > 5 ? 1 : 0;
        apart += s[346] != s[347] ? 1 : 0;
    }
    EXPECT_GT(loud, 10);
    EXPECT_LT(loud, 90);
    EXPECT_GT(apart, 20);
}

TEST_F(SimLiveViewTest, FrameFaultsDoTheDamageTheyName) {
    orv::VendorObject* source = startLiveView("Y800");
    const Frame good = fetch(source);
    const Walk intact = walk(good.jpeg());
    EXPECT_FALSE(intact.segmentPastEnd);
    EXPECT_TRUE(intact.endMarker);

    ASSERT_TRUE(SimControl::setLiveViewFault(m_camera, LiveViewFault::CorruptJpeg, 1));
    Frame bad = fetch(source);
    ASSERT_EQ(bad.contentsResult, 0);
    EXPECT_TRUE(std::equal(good.bytes.begin(), good.bytes.begin() + 44, bad.bytes.begin()))
        << "the header up to the frame number";
    EXPECT_EQ(bad.bytes.size(), good.bytes.size());
    Picture p;
    EXPECT_FALSE(decode(bad.jpeg(), p));
    EXPECT_TRUE(decode(fetch(source).jpeg(), p)) << "one frame only";

    ASSERT_TRUE(SimControl::setLiveViewFault(m_camera, LiveViewFault::TruncatedFrame, -1));
    for (int i = 0; i < 2; ++i) {
        bad = fetch(source);
        EXPECT_EQ(bad.elementCount, bad.bytes.size());
        EXPECT_LT(bad.bytes.size(), good.bytes.size());
        EXPECT_FALSE(walk(bad.jpeg()).segmentPastEnd);
        EXPECT_FALSE(walk(bad.jpeg()).endMarker);
    }

    ASSERT_TRUE(SimControl::setLiveViewFault(m_camera, LiveViewFault::SegmentPastEnd, -1));
    bad = fetch(source);
    EXPECT_TRUE(walk(bad.jpeg()).segmentPastEnd);
    EXPECT_FALSE(walk(bad.jpeg()).endMarker);

    ASSERT_TRUE(SimControl::setLiveViewFault(m_camera, LiveViewFault::None, -1));
    EXPECT_EQ(fetch(source).jpeg(), good.jpeg());
}

} // namespace
