#pragma once
// The data block of one module request: a record of a few bytes almost
// always, a capability list now and then. Small blocks live inline, so that
// a request (live view sends two per frame) costs no heap allocation; a
// moved-from block is empty. Its address changes when it is moved: the
// module is only ever given the address of a block that stays put.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class RequestBlock {
public:
    static constexpr size_t kInlineBytes = 64;

    RequestBlock() = default;
    RequestBlock(const RequestBlock&) = delete;
    RequestBlock& operator=(const RequestBlock&) = delete;
    RequestBlock(RequestBlock&& other) noexcept { take(other); }
    RequestBlock& operator=(RequestBlock&& other) noexcept {
        if (this != &other) {
            take(other);
        }
        return *this;
    }

    // `bytes` bytes, each `value`.
    void assign(size_t bytes, uint8_t value);
    void clear() { m_size = 0; }
    uint8_t* data() { return m_size > kInlineBytes ? m_heap.data() : m_inline.data(); }
    const uint8_t* data() const { return m_size > kInlineBytes ? m_heap.data() : m_inline.data(); }
    size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }

private:
    void take(RequestBlock& other) noexcept;

    std::array<uint8_t, kInlineBytes> m_inline{};
    std::vector<uint8_t> m_heap;
    size_t m_size = 0;
};
