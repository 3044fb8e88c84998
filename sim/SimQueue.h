#pragma once
// What the module owes the program: completions of accepted requests, events
// and user-interface requests. All are delivered in order during idle calls,
// as a real module does; requests that a fault keeps from completing are
// parked until reset.
#include "camera/CameraTypes.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace vsim {

// A request accepted with a completion procedure.
struct PendingCompletion {
    orv::CompletionProcFn procedure = nullptr;
    orv::VendorObject* object = nullptr;
    uint64_t objectHandle = 0; // the object is passed back only while still open
    uint32_t command = 0;
    uint32_t param = 0;
    uint32_t dataType = 0;
    intptr_t data = 0;
    intptr_t reference = 0;
    int32_t result = 0;
};

struct PendingEvent {
    uint64_t objectHandle = 0;
    uint32_t event = 0;
    uintptr_t data = 0;
};

struct PendingUiRequest {
    uint8_t kind = 0;
    std::string prompt;
    std::string detail;
};

struct Delivery {
    enum class Kind { Completion, Event, UiRequest };
    Kind kind = Kind::Completion;
    PendingCompletion completion;
    PendingEvent event;
    PendingUiRequest uiRequest;
};

class SimQueue {
public:
    void pushCompletion(const PendingCompletion& completion);
    void pushEvent(const PendingEvent& event);
    void pushUiRequest(PendingUiRequest request);
    // Keeps a completion that must never be called (fault injection).
    void park(const PendingCompletion& completion) { m_parked.push_back(completion); }

    // Number of deliveries waiting now; an idle call delivers at most this
    // many, so a handler that queues new work cannot keep one call busy.
    size_t size() const { return m_deliveries.size(); }
    bool pop(Delivery& out);

    int pendingCompletions() const;
    // Drops everything (module closed or world reset).
    void clear();

private:
    std::deque<Delivery> m_deliveries;
    std::vector<PendingCompletion> m_parked;
};

} // namespace vsim
