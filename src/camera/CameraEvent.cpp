#include "camera/CameraEvent.h"

#include "camera/CameraTypes.h"

namespace {

constexpr uint32_t kCaptureComplete = 0x108;
constexpr uint32_t kCardItemAdded = 0x109;
constexpr uint32_t kRecordingStoppedByError = 0x10A;

SourceEventKind kindOf(uint32_t code) {
    switch (code & 0x7F) {
    case orv::kEvChildAdded:
        return SourceEventKind::ChildAdded;
    case orv::kEvChildRemoved:
        return SourceEventKind::ChildRemoved;
    case orv::kEvCapListChanged:
        return SourceEventKind::CapabilityChanged;
    case orv::kEvOrphanedChildren:
        return SourceEventKind::OrphanedChildren;
    case orv::kEvCapValueChanged:
        return SourceEventKind::CapabilityValueChanged;
    default:
        return SourceEventKind::Other;
    }
}

SourceEventNotice noticeOf(uint32_t code) {
    if (code > kRecordingStoppedByError) {
        return SourceEventNotice::Unknown;
    }
    switch (code) {
    case kCaptureComplete:
        return SourceEventNotice::CaptureComplete;
    case kCardItemAdded:
        return SourceEventNotice::CardItemAdded;
    case kRecordingStoppedByError:
        return SourceEventNotice::RecordingStoppedByError;
    default:
        return SourceEventNotice::None;
    }
}

} // namespace

CameraEvent DecodeSourceEvent(uint32_t code, uint32_t datum) {
    return CameraEvent{kindOf(code), noticeOf(code), code, datum};
}
