#include "SimContent.h"

#include "SimMovieFile.h"

#include <algorithm>
#include <cstring>

namespace vsim {

namespace {

// splitmix64: a strong 64-bit mix, cheap enough to run per word.
uint64_t mix(uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

void putLe32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<uint8_t>(value >> shift));
    }
}

} // namespace

void fillPattern(uint64_t seed, uint64_t offset, uint8_t* out, size_t n) {
    const uint64_t key = mix(seed);
    while (n > 0) {
        const uint64_t word = mix(key + offset / 8);
        const size_t skip = offset % 8;
        const size_t take = std::min(n, 8 - skip);
        for (size_t i = 0; i < take; ++i) {
            out[i] = static_cast<uint8_t>(word >> (8 * (skip + i))); // little-endian words
        }
        out += take;
        offset += take;
        n -= take;
    }
}

void SimContent::read(uint64_t offset, uint8_t* out, size_t n) const {
    if (movie) {
        movie->read(offset, out, n);
        return;
    }
    std::memset(out, 0, n);
    const uint64_t end = offset + n;
    if (offset < head.size()) {
        const size_t count = static_cast<size_t>(std::min<uint64_t>(end, head.size()) - offset);
        std::memcpy(out, head.data() + offset, count);
    }
    const uint64_t from = std::max<uint64_t>(offset, head.size());
    const uint64_t to = std::min<uint64_t>(end, size);
    if (patterned && from < to) {
        fillPattern(seed, from, out + (from - offset), static_cast<size_t>(to - from));
    }
}

SimContent rawContent(uint32_t itemId, uint32_t fileIndex, uint32_t size) {
    SimContent content;
    content.size = std::max<uint32_t>(size, kRawHeaderSize);
    const char magic[] = "ORWSIM";
    content.head.assign(magic, magic + 6);
    putLe32(content.head, itemId);
    putLe32(content.head, content.size);
    content.patterned = true;
    content.seed = fileSeed(itemId, fileIndex);
    return content;
}

} // namespace vsim
