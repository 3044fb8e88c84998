#include "SimMovieFile.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace vsim {

namespace {

constexpr uint32_t kMovieTimescale = 1000; // movie header times in ms
constexpr uint32_t kFixedOne = 0x00010000; // 1.0 in 16.16
constexpr size_t kHeadSize = 20 + 8;       // ftyp, mdat header

// Big-endian box writer: open() leaves room for the size, close() fills it.
class Boxes {
public:
    void u8(uint32_t v) { m_out.push_back(static_cast<uint8_t>(v)); }
    void u16(uint32_t v) {
        u8(v >> 8);
        u8(v);
    }
    void u32(uint32_t v) {
        u16(v >> 16);
        u16(v);
    }
    void type(const char (&fourCc)[5]) { m_out.insert(m_out.end(), fourCc, fourCc + 4); }
    void zeros(size_t n) { m_out.insert(m_out.end(), n, 0); }
    // A Pascal string padded to `room` bytes (0: not padded).
    void pascal(const char* text, size_t room = 0) {
        const size_t length = std::strlen(text);
        u8(static_cast<uint32_t>(length));
        m_out.insert(m_out.end(), text, text + length);
        if (room > length + 1) {
            zeros(room - length - 1);
        }
    }
    void open(const char (&fourCc)[5]) {
        m_open.push_back(m_out.size());
        u32(0);
        type(fourCc);
    }
    // A full box: version 0 and `flags`.
    void openFull(const char (&fourCc)[5], uint32_t flags = 0) {
        open(fourCc);
        u32(flags);
    }
    void close() {
        const size_t at = m_open.back();
        m_open.pop_back();
        const auto size = static_cast<uint32_t>(m_out.size() - at);
        for (size_t i = 0; i < 4; ++i) {
            m_out[at + i] = static_cast<uint8_t>(size >> (24 - 8 * i));
        }
    }
    // The identity transform of movie and track headers.
    void matrix() {
        const uint32_t m[9] = {kFixedOne, 0, 0, 0, kFixedOne, 0, 0, 0, 0x40000000};
        for (const uint32_t v : m) {
            u32(v);
        }
    }
    std::vector<uint8_t> take() { return std::move(m_out); }

private:
    std::vector<uint8_t> m_out;
    std::vector<size_t> m_open;
};

void movieHeader(Boxes& b, uint32_t duration_ms) {
    b.openFull("mvhd");
    b.u32(0); // created
    b.u32(0); // modified
    b.u32(kMovieTimescale);
    b.u32(duration_ms);
    b.u32(kFixedOne); // rate
    b.u16(0x0100);    // volume 1.0
    b.zeros(10);
    b.matrix();
    b.zeros(6 * 4); // preview, poster, selection and current times
    b.u32(2);       // next track id
    b.close();
}

void trackHeader(Boxes& b, uint32_t duration_ms, uint32_t width, uint32_t height) {
    b.openFull("tkhd", 0x03); // enabled, in the movie
    b.u32(0);
    b.u32(0);
    b.u32(1); // track id
    b.zeros(4);
    b.u32(duration_ms);
    b.zeros(8);
    b.u16(0); // layer
    b.u16(0); // alternate group
    b.u16(0); // volume: a video track has none
    b.zeros(2);
    b.matrix();
    b.u32(width << 16);
    b.u32(height << 16);
    b.close();
}

void handler(Boxes& b, const char (&component)[5], const char (&subtype)[5], const char* name) {
    b.openFull("hdlr");
    b.type(component);
    b.type(subtype);
    b.zeros(12); // manufacturer, flags, flags mask
    b.pascal(name);
    b.close();
}

void sampleDescription(Boxes& b, uint32_t width, uint32_t height) {
    b.openFull("stsd");
    b.u32(1);
    b.open("jpeg");
    b.zeros(6);
    b.u16(1); // data reference index
    b.u16(0); // version
    b.u16(0); // revision
    b.zeros(4);
    b.u32(0);     // temporal quality
    b.u32(0x200); // spatial quality: normal
    b.u16(width);
    b.u16(height);
    b.u32(72 << 16); // 72 dpi
    b.u32(72 << 16);
    b.u32(0); // data size
    b.u16(1); // frames per sample
    b.pascal("Photo - JPEG", 32);
    b.u16(24);     // depth
    b.u16(0xFFFF); // no colour table
    b.close();
    b.close();
}

void sampleTables(Boxes& b, const std::vector<uint32_t>& sizes, uint64_t firstSampleOffset,
                  uint32_t width, uint32_t height) {
    const auto count = static_cast<uint32_t>(sizes.size());
    b.open("stbl");
    sampleDescription(b, width, height);
    b.openFull("stts"); // every sample lasts one media tick
    b.u32(1);
    b.u32(count);
    b.u32(1);
    b.close();
    b.openFull("stsc"); // one chunk holds them all
    b.u32(1);
    b.u32(1);
    b.u32(count);
    b.u32(1);
    b.close();
    b.openFull("stsz");
    b.u32(0);
    b.u32(count);
    for (const uint32_t size : sizes) {
        b.u32(size);
    }
    b.close();
    b.openFull("stco");
    b.u32(1);
    b.u32(static_cast<uint32_t>(firstSampleOffset));
    b.close();
    b.close();
}

void mediaInformation(Boxes& b, const std::vector<uint32_t>& sizes, uint64_t firstSampleOffset,
                      uint32_t width, uint32_t height) {
    b.open("minf");
    b.openFull("vmhd", 0x01);
    b.u16(0x40); // dither copy
    b.zeros(6);
    b.close();
    handler(b, "dhlr", "alis", "DataHandler");
    b.open("dinf");
    b.openFull("dref");
    b.u32(1);
    b.openFull("alis", 0x01); // the data is in this file
    b.close();
    b.close();
    b.close();
    sampleTables(b, sizes, firstSampleOffset, width, height);
    b.close();
}

} // namespace

std::vector<uint8_t> movieBox(const std::vector<uint32_t>& sampleSizes, uint64_t firstSampleOffset,
                              uint32_t width, uint32_t height, uint32_t fps) {
    const auto count = static_cast<uint32_t>(sampleSizes.size());
    const auto duration_ms = static_cast<uint32_t>(uint64_t{count} * kMovieTimescale / fps);
    Boxes b;
    b.open("moov");
    movieHeader(b, duration_ms);
    b.open("trak");
    trackHeader(b, duration_ms, width, height);
    b.open("mdia");
    b.openFull("mdhd");
    b.u32(0);
    b.u32(0);
    b.u32(fps); // one media tick a frame
    b.u32(count);
    b.u16(0); // language
    b.u16(0); // quality
    b.close();
    handler(b, "mhlr", "vide", "VideoHandler");
    mediaInformation(b, sampleSizes, firstSampleOffset, width, height);
    b.close();
    b.close();
    b.close();
    return b.take();
}

SimMovieFile::SimMovieFile(std::vector<SimJpegBytes> frames, uint32_t width, uint32_t height,
                           uint32_t fps)
    : m_fps(std::max<uint32_t>(fps, 1)) {
    // Room for the moov box: its fixed part and four bytes a frame.
    constexpr uint64_t kMoovFixed = 4096;
    constexpr uint64_t kLimit = std::numeric_limits<uint32_t>::max();
    std::vector<uint32_t> sizes;
    uint64_t at = kHeadSize;
    for (SimJpegBytes& frame : frames) {
        if (!frame || at + frame->size() + kMoovFixed + 4 * (sizes.size() + 1) > kLimit) {
            break;
        }
        m_frameStarts.push_back(at);
        sizes.push_back(static_cast<uint32_t>(frame->size()));
        at += frame->size();
        m_frames.push_back(std::move(frame));
    }
    Boxes head;
    head.open("ftyp");
    head.type("qt  ");
    head.u32(0x00000200);
    head.type("qt  ");
    head.close();
    head.u32(static_cast<uint32_t>(at - 20)); // the mdat box: header and frames
    head.type("mdat");
    m_head = head.take();
    m_tail = movieBox(sizes, kHeadSize, width, height, m_fps);
    m_size = static_cast<uint32_t>(at + m_tail.size());
}

uint32_t SimMovieFile::duration_ms() const {
    return static_cast<uint32_t>(uint64_t{frameCount()} * kMovieTimescale / m_fps);
}

void SimMovieFile::read(uint64_t offset, uint8_t* out, size_t n) const {
    std::memset(out, 0, n);
    const uint64_t end = offset + n;
    // Copies the part of [start, start + bytes) that falls into the request.
    auto copy = [&](uint64_t start, const uint8_t* bytes, size_t length) {
        const uint64_t from = std::max(offset, start);
        const uint64_t to = std::min(end, start + length);
        if (from < to) {
            std::memcpy(out + (from - offset), bytes + (from - start), to - from);
        }
    };
    copy(0, m_head.data(), m_head.size());
    // The first frame that ends after `offset`.
    auto it = std::upper_bound(m_frameStarts.begin(), m_frameStarts.end(), offset);
    size_t index = it == m_frameStarts.begin() ? 0 : size_t(it - m_frameStarts.begin()) - 1;
    for (; index < m_frames.size() && m_frameStarts[index] < end; ++index) {
        copy(m_frameStarts[index], m_frames[index]->data(), m_frames[index]->size());
    }
    copy(m_size - m_tail.size(), m_tail.data(), m_tail.size());
}

} // namespace vsim
