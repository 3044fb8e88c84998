#include "SimFaults.h"

namespace vsim {

namespace {

// Idle calls are hit only by idle faults and capability-info requests only
// by array-too-small faults; the other kinds hit every other command.
bool commandMatches(const Fault& fault, uint32_t command) {
    switch (fault.kind) {
    case Fault::Kind::FailIdle:
        return command == orv::kCmdIdle;
    case Fault::Kind::ArrayTooSmall:
        return command == orv::kCmdGetCapInfo;
    default:
        return command != orv::kCmdIdle && (fault.command == 0 || fault.command == command);
    }
}

} // namespace

void SimFaults::add(const Fault& fault) {
    if (fault.count != 0) {
        m_faults.push_back(fault);
    }
}

std::optional<Fault> SimFaults::take(Fault::Kind kind, uint32_t command, uint32_t param,
                                     uint32_t objectType) {
    for (auto it = m_faults.begin(); it != m_faults.end(); ++it) {
        const Fault& f = *it;
        if (f.kind != kind || !commandMatches(f, command) || (f.param != 0 && f.param != param) ||
            (f.objectType != 0 && f.objectType != objectType)) {
            continue;
        }
        const Fault hit = f;
        if (it->count > 0 && --it->count == 0) {
            m_faults.erase(it);
        }
        return hit;
    }
    return std::nullopt;
}

} // namespace vsim
