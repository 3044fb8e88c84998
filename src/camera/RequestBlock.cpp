#include "camera/RequestBlock.h"

#include <algorithm>
#include <cstring>

void RequestBlock::assign(size_t bytes, uint8_t value) {
    if (bytes > kInlineBytes) {
        m_heap.assign(bytes, value);
    } else {
        std::fill_n(m_inline.data(), bytes, value);
    }
    m_size = bytes;
}

void RequestBlock::take(RequestBlock& other) noexcept {
    m_size = other.m_size;
    if (m_size > kInlineBytes) {
        m_heap = std::move(other.m_heap);
    } else {
        std::memcpy(m_inline.data(), other.m_inline.data(), m_size);
    }
    other.m_heap.clear();
    other.m_size = 0;
}
