#pragma once
// The production log: every file the simulated cameras produced, with its
// size and a checksum of its bytes, so that a long run can check at its end
// that each one reached the program's folder exactly once. Off after reset
// (a checksum costs a pass over the file); turning it on starts it empty.
#include "SimCamera.h"
#include "SimContent.h"
#include "SimControl.h"

#include <cstdint>
#include <vector>

namespace vsim {

class SimProduction {
public:
    void setEnabled(bool on);
    bool enabled() const { return m_enabled; }
    // The files of `item`, new on the card of `camera`, as an acquire or a
    // movie read would deliver them.
    void record(int camera, const SimItem& item);
    const std::vector<ProducedFile>& files() const { return m_files; }
    void clear() { m_files.clear(); }

private:
    bool m_enabled = false;
    std::vector<ProducedFile> m_files;
};

// 64-bit FNV-1a of the bytes of `content`.
uint64_t fnv1a(const SimContent& content);

} // namespace vsim
