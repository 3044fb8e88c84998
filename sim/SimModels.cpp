#include "SimModels.h"

#include "camera/CameraTypeFacts.h"

namespace vsim {

namespace {
constexpr uint32_t kNoMovie = kFeatureAll & ~kFeatureMovie;
constexpr uint32_t kNoMovieNoLens = kFeatureAll & ~(kFeatureMovie | kFeatureManualLens);
constexpr uint32_t kNoLensNoSlot = kFeatureAll & ~(kFeatureManualLens | kFeatureDualSlot);
constexpr uint32_t kNoSlot = kFeatureAll & ~kFeatureDualSlot;
constexpr uint32_t kNoLens = kFeatureAll & ~kFeatureManualLens;
constexpr uint32_t kBasic = kFeatureLiveView;
} // namespace

// Every model the program's module table names. Together they cover each
// focus layout, live view header size and image-area list, and the bodies
// that lack optional capability groups.
const std::vector<SimModel>& modelTable() {
    static const std::vector<SimModel> kModels = {
        {"Y3", 0x20, kNoMovie & ~kFeatureLiveView},
        {"Y3S", 0x22, kNoMovie},
        {"Y300", 0x24, kNoMovie},
        {"Y300S", 0x21, kNoMovie},
        {"Y700", 0x25, kNoMovieNoLens},
        {"Y3X", 0x2B, kFeatureAll},
        {"Y90", 0x28, kNoLensNoSlot},
        {"Y5000", 0x29, kNoLensNoSlot},
        {"Y7000", 0x2E, kNoSlot},
        {"Y7100", 0x2F, kNoSlot},
        {"Y5100", 0x2D, kNoLens},
        {"Y5200", 0x30, kFeatureAll},
        {"Y5300", 0x31, kFeatureAll},
        {"Y800", 0x2A, kFeatureAll},
        {"Y800E", 0x2A, kFeatureAll},
        {"Y600", 0x26, kNoSlot},
        {"Y610", 0x2C, kNoSlot},
        {"Y4", 0x32, kFeatureAll},
        {"YF", 0x27, kBasic},
        {"Y4S", 0x32, kFeatureAll},
    };
    return kModels;
}

const SimModel* findModel(const std::string& name) {
    for (const SimModel& model : modelTable()) {
        if (model.name == name) {
            return &model;
        }
    }
    return nullptr;
}

uint32_t afPointCount(uint32_t cameraType) {
    return AfPointCountForCameraType(cameraType, 0);
}

uint32_t imageAreaCount(uint32_t cameraType) {
    const std::size_t areas = ImageAreaNames(cameraType).size();
    return areas == 0 ? 1 : static_cast<uint32_t>(areas); // "APS" alone
}

} // namespace vsim
