#pragma once
// One simulated camera body: identity, the capability list of its source
// object with current values, and the items (pictures, movies) it holds.
#include "SimCapability.h"
#include "SimLenses.h"
#include "SimLiveState.h"
#include "SimModels.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vsim {

// Size of a movie the body writes unless told otherwise.
constexpr uint32_t kDefaultMovieSize = 32u << 20;

// What the body recorded when it took a picture; the files are made from it
// when the program acquires them, the same bytes every time.
struct SimShot {
    bool raw = false; // an ORW file
    bool jpeg = true; // a JPEG file
    int jpegQuality = 90;
    uint32_t width = 0; // the JPEG's pixels, as set at the release
    uint32_t height = 0;
    uint32_t rawSize = 0;       // bytes of the ORW file
    double exposureStops = 0.0; // the meter's reading
};

struct SimDeliverySettings;
class SimMovieFile;

// One file of an explicit list (items a test sets up).
struct SimListedFile {
    uint32_t kind = 0;
    uint16_t fileType = 0;
    uint32_t size = 0;
    bool onDisk = false;      // delivered as its 256-byte file name
    bool rawRows = false;     // delivered as raw image rows
    uint32_t bytesPerRow = 0; // raw image rows only
};

// A data object inside an item: image data (id 1) or video data (id 4).
struct SimDataObject {
    uint32_t id = 0;
    std::vector<SimCapability> capabilities;
};

// A picture or movie the camera announced under its source.
struct SimItem {
    uint32_t id = 0;
    uint32_t number = 0; // the file number in its name (DSC_0001)
    uint32_t dataKinds = 0;
    std::vector<SimCapability> capabilities;
    std::vector<SimDataObject> data;
    std::optional<SimShot> shot;      // pictures: the files follow the shot
    std::vector<SimListedFile> files; // or these, when not empty
    uint32_t movieSize = kDefaultMovieSize;
    // A movie the body recorded itself; its size is the file's.
    std::shared_ptr<const SimMovieFile> recorded;
    // Every file went to the program once (the last chunk was taken, the
    // movie's last byte read); until then the camera holds the item.
    bool taken = false;

    SimDataObject* findData(uint32_t dataId);
    const SimDataObject* findData(uint32_t dataId) const;
    // "DSC_0001": the name of the item, its files' names without extension.
    std::string stem() const;
};

// What the body remembers between actions besides its values: the lens on
// it, the light of its scene, a bulb exposure in progress and releases the
// program started that are still to finish.
struct SimBodyState {
    const SimLens* lens = nullptr;
    double sceneStops = 0.0; // above the light the power-on settings expose correctly
    bool bulbOpen = false;
    uint32_t releasesDue = 0;
    uint32_t shots = 0;
    uint32_t afModeWithProcessor = 0; // AF mode to return to from a manual lens
};

class SimCamera {
public:
    // `handle` numbers the camera for the control interface; the serial
    // number derives from it, so every body has its own.
    SimCamera(int handle, const SimModel& model);

    int handle() const { return m_handle; }
    uint32_t sourceId() const;
    const std::string& model() const { return m_model.name; }
    const std::string& serialNumber() const { return m_serial; }
    const std::string& firmwareVersion() const { return m_firmware; }

    std::vector<SimCapability>& capabilities() { return m_caps; }
    SimCapability* find(uint32_t capId);
    bool remove(uint32_t capId);
    // Keeps dependent values in step after a value changed (for example the
    // manual-lens data follow the selected lens number).
    void afterWrite(uint32_t capId);

    // A picture (kind 0x01) records the shot from the settings now (the
    // body's and the delivery's); a movie (0x04) gets the default size.
    SimItem& addItem(uint32_t dataKinds, const SimDeliverySettings& delivery);
    // An item whose image data object delivers exactly `files`; without
    // files the item has no data kinds and no data object.
    SimItem& addFileItem(std::vector<SimListedFile> files);
    SimItem* findItem(uint32_t itemId);
    bool removeItem(uint32_t itemId);
    const std::vector<SimItem>& items() const { return m_items; }

    SimBodyState& body() { return m_body; }
    SimLiveState& live() { return m_live; }

private:
    static constexpr size_t kLensSlots = 9;
    SimItem& newItem(uint32_t dataKinds);

    struct LensData {
        uint32_t focalIndex = 0;
        uint32_t apertureIndex = 0;
    };

    int m_handle = 0;
    SimModel m_model;
    std::string m_serial;
    std::string m_firmware = "1.01";
    std::vector<SimCapability> m_caps;
    std::vector<SimItem> m_items;
    uint32_t m_nextItemNumber = 1;
    LensData m_lenses[kLensSlots];
    SimBodyState m_body;
    SimLiveState m_live;
};

// The capability list of a source for a model (values at power-on).
std::vector<SimCapability> sourceCapabilities(const SimModel& model);

} // namespace vsim
