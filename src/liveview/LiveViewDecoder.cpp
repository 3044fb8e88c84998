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

bool LiveViewDecoder::decode(std::span<const uint8_t> jpeg, bool toPixels) {
    if (m_handle == nullptr || jpeg.empty()) {
        return false;
    }
    if (decodeWith(jpeg, toPixels)) {
        return true;
    }
    // After a damaged frame the decompressor refuses good ones too (its
    // reader is left inside the broken image): a new one takes over.
    tjDestroy(m_handle);
    m_handle = tjInitDecompress();
    return false;
}

LumaView LiveViewDecoder::luma() const {
    if (m_subsampling < 0) {
        return {};
    }
    return {m_planeData[0].data(), m_strides[0], m_bitmap.width(), m_bitmap.height()};
}

bool LiveViewDecoder::preparePlanes(int width, int height, int subsampling) {
    const int planes = subsampling == TJSAMP_GRAY ? 1 : 3;
    for (int i = 0; i < 3; ++i) {
        if (i >= planes) {
            m_planeData[i].clear();
            m_strides[i] = 0;
            continue;
        }
        const int planeWidth = tjPlaneWidth(i, width, subsampling);
        const int planeHeight = tjPlaneHeight(i, height, subsampling);
        if (planeWidth <= 0 || planeHeight <= 0) {
            return false;
        }
        m_strides[i] = planeWidth;
        m_planeData[i].resize(static_cast<size_t>(planeWidth) * static_cast<size_t>(planeHeight));
    }
    m_subsampling = subsampling;
    return true;
}

bool LiveViewDecoder::decodeWith(std::span<const uint8_t> jpeg, bool toPixels) {
    const auto size = static_cast<unsigned long>(jpeg.size());
    int width = 0;
    int height = 0;
    int subsampling = 0;
    int colorspace = 0;
    m_subsampling = -1;
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
    if (!preparePlanes(width, height, subsampling)) {
        return false;
    }
    unsigned char* planes[3] = {m_planeData[0].data(), m_planeData[1].data(),
                                m_planeData[2].data()};
    // A warning (a frame cut short, say) still gives a picture worth showing.
    const bool decoded = tjDecompressToYUVPlanes(m_handle, jpeg.data(), size, planes, width,
                                                 m_strides, height, TJFLAG_FASTDCT) == 0 ||
                         tjGetErrorCode(m_handle) == TJERR_WARNING;
    if (!decoded) {
        m_subsampling = -1;
        return false;
    }
    if (!toPixels) {
        return true;
    }
    const unsigned char* source[3] = {planes[0], planes[1], planes[2]};
    return tjDecodeYUVPlanes(m_handle, source, m_strides, subsampling, m_bitmap.bits(), width,
                             static_cast<int>(m_bitmap.bytesPerLine()), height, TJPF_BGRX,
                             TJFLAG_FASTDCT) == 0;
}
