#pragma once
// The procedures the module calls to report what happens in the camera:
// installed as capabilities of every opened object, removed before it is
// closed. Each recovers its CamObject from the reference it was given; the
// module stops calling an object's procedures once they are removed and the
// object is closed, and a node is freed only after both.
#include <cstdint>
#include <optional>
#include <string>

class CameraLink;
class CamObject;

class Callbacks {
public:
    // Longest prompt or detail text taken from a user-interface request.
    static constexpr size_t kMaxUiTextBytes = 4096;

    explicit Callbacks(CameraLink& link);

    // By object type: module event then user-interface request procedure;
    // source, item and data object their event procedure. Each only when
    // settable; false at the first failing set.
    bool InstallCallbacks(CamObject* object);
    // Clears capabilities 2, 3 and (module only) 5 where settable, in that
    // order; false at the first failure.
    bool RemoveCallbacks(CamObject* object);

    static void ModuleEventProc(intptr_t ref, uint32_t event, uintptr_t data);
    // Hands the event to the link's SourceEventListener.
    static void SourceEventProc(intptr_t ref, uint32_t event, uintptr_t data);
    static void ItemEventProc(intptr_t ref, uint32_t event, uintptr_t data);
    static void DataEventProc(intptr_t ref, uint32_t event, uintptr_t data);
    static uint32_t UiRequestProc(intptr_t ref, const void* request);

private:
    bool installProc(CamObject* object, uint32_t capId, uintptr_t procedure);

    CameraLink& m_link;
};

// The question shown to the user: prompt, then CR LF and the detail when
// there is one. Either text may be absent (null).
std::string UiRequestMessage(const char* prompt, const char* detail);

// A module's question as its request record gives it.
struct UiQuestion {
    int kind = 0; // 0 OK, 1 OK/Cancel, 2 Yes/No, 3 Yes/No/Cancel
    std::string message;
};

// The question of a user-interface request record, its texts read within
// their bounds; nothing for a missing record or a kind the module does not
// define. Pure, so that any record a module can send is tried on it alone.
std::optional<UiQuestion> ReadUiRequest(const void* request);

// The reply as the module gets it: only the codes it knows, else "none".
uint32_t UiReplyForModule(uint32_t reply);
