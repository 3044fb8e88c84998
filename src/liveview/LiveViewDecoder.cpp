#include "liveview/LiveViewDecoder.h"

#include <turbojpeg.h>

namespace {
// Larger sides are not a live frame: refused before any memory is taken.
constexpr int kMaxSide = 8192;
} // namespace

LiveViewDecoder::LiveViewDecoder() : m_handle(tjInitDecompress()) {}

LiveViewDecoder::~LiveViewDecoder() {
    if (m_handle != nullptr) {
        tjDestroy(m_handle);
    }
}

bool LiveViewDecoder::decode(std::span<const uint8_t> jpeg) {
    if (m_handle == nullptr || jpeg.empty()) {
        return false;
    }
    if (decodeWith(jpeg)) {
        return true;
    }
    // After a damaged frame the decompressor refuses good ones too (its
    // reader is left inside the broken image): a new one takes over.
    tjDestroy(m_handle);
    m_handle = tjInitDecompress();
    return false;
}

bool LiveViewDecoder::decodeWith(std::span<const uint8_t> jpeg) {
    const auto size = static_cast<unsigned long>(jpeg.size());
    int width = 0;
    int height = 0;
    int subsampling = 0;
    int colorspace = 0;
    if (tjDecompressHeader3(m_handle, jpeg.data(), size, &width, &height, &subsampling,
                            &colorspace) != 0 ||
        width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
        return false;
    }
    if (m_bitmap.width() != width || m_bitmap.height() != height) {
        m_bitmap = QImage(width, height, QImage::Format_RGB32);
        if (m_bitmap.isNull()) {
            return false;
        }
    }
    // A warning (a frame cut short, say) still gives a picture worth showing.
    return tjDecompress2(m_handle, jpeg.data(), size, m_bitmap.bits(), width,
                         static_cast<int>(m_bitmap.bytesPerLine()), height, TJPF_BGRX,
                         TJFLAG_FASTDCT) == 0 ||
           tjGetErrorCode(m_handle) == TJERR_WARNING;
}
