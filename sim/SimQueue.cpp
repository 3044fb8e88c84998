#include "SimQueue.h"

#include <algorithm>

namespace vsim {

void SimQueue::pushCompletion(const PendingCompletion& completion) {
    Delivery d;
    d.kind = Delivery::Kind::Completion;
    d.completion = completion;
    m_deliveries.push_back(std::move(d));
}

void SimQueue::pushEvent(const PendingEvent& event) {
    Delivery d;
    d.kind = Delivery::Kind::Event;
    d.event = event;
    m_deliveries.push_back(std::move(d));
}

void SimQueue::pushUiRequest(PendingUiRequest request) {
    Delivery d;
    d.kind = Delivery::Kind::UiRequest;
    d.uiRequest = std::move(request);
    m_deliveries.push_back(std::move(d));
}

bool SimQueue::pop(Delivery& out) {
    if (m_deliveries.empty()) {
        return false;
    }
    out = std::move(m_deliveries.front());
    m_deliveries.pop_front();
    return true;
}

int SimQueue::pendingCompletions() const {
    const auto queued =
        std::count_if(m_deliveries.begin(), m_deliveries.end(),
                      [](const Delivery& d) { return d.kind == Delivery::Kind::Completion; });
    return static_cast<int>(queued + static_cast<long>(m_parked.size()));
}

void SimQueue::clear() {
    m_deliveries.clear();
    m_parked.clear();
}

} // namespace vsim
