#include "liveview/LiveViewFields.h"

#include "camera/LiveViewFrame.h"

#include <algorithm>

namespace {

constexpr uint8_t kFocusStateInFocus = 2;
constexpr size_t kFaceTable = 64;
constexpr size_t kFaceRecord = 8;

SensorArea areaAt(const LiveViewHeader& header, size_t offset) {
    return {header.u16(offset), header.u16(offset + 2), header.u16(offset + 4),
            header.u16(offset + 6)};
}

} // namespace

LiveViewFields ReadLiveViewFields(const LiveViewHeader& header) {
    LiveViewFields f;
    f.jpegWidth = header.u16(0);
    f.jpegHeight = header.u16(2);
    f.wholeWidth = header.u16(4);
    f.wholeHeight = header.u16(6);
    f.shown = areaAt(header, 8);
    f.afArea = areaAt(header, 16);
    f.focusDriving = header.u8(30) != 0;
    f.remainingSeconds = header.u16(38);
    f.inFocus = header.u8(40) == kFocusStateInFocus;
    f.movieTime_ms = header.u32(56);
    f.faceCount = std::min<int>(header.u8(62), LiveViewFields::kMaxFaces);
    for (int i = 0; i < f.faceCount; ++i) {
        f.faces[static_cast<size_t>(i)] = areaAt(header, kFaceTable + kFaceRecord * size_t(i));
    }
    f.soundPeakLeft = header.u8(344);
    f.soundPeakRight = header.u8(345);
    f.soundLevelLeft = header.u8(346);
    f.soundLevelRight = header.u8(347);
    return f;
}
