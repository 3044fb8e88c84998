#pragma once
// Decoding JPEG pictures for display with libjpeg-turbo. A full-size camera
// picture (6000x4000) is decoded at the smallest of the decoder's scale
// factors that still covers the area it is shown in, so that showing it
// stays quick; the picture's own size is reported all the same.
#include <QImage>
#include <QSize>

#include <cstddef>
#include <cstdint>
#include <string>

namespace jpeg {

struct Scale {
    int num = 1;
    int denom = 1;
    bool operator==(const Scale&) const = default;
};

// The smallest factor of at most 1/1 at which `picture`, fitted into `area`
// with its proportions kept, needs no enlarging. An empty area gives 1/1.
Scale coveringScale(QSize picture, QSize area);

struct Picture {
    QImage image;   // decoded, possibly scaled down
    QSize fullSize; // as the file states it
    std::string error;
    bool ok() const { return error.empty(); }
};

class JpegDecoder {
public:
    JpegDecoder();
    ~JpegDecoder();
    JpegDecoder(const JpegDecoder&) = delete;
    JpegDecoder& operator=(const JpegDecoder&) = delete;

    Picture decode(const uint8_t* data, std::size_t size, QSize area);
    Picture decodeFile(const std::string& path, QSize area);

private:
    void* m_handle = nullptr;
};

} // namespace jpeg
