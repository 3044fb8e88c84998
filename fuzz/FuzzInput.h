#pragma once
// Reads a fuzz input front to back: little-endian numbers and runs of bytes.
// Past the end numbers read as 0 and runs come out short, so every input
// means something and the seed files stay easy to write by hand.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <type_traits>

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : m_bytes(data, size) {}

    bool empty() const { return m_bytes.empty(); }
    size_t left() const { return m_bytes.size(); }

    template <typename T> T number() {
        static_assert(std::is_arithmetic_v<T>);
        T value{};
        const std::span<const uint8_t> raw = bytes(sizeof value);
        if (!raw.empty()) {
            std::memcpy(&value, raw.data(), raw.size());
        }
        return value;
    }

    // Up to `count` bytes, fewer at the end.
    std::span<const uint8_t> bytes(size_t count) {
        const std::span<const uint8_t> taken = m_bytes.first(std::min(count, m_bytes.size()));
        m_bytes = m_bytes.subspan(taken.size());
        return taken;
    }

    // The bytes before the next `separator` (which is consumed), or the rest.
    std::span<const uint8_t> until(uint8_t separator) {
        const auto found = std::find(m_bytes.begin(), m_bytes.end(), separator);
        const auto length = static_cast<size_t>(found - m_bytes.begin());
        const std::span<const uint8_t> taken = bytes(length);
        bytes(1);
        return taken;
    }

    std::span<const uint8_t> rest() { return bytes(m_bytes.size()); }

    static std::string text(std::span<const uint8_t> bytes) {
        return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }

private:
    std::span<const uint8_t> m_bytes;
};
