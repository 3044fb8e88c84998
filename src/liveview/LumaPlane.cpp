#include "liveview/LumaPlane.h"

#include "liveview/VectorLoops.h"

VANTORA_VECTOR_LOOP
void LumaRow(const uint32_t* __restrict pixels, uint8_t* __restrict luma, int width) {
    for (int x = 0; x < width; ++x) {
        luma[x] = LumaOf(pixels[x]);
    }
}
