#pragma once
// A recorded movie as the camera writes it to its card: the scene's frames
// as Motion-JPEG in a QuickTime file (ftyp, one mdat with the JPEGs back to
// back, then moov). The JPEGs are the live view's own encoded frames and
// are shared, not copied: a long movie of a looping scene holds each
// distinct picture once. Bytes are read by offset, as a movie read asks.
#include "SimFrameCache.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vsim {

class SimMovieFile {
public:
    // `frames` shown `fps` a second, each `width` x `height` pixels. Frames
    // that would take the file past 4 GiB (the read block's limit) are left out.
    SimMovieFile(std::vector<SimJpegBytes> frames, uint32_t width, uint32_t height, uint32_t fps);

    uint32_t size() const { return m_size; }
    uint32_t frameCount() const { return static_cast<uint32_t>(m_frames.size()); }
    uint32_t duration_ms() const;
    // Copies n bytes from `offset`; bytes past the end read as zero.
    void read(uint64_t offset, uint8_t* out, size_t n) const;

private:
    std::vector<SimJpegBytes> m_frames;
    std::vector<uint64_t> m_frameStarts; // file offsets, one per frame
    std::vector<uint8_t> m_head;         // ftyp and the mdat header
    std::vector<uint8_t> m_tail;         // moov
    uint32_t m_fps = 1;
    uint32_t m_size = 0;
};

// The moov box of a Motion-JPEG movie whose samples lie back to back from
// `firstSampleOffset` on, one chunk for all of them.
std::vector<uint8_t> movieBox(const std::vector<uint32_t>& sampleSizes, uint64_t firstSampleOffset,
                              uint32_t width, uint32_t height, uint32_t fps);

} // namespace vsim
