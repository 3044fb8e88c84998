#pragma once
// A source event as the rest of the program reads it: what happened (from
// the low seven bits of the event number), the notice the full number
// carries on top, and the datum (an item id or a capability id).
#include <cstdint>

enum class SourceEventKind {
    ChildAdded,             // datum: the new item's id
    ChildRemoved,           // datum: the removed item's id
    CapabilityChanged,      // datum: the capability whose description changed
    OrphanedChildren,       //
    CapabilityValueChanged, // datum: the capability whose value changed
    Other,                  // low bits 2, 3 or above 6
};

// What the full event number says beyond its low bits.
enum class SourceEventNotice {
    None,
    CaptureComplete,         // 0x108
    CardItemAdded,           // 0x109: a movie file was added on the card
    RecordingStoppedByError, // 0x10A: datum is the reason
    Unknown,                 // above 0x10A
};

struct CameraEvent {
    SourceEventKind kind = SourceEventKind::Other;
    SourceEventNotice notice = SourceEventNotice::None;
    uint32_t code = 0;  // the event number exactly as the module sent it
    uint32_t datum = 0; // item or capability id

    friend bool operator==(const CameraEvent&, const CameraEvent&) = default;
};

// Reads an event number and its datum as the module sent them.
CameraEvent DecodeSourceEvent(uint32_t code, uint32_t datum);
