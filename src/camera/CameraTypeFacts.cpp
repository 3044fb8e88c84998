#include "camera/CameraTypeFacts.h"

uint32_t AfPointCountForCameraType(uint32_t cameraType, uint32_t current) {
    switch (cameraType) {
    case 0x20:
    case 0x21:
    case 0x22:
    case 0x24:
    case 0x2A:
    case 0x2B:
    case 0x30:
    case 0x31:
    case 0x32:
        return 51;
    case 0x28:
    case 0x29:
    case 0x2F:
        return 11;
    case 0x2E:
        return 39;
    default:
        return current;
    }
}

uint32_t LiveViewHeaderSize(uint32_t cameraType) {
    if (cameraType == 0x2B) {
        return 128;
    }
    if (cameraType >= 0x2F && cameraType <= 0x32) {
        return 384;
    }
    return 64;
}

std::vector<std::string> ImageAreaNames(uint32_t cameraType) {
    switch (cameraType & 0xFF) {
    case 0x20:
    case 0x22:
    case 0x25:
    case 0x26:
    case 0x2C:
        return {"FF", "APS", "5:4"};
    case 0x24:
    case 0x2D:
        return {"FF", "APS"};
    case 0x2B:
    case 0x30:
    case 0x31:
    case 0x32:
        return {"FF", "APS", "5:4", "1.2x"};
    default:
        return {};
    }
}
