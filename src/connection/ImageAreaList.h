#pragma once
// Image-area (crop) choices of `cbCCDmode`, which depend on the camera type.
#include <QStringList>

#include <cstdint>

struct ImageAreaList {
    QStringList items;
    bool ownList = false; // false: the camera type has no list; "APS" only, control disabled
};

// Chosen by the low byte of the camera type (capability 0x81D7).
ImageAreaList ImageAreaItems(uint32_t cameraType);
