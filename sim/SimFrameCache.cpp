#include "SimFrameCache.h"

namespace vsim {

namespace {

// Frames of one view differ only in their phase.
bool sameView(SimFrameKey a, SimFrameKey b) {
    a.phase = 0;
    b.phase = 0;
    return a == b;
}

} // namespace

SimJpegBytes SimFrameCache::frame(const SimFrameKey& key) {
    if (const auto it = m_entries.find(key); it != m_entries.end()) {
        m_uses.splice(m_uses.begin(), m_uses, it->second.use);
        return it->second.jpeg;
    }
    std::vector<uint8_t> encoded = encodeLiveFrame(key);
    ++m_encodes;
    if (encoded.empty()) {
        return nullptr;
    }
    auto jpeg = std::make_shared<const std::vector<uint8_t>>(std::move(encoded));
    keep(key, jpeg);
    return jpeg;
}

void SimFrameCache::keep(const SimFrameKey& key, const SimJpegBytes& jpeg) {
    // Frames of other views go first, the least recently used of them first.
    auto it = m_uses.end();
    while (m_bytes + jpeg->size() > m_budget && it != m_uses.begin()) {
        --it;
        if (sameView(*it, key)) {
            continue;
        }
        const auto entry = m_entries.find(*it);
        m_bytes -= entry->second.jpeg->size();
        m_entries.erase(entry);
        it = m_uses.erase(it);
    }
    if (m_bytes + jpeg->size() > m_budget) {
        return; // the view's frames kept so far fill the budget
    }
    m_uses.push_front(key);
    m_entries.emplace(key, Entry{jpeg, m_uses.begin()});
    m_bytes += jpeg->size();
}

void SimFrameCache::clear() {
    m_entries.clear();
    m_uses.clear();
    m_bytes = 0;
    m_encodes = 0;
}

} // namespace vsim
