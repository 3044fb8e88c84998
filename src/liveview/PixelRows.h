#pragma once
// The rows of a 32-bit image, fetched once per drawing: QImage::scanLine()
// checks for sharing on every call, which adds up over the lines and dots
// the aids draw.
#include "liveview/LiveViewGeometry.h"

#include <QImage>

#include <algorithm>
#include <cstdint>

class PixelRows {
public:
    explicit PixelRows(QImage& image)
        : m_base(reinterpret_cast<uint32_t*>(image.bits())),
          m_stride(image.bytesPerLine() / static_cast<qsizetype>(sizeof(uint32_t))),
          m_width(image.width()), m_height(image.height()) {}

    int width() const { return m_width; }
    int height() const { return m_height; }
    uint32_t* row(int y) const { return m_base + y * m_stride; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    PixelBox clip(const PixelBox& box) const {
        return {std::max(box.left, 0), std::max(box.top, 0), std::min(box.right, m_width),
                std::min(box.bottom, m_height)};
    }

private:
    uint32_t* m_base;
    qsizetype m_stride;
    int m_width;
    int m_height;
};
