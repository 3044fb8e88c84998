// Live view frames as the camera delivers them: a header (its size by
// camera type) and a JPEG. Each frame goes through the fetcher's steps (the
// header converted over the previous frame's, the JPEG walk) and then the
// overlay, navigator and click geometry the window draws and picks with.
// Input (little-endian), up to four frames: u8 camera type, u16 navigator
// width, u16 click x, u16 click y, u16 frame length, the frame's bytes.
#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "camera/CameraTypeFacts.h"
#include "camera/LiveViewFrame.h"
#include "liveview/LiveViewFields.h"
#include "liveview/LiveViewGeometry.h"

#include <cstdlib>
#include <memory>

namespace {

constexpr int kFramesPerInput = 4;
// Navigator widths and click positions are a widget's pixels.
constexpr uint16_t kWidgetPixels = 4096;
// However far off the picture a frame lies, its edges stay this near: a
// far-off centre, a far-off half size and the picture's middle.
constexpr int kFarOff = 2 * kFarOffPixels + 65536;

// The JPEG ends at its end-of-image marker or runs to the end of the data.
void checkJpegWalk(std::span<const uint8_t> jpeg) {
    const size_t length = JpegImageLength(jpeg);
    FUZZ_CHECK(length <= jpeg.size());
    if (length < jpeg.size()) {
        FUZZ_CHECK(length >= 2 && jpeg[length - 2] == 0xFF && jpeg[length - 1] == 0xD9);
    }
}

bool isNear(const PixelBox& box) {
    return std::abs(box.left) <= kFarOff && std::abs(box.top) <= kFarOff &&
           std::abs(box.right) <= kFarOff && std::abs(box.bottom) <= kFarOff;
}

void checkFrames(const OverlayFrames& frames, const LiveViewFields& fields) {
    if (!frames.valid) {
        return;
    }
    FUZZ_CHECK(frames.faces == (fields.faceCount > 0));
    FUZZ_CHECK(frames.count == (frames.faces ? fields.faceCount : 1));
    for (int i = 0; i < frames.count; ++i) {
        FUZZ_CHECK(isNear(frames.boxes[static_cast<size_t>(i)]));
    }
}

void checkGeometry(const LiveViewFields& fields, int navigatorWidth, int x, int y) {
    FUZZ_CHECK(fields.faceCount >= 0 && fields.faceCount <= LiveViewFields::kMaxFaces);
    const OverlayFrames frames = LiveImageFrames(fields);
    FUZZ_CHECK(frames.valid == (fields.shown.width != 0));
    checkFrames(frames, fields);

    const NavigatorGeometry navigator = Navigator(fields, navigatorWidth);
    FUZZ_CHECK(navigator.valid == (fields.wholeWidth != 0 && navigatorWidth > 0));
    if (navigator.valid) {
        FUZZ_CHECK(navigator.height >= 0 && isNear(navigator.shown));
        checkFrames(navigator.frames, fields);
    }
    const auto imagePoint = LiveImageClickPoint(fields, x, y);
    FUZZ_CHECK(imagePoint.has_value() == (fields.jpegWidth != 0 && fields.shown.width != 0));
    const auto navigatorPoint = NavigatorClickPoint(fields, navigatorWidth, x, y);
    FUZZ_CHECK(navigatorPoint.has_value() == navigator.valid);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    // Kept from frame to frame, as the fetcher keeps it.
    LiveViewHeader header;
    for (int frameIndex = 0; frameIndex < kFramesPerInput && !input.empty(); ++frameIndex) {
        const auto cameraType = input.number<uint8_t>();
        const int navigatorWidth = input.number<uint16_t>() % kWidgetPixels;
        const int x = input.number<uint16_t>() % kWidgetPixels;
        const int y = input.number<uint16_t>() % kWidgetPixels;
        const std::span<const uint8_t> received = input.bytes(input.number<uint16_t>());
        // Exactly as long as delivered, so that a read beyond it is caught.
        const auto frame = std::make_unique<uint8_t[]>(received.size());
        std::copy(received.begin(), received.end(), frame.get());
        const std::span<const uint8_t> delivered(frame.get(), received.size());

        const size_t headerSize = LiveViewHeaderSize(cameraType);
        if (delivered.size() < headerSize) {
            continue; // the fetcher shows no frame
        }
        ConvertLiveViewHeader(delivered.first(headerSize), header);
        checkJpegWalk(delivered.subspan(headerSize));
        checkGeometry(ReadLiveViewFields(header), navigatorWidth, x, y);
    }
    return 0;
}
