#pragma once
// Contents of the files the simulated camera delivers. Everything but the
// JPEG is a pseudo-random sequence with random access, so a chunk is made
// where it is needed and a test can reproduce any byte without the file.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace vsim {

class SimMovieFile;

// Bytes [offset, offset + n) of the pseudo-random sequence of `seed`.
void fillPattern(uint64_t seed, uint64_t offset, uint8_t* out, size_t n);

// Seed of file `index` of an item: every file has a sequence of its own.
inline uint64_t fileSeed(uint32_t itemId, uint32_t index) {
    return (uint64_t{itemId} << 8) | index;
}

// The bytes of one file: leading bytes held in full (a header, a JPEG, a
// file name), then the pattern of `seed` up to `size` when `patterned`;
// or a recorded movie, whose bytes are all its own.
struct SimContent {
    std::vector<uint8_t> head;
    bool patterned = false;
    uint64_t seed = 0;
    uint32_t size = 0;
    std::shared_ptr<const SimMovieFile> movie;

    // Copies n bytes from `offset`; bytes past the end read as zero.
    void read(uint64_t offset, uint8_t* out, size_t n) const;
};

// The simulated raw file: "ORWSIM", the item id and the file size (both
// little-endian 32-bit), then the pattern of the item's file.
constexpr size_t kRawHeaderSize = 14;
SimContent rawContent(uint32_t itemId, uint32_t fileIndex, uint32_t size);

} // namespace vsim
