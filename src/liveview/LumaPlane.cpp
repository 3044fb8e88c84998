#include "liveview/LumaPlane.h"

#include "liveview/VectorLoops.h"

VANTORA_VECTOR_LOOP
void LumaRow(const uint32_t* __restrict pixels, uint8_t* __restrict luma, int width) {
    for (int x = 0; x < width; ++x) {
        luma[x] = LumaOf(pixels[x]);
    }
}

void LumaPlane::compute(const QImage& image) {
    m_width = image.width();
    m_height = image.height();
    const size_t size = static_cast<size_t>(m_width) * static_cast<size_t>(m_height);
    if (m_values.size() != size) {
        m_values.resize(size);
    }
    for (int y = 0; y < m_height; ++y) {
        LumaRow(reinterpret_cast<const uint32_t*>(image.constScanLine(y)),
                m_values.data() + static_cast<size_t>(y) * m_width, m_width);
    }
}
