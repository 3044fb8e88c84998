#include "liveview/LiveViewFields.h"

#include "camera/CameraTypes.h"
#include "camera/LiveViewFrame.h"

#include <algorithm>

using namespace orv::liveview;

namespace {

SensorArea areaAt(const LiveViewHeader& header, size_t offset) {
    return {header.u16(offset), header.u16(offset + 2), header.u16(offset + 4),
            header.u16(offset + 6)};
}

} // namespace

LiveViewFields ReadLiveViewFields(const LiveViewHeader& header) {
    LiveViewFields f;
    f.jpegWidth = header.u16(kJpegWidth);
    f.jpegHeight = header.u16(kJpegHeight);
    f.wholeWidth = header.u16(kWholeWidth);
    f.wholeHeight = header.u16(kWholeHeight);
    f.shown = areaAt(header, kShownArea);
    f.afArea = areaAt(header, kAfArea);
    f.focusDriving = header.u8(kFocusDrive) != 0;
    f.remainingSeconds = header.u16(kRemainingTime);
    f.inFocus = header.u8(kFocusState) == kStateInFocus;
    f.movieTime_ms = header.u32(kMovieTime);
    f.faceCount = std::min<int>(header.u8(kFaceCount), LiveViewFields::kMaxFaces);
    for (int i = 0; i < f.faceCount; ++i) {
        f.faces[static_cast<size_t>(i)] = areaAt(header, kFaceTable + kAreaBytes * size_t(i));
    }
    f.soundPeakLeft = header.u8(kSoundPeakLeft);
    f.soundPeakRight = header.u8(kSoundPeakRight);
    f.soundLevelLeft = header.u8(kSoundLevelLeft);
    f.soundLevelRight = header.u8(kSoundLevelRight);
    return f;
}
