#pragma once
// Live view JPEGs already encoded, by everything that shapes the picture:
// a program fetching far more frames a second than the scene has phases
// gets most of them as a copy. Memory is bounded; when the frames of one
// view no longer fit, the ones kept stay and the rest are encoded anew each
// time, rather than a loop through the phases pushing out every frame just
// before it is wanted again.
#include "SimLiveScene.h"

#include <cstddef>
#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <vector>

namespace vsim {

using SimJpegBytes = std::shared_ptr<const std::vector<uint8_t>>;

class SimFrameCache {
public:
    static constexpr size_t kDefaultBudget = size_t{64} << 20;

    explicit SimFrameCache(size_t budgetBytes = kDefaultBudget) : m_budget(budgetBytes) {}

    // The JPEG for `key`, encoded now unless kept; null when encoding fails.
    SimJpegBytes frame(const SimFrameKey& key);
    void clear();

    size_t bytes() const { return m_bytes; }
    // Pictures encoded since the cache was made or cleared.
    uint64_t encodes() const { return m_encodes; }

private:
    struct Entry {
        SimJpegBytes jpeg;
        std::list<SimFrameKey>::iterator use;
    };
    void keep(const SimFrameKey& key, const SimJpegBytes& jpeg);

    size_t m_budget;
    size_t m_bytes = 0;
    uint64_t m_encodes = 0;
    std::map<SimFrameKey, Entry> m_entries;
    std::list<SimFrameKey> m_uses; // most recent first
};

} // namespace vsim
