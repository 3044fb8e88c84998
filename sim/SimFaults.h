#pragma once
// Armed faults and their matching against entry calls.
#include "SimControl.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace vsim {

class SimFaults {
public:
    void add(const Fault& fault);
    void clear() { m_faults.clear(); }
    // Finds the first armed fault of `kind` that matches the call, uses up
    // one of its hits and returns it.
    std::optional<Fault> take(Fault::Kind kind, uint32_t command, uint32_t param,
                              uint32_t objectType);

private:
    std::vector<Fault> m_faults;
};

} // namespace vsim
