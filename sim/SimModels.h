#pragma once
// The simulator's model table: which camera type and which optional
// capabilities each model name stands for, and the layout facts that follow
// from a camera type.
#include <cstdint>
#include <string>
#include <vector>

namespace vsim {

// Optional capability groups a model may lack.
enum ModelFeature : uint32_t {
    kFeatureMovie = 0x01,      // movie size, quality, microphone, movie exposure
    kFeatureLiveView = 0x02,   // live view status, image, zoom, contrast AF
    kFeatureManualLens = 0x04, // non-CPU lens data
    kFeatureDualSlot = 0x08,   // second card slot settings
    kFeatureFourBanks = 0x10,  // four custom setting banks (else two)
    kFeatureAll = 0x1F,
};

// One row of the model table.
struct SimModel {
    std::string name;
    uint32_t cameraType = 0;
    uint32_t features = kFeatureAll;
};

const std::vector<SimModel>& modelTable();
const SimModel* findModel(const std::string& name);

// Layout facts the program derives from the camera type; the simulator must
// agree with them (focus-area indexes, image areas).
uint32_t afPointCount(uint32_t cameraType); // 51, 39, 11, or 0 without a layout
// Number of image-area choices (CCD data mode values 3, 4, ...).
uint32_t imageAreaCount(uint32_t cameraType);

} // namespace vsim
