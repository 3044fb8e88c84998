#include "SimCamera.h"

#include "SimItemFiles.h"

#include <algorithm>
#include <ctime>
#include <utility>

namespace vsim {

namespace {

constexpr uint32_t kR = orv::kOpGet;
constexpr uint32_t kRW = orv::kOpGet | orv::kOpSet;
constexpr uint32_t kW = orv::kOpSet;
constexpr uint32_t kArrayR = orv::kOpGet | orv::kOpGetArray;
constexpr uint32_t kArrayRW = orv::kOpGet | orv::kOpSet | orv::kOpGetArray;
constexpr uint32_t kFirstSerial = 3012345;
constexpr uint32_t kSourceIdBase = 0x1000;
constexpr uint32_t kItemIdBase = 0x10000;
constexpr double kPowerOnFNumber = 5.6;
constexpr uint32_t kManualLenses = 9;

const std::vector<uint32_t> kIsoValues = {100, 125,  160,  200,  250,  320,  400,  500, 640,
                                          800, 1000, 1250, 1600, 2000, 2500, 3200, 6400};
const std::vector<std::string> kShutterSpeeds = {
    "Bulb", "30\"", "15\"", "8\"",   "4\"",   "2\"",   "1\"",    "1/2",    "1/4",    "1/8",
    "1/15", "1/30", "1/60", "1/125", "1/250", "1/500", "1/1000", "1/2000", "1/4000", "1/8000"};
const std::vector<std::string> kWbModes = {
    "Auto",   "Incandescent", "Fluorescent", "Direct sunlight", "Flash",
    "Cloudy", "Shade",        "Color temp.", "Preset"};
const std::vector<uint32_t> kManualFocal = {0,  8,   15,  18,  20,  24,  28,  35,  50,
                                            85, 105, 135, 180, 200, 300, 400, 500, 600};
const std::vector<uint32_t> kManualAperture = {0,  12, 14, 18, 20,  25,  28, 35,
                                               40, 45, 56, 80, 110, 160, 220};

orv::DateTimeRecord powerOnClock() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    orv::DateTimeRecord dt{};
    dt.year = static_cast<uint16_t>(local.tm_year + 1900);
    dt.month = static_cast<uint16_t>(local.tm_mon); // the module counts months from 0
    dt.day = static_cast<uint16_t>(local.tm_mday);
    dt.hour = static_cast<uint16_t>(local.tm_hour);
    dt.minute = static_cast<uint16_t>(local.tm_min);
    dt.second = static_cast<uint16_t>(std::min(local.tm_sec, 59));
    return dt;
}

std::vector<uint32_t> sequence(uint32_t count) {
    std::vector<uint32_t> values(count);
    for (uint32_t i = 0; i < count; ++i) {
        values[i] = i;
    }
    return values;
}

// The aperture list of the power-on lens, at f/5.6.
SimCapability makeApertures(uint32_t id, const char* description) {
    const std::vector<std::string> texts = apertureTexts(defaultLens());
    return makeEnumTexts(id, kRW, texts, nearestAperture(texts, kPowerOnFNumber), description);
}

void addExposure(std::vector<SimCapability>& caps) {
    caps.push_back(makeEnumValues(orv::kCapSensitivity, kRW, kIsoValues, 0, "Sensitivity"));
    caps.push_back(makeApertures(orv::kCapAperture, "Aperture"));
    caps.push_back(makeEnumTexts(orv::kCapShutterSpeed, kRW, kShutterSpeeds, 14, "Shutter speed"));
    // A switch on the body; the program can only watch it.
    caps.push_back(makeUnsigned(orv::kCapShutterSpeedLock, kR, 0, "Shutter speed lock setting"));
    caps.push_back(makeEnumValues(orv::kCapExposureMode, kRW, {0, 1, 2, 3}, 3, "Exposure mode"));
    caps.push_back(makeRange(orv::kCapExposureComp, kRW, -5.0, 5.0, 31, 15, "Exposure comp."));
    caps.push_back(makeFloat(orv::kCapExposureStatus, kR, 0.0, "Exposure status"));
    caps.push_back(makeUnsigned(orv::kCapMeteringMode, kRW, 0, "Metering mode"));
    caps.push_back(makeUnsigned(orv::kCapBlinkingStatus, kR, 0, "Blinking status"));
    caps.push_back(makeUnsigned(orv::kCapShootingMode, kRW, 0, "Shooting mode"));
    caps.push_back(makeUnsigned(orv::kCapRemainContinuous, kR, 100, "Remain continous shooting"));
    caps.push_back(makeEnumValues(orv::kCapFlashMode, kRW, {0, 1, 2, 3, 4, 5}, 0, "Flash mode"));
    caps.push_back(makeUnsigned(orv::kCapInternalFlashStatus, kR, 0, "Internal flash status"));
}

void addImage(std::vector<SimCapability>& caps, const SimModel& model) {
    caps.push_back(
        makeEnumTexts(orv::kCapCompression, kRW,
                      {"Basic", "Normal", "Fine", "RAW", "RAW+Basic", "RAW+Normal", "RAW+Fine"}, 2,
                      "Compression level"));
    caps.push_back(makeEnumTexts(orv::kCapImageSize, kRW, {"4288x2848", "3216x2136", "2144x1424"},
                                 0, "Image size"));
    caps.push_back(makeEnumTexts(orv::kCapWbMode, kRW, kWbModes, 0, "WB mode"));
    caps.push_back(
        makeRange(orv::kCapWbColorTemp, kRW, 2500, 10000, 76, 27, "WB tune color temperature"));
    caps.push_back(makeUnsigned(orv::kCapRawBitMode, kRW, 0, "Compress RAW bit mode"));
    // Image area values start at 3; a body with one area cannot change it.
    const uint32_t areas = imageAreaCount(model.cameraType);
    caps.push_back(makeUnsigned(orv::kCapCcdDataMode, areas > 1 ? kRW : kR, areas > 1 ? 4 : 3,
                                "CCD data mode"));
    caps.push_back(makeUnsigned(orv::kCapRawCompressEx, kRW, 2, "Compress RAW Ex"));
    caps.push_back(makeUnsigned(orv::kCapJpegCompressionPolicy, kRW, 1, "Jpeg compression policy"));
    caps.push_back(makeUnsigned(orv::kCapImageColorSpace, kRW, 0, "Image color space"));
    caps.push_back(makeUnsigned(orv::kCapImagePreset, kRW, 1, "Image preset"));
    caps.push_back(makeUnsigned(orv::kCapSaveMedia, kRW, 0, "Save media"));
    if ((model.features & kFeatureDualSlot) != 0) {
        caps.push_back(makeUnsigned(orv::kCapSlot2SaveMode, kRW, 0, "Slot 2 image save mode"));
        caps.push_back(makeUnsigned(orv::kCapPrimarySlot, kRW, 0, "Primary slot"));
        caps.push_back(makeUnsigned(orv::kCapActiveSlot, kR, 3, "Active slot"));
    } else {
        caps.push_back(makeUnsigned(orv::kCapActiveSlot, kR, 1, "Active slot"));
    }
}

void addFocus(std::vector<SimCapability>& caps, const SimModel& model) {
    caps.push_back(makeProcess(orv::kCapAutoFocus, "AutoFocus"));
    caps.push_back(makeUnsigned(orv::kCapFocusMode, kR, 1, "Focus mode"));
    caps.push_back(makeUnsigned(orv::kCapAfMode, kRW, 0, "AF mode"));
    caps.push_back(makeEnumTexts(orv::kCapFocusAreaMode, kRW,
                                 {"Single point", "Dynamic area", "Auto area", "3D tracking"}, 0,
                                 "Focus area mode"));
    // Index n is AF point n of the body's layout; 0 stands for no point.
    const uint32_t points = std::max<uint32_t>(afPointCount(model.cameraType), 11);
    caps.push_back(makeEnumValues(orv::kCapFocusPreferredArea, kRW, sequence(points + 1), 1,
                                  "Focus preferred area"));
}

void addLiveView(std::vector<SimCapability>& caps, const SimModel& model) {
    if ((model.features & kFeatureLiveView) == 0) {
        return;
    }
    caps.push_back(makeUnsigned(orv::kCapLiveViewStatus, kRW, 0, "LiveView status"));
    caps.push_back(
        makeEnumValues(orv::kCapLiveViewZoom, kRW, {0, 1, 3, 5, 6}, 0, "LiveView image zoom rate"));
    caps.push_back(makeUnsigned(orv::kCapContrastAf, kRW, 0, "Contrast AF"));
    caps.push_back(makeUnsigned(orv::kCapLiveViewProhibit, kR, 0, "LiveView prohibit"));
    caps.push_back(makeEnumTexts(orv::kCapLiveViewWbMode, kRW, kWbModes, 0, "LiveView WB mode"));
    caps.push_back(makeEnumValues(orv::kCapLiveViewSelector, kRW, {0, 1}, 0, "LiveView selector"));
    caps.push_back(makeRange(orv::kCapMfDriveStep, kRW, 1, 32767, 0, 0, "MF drive step"));
    caps.push_back(makeUnsigned(orv::kCapMfDrive, kW, 0, "MF drive"));
    SimCapability area = makeUnsigned(orv::kCapContrastArea, kRW, 0, "Contrast area");
    area.valueType = orv::kVtPoint;
    area.rect.x = kSensorWidth / 2; // contrast AF starts in the middle
    area.rect.y = kSensorHeight / 2;
    caps.push_back(area);
    // Face priority, wide area, normal area, tracking.
    SimCapability afArea = makeUnsigned(orv::kCapLiveViewAfArea, kRW, 1, "LiveView AF area mode");
    afArea.unsignedLimit = 3;
    caps.push_back(afArea);
    caps.push_back(makeEnumValues(orv::kCapLiveViewExposurePreview, kRW, {0, 1}, 0,
                                  "LiveView exposure preview"));
    SimCapability image = makeUnsigned(orv::kCapLiveViewImage, kArrayR, 0, "Get LiveView image");
    image.valueType = orv::kVtArray;
    image.elementType = orv::kElemUnsigned;
    image.bytesPerElement = 1;
    caps.push_back(image);
}

void addMovie(std::vector<SimCapability>& caps, const SimModel& model) {
    if ((model.features & kFeatureMovie) == 0) {
        return;
    }
    caps.push_back(makeUnsigned(orv::kCapMovieScreenSize, kRW, 0, "Movie screen size"));
    caps.push_back(makeUnsigned(orv::kCapMovieQuality, kRW, 1, "Movie image quality"));
    caps.push_back(makeUnsigned(orv::kCapMovieMicrophone, kRW, 0, "Movie rec microphone"));
    caps.push_back(
        makeRange(orv::kCapMovieMicValue, kRW, 1, 20, 0, 0, "Movie rec microphone value"));
    caps.push_back(makeUnsigned(orv::kCapMovieDestination, kRW, 0, "Movie rec destination"));
    caps.push_back(makeUnsigned(orv::kCapMovieRecordStatus, kRW, 0, "Movie record in card status"));
    caps.push_back(makeUnsigned(orv::kCapMovieProhibit, kR, 0, "Movie record in card prohibit"));
    caps.push_back(
        makeEnumValues(orv::kCapMovieSensitivity, kRW, kIsoValues, 0, "Movie sensitivity"));
    caps.push_back(makeApertures(orv::kCapMovieAperture, "Movie aperture"));
    caps.push_back(makeEnumTexts(orv::kCapMovieShutterSpeed, kRW,
                                 {"1/30", "1/60", "1/125", "1/250", "1/500"}, 1,
                                 "Movie shutter speed"));
    caps.push_back(
        makeRange(orv::kCapMovieExposureComp, kRW, -3.0, 3.0, 19, 9, "Movie exposure comp"));
}

// Bank and preset names are fixed-width fields the body pads with blanks.
constexpr uint16_t kNameField = 19;

void addTexts(std::vector<SimCapability>& caps, const SimModel& model) {
    caps.push_back(makeText(orv::kCapUserComment, kRW, "", "User comment"));
    caps.push_back(makeBoolean(orv::kCapEnableComment, kRW, false, "Enable comment"));
    caps.push_back(makeText(orv::kCapArtistName, kRW, "", "Artist name"));
    caps.push_back(makeText(orv::kCapCopyrightInfo, kRW, "", "Copyright info"));
    caps.push_back(makeBoolean(orv::kCapEnableCopyright, kRW, false, "Enable copyright"));
    caps.push_back(
        makeTextArray(orv::kCapShootingBankName, kArrayRW, {"", "", "", ""}, "Shooting bank name"));
    caps.push_back(makePaddedTextArray(orv::kCapWbPresetName, kArrayRW,
                                       {"PRESET 1", "PRESET 2", "PRESET 3", "PRESET 4"}, kNameField,
                                       "WB preset name"));
    const std::vector<std::string> banks = (model.features & kFeatureFourBanks) != 0
                                               ? std::vector<std::string>{"", "", "", ""}
                                               : std::vector<std::string>{"", ""};
    caps.push_back(makePaddedTextArray(orv::kCapCustomBankName, kArrayRW, banks, kNameField,
                                       "Custom bank name"));
    SimCapability generic =
        makeText(orv::kCapGenericText, kR, "Orvel " + model.name, "Generic text");
    generic.valueType = orv::kVtGeneric;
    caps.push_back(generic);
}

void addLens(std::vector<SimCapability>& caps, const SimModel& model) {
    caps.push_back(makeText(orv::kCapLensInfo, kR, defaultLens().info, "Lens info"));
    caps.push_back(makeUnsigned(orv::kCapLensType, kR, defaultLens().lensType, "Lens type"));
    if ((model.features & kFeatureManualLens) == 0) {
        return;
    }
    SimCapability lensNo = makeUnsigned(orv::kCapManualLensNo, kRW, 0, "Manual set lens no");
    lensNo.unsignedLimit = kManualLenses - 1;
    caps.push_back(lensNo);
    caps.push_back(makeEnumValues(orv::kCapManualFocalLength, kRW, kManualFocal, 0, "F mm manual"));
    caps.push_back(makeEnumValues(orv::kCapManualAperture, kRW, kManualAperture, 0, "F 0 manual"));
}

} // namespace

std::vector<SimCapability> sourceCapabilities(const SimModel& model) {
    std::vector<SimCapability> caps;
    caps.push_back(makeCallback(orv::kCapProgressProc, "Progress procedure"));
    caps.push_back(makeCallback(orv::kCapEventProc, "Event procedure"));
    caps.push_back(makeText(orv::kCapName, kR, model.name, "Name"));
    caps.push_back(makeUnsigned(orv::kCapDeviceKind, kR, 2, "Device kind"));
    caps.push_back(makeUnsigned(orv::kCapCameraType, kR, model.cameraType, "Camera type"));
    caps.push_back(makeInteger(orv::kCapBatteryLevel, kR, 87, "Battery level"));
    caps.push_back(makeEnumValues(orv::kCapUsbSpeed, kR, {0, 1, 2}, 1, "USB speed"));
    caps.push_back(makeBoolean(orv::kCapLockCamera, kRW, false, "Lock camera"));
    SimCapability clock = makeUnsigned(orv::kCapClockDateTime, kRW, 0, "Clock date time");
    clock.valueType = orv::kVtDateTime;
    clock.dateTime = powerOnClock();
    caps.push_back(clock);
    caps.push_back(makeProcess(orv::kCapCapture, "Capture"));
    SimCapability terminate = makeProcess(orv::kCapTerminateCapture, "Terminate Capture");
    terminate.valueType = orv::kVtGeneric;
    caps.push_back(terminate);
    addExposure(caps);
    addImage(caps, model);
    addFocus(caps, model);
    addLiveView(caps, model);
    addMovie(caps, model);
    addTexts(caps, model);
    addLens(caps, model);
    return caps;
}

SimDataObject* SimItem::findData(uint32_t dataId) {
    return const_cast<SimDataObject*>(std::as_const(*this).findData(dataId));
}

const SimDataObject* SimItem::findData(uint32_t dataId) const {
    for (const SimDataObject& d : data) {
        if (d.id == dataId) {
            return &d;
        }
    }
    return nullptr;
}

std::string SimItem::stem() const {
    return "DSC_" + std::to_string(10000 + number).substr(1);
}

SimCamera::SimCamera(int handle, const SimModel& model)
    : m_handle(handle), m_model(model),
      m_serial(std::to_string(kFirstSerial + static_cast<uint32_t>(handle) - 1)),
      m_caps(sourceCapabilities(model)) {
    m_body.lens = &defaultLens();
    // Lens 1 is a 50 mm f/1.8 from the factory; the others are not set.
    m_lenses[0] = {8, 3};
    afterWrite(orv::kCapManualLensNo);
}

uint32_t SimCamera::sourceId() const {
    return kSourceIdBase + static_cast<uint32_t>(m_handle);
}

SimCapability* SimCamera::find(uint32_t capId) {
    for (SimCapability& cap : m_caps) {
        if (cap.id == capId) {
            return &cap;
        }
    }
    return nullptr;
}

bool SimCamera::remove(uint32_t capId) {
    const auto it = std::find_if(m_caps.begin(), m_caps.end(),
                                 [capId](const SimCapability& c) { return c.id == capId; });
    if (it == m_caps.end()) {
        return false;
    }
    m_caps.erase(it);
    return true;
}

void SimCamera::afterWrite(uint32_t capId) {
    SimCapability* lensNo = find(orv::kCapManualLensNo);
    SimCapability* focal = find(orv::kCapManualFocalLength);
    SimCapability* aperture = find(orv::kCapManualAperture);
    if (lensNo == nullptr || focal == nullptr || aperture == nullptr) {
        return;
    }
    if (capId == orv::kCapManualLensNo) {
        // Lens numbers beyond the stored slots fall back to the last slot.
        const LensData& lens = m_lenses[std::min<size_t>(lensNo->u, kLensSlots - 1)];
        focal->currentIndex = lens.focalIndex;
        aperture->currentIndex = lens.apertureIndex;
    } else if (capId == orv::kCapManualFocalLength || capId == orv::kCapManualAperture) {
        LensData& lens = m_lenses[std::min<size_t>(lensNo->u, kLensSlots - 1)];
        lens.focalIndex = focal->currentIndex;
        lens.apertureIndex = aperture->currentIndex;
    }
}

namespace {

void addDataObject(SimItem& item, uint32_t id, const std::string& name, uint32_t kinds) {
    SimDataObject data;
    data.id = id;
    data.capabilities.push_back(makeCallback(orv::kCapProgressProc, "Progress procedure"));
    data.capabilities.push_back(makeCallback(orv::kCapEventProc, "Event procedure"));
    data.capabilities.push_back(makeCallback(orv::kCapDataProc, "Data procedure"));
    data.capabilities.push_back(makeText(orv::kCapName, kR, name, "Name"));
    data.capabilities.push_back(makeUnsigned(orv::kCapDataKinds, kR, kinds, "Data kinds"));
    data.capabilities.push_back(makeProcess(orv::kCapAcquire, "Acquire"));
    if (kinds == orv::kKindVideo) {
        SimCapability read = makeProcess(orv::kCapMovieRead, "Movie read");
        read.valueType = orv::kVtGeneric;
        read.operations = orv::kOpGet | orv::kOpSet | orv::kOpGetArray;
        data.capabilities.push_back(read);
    }
    item.data.push_back(std::move(data));
}

} // namespace

SimItem& SimCamera::newItem(uint32_t dataKinds) {
    SimItem item;
    item.number = m_nextItemNumber++;
    item.id = kItemIdBase + item.number;
    item.dataKinds = dataKinds;
    item.capabilities.push_back(makeCallback(orv::kCapProgressProc, "Progress procedure"));
    item.capabilities.push_back(makeCallback(orv::kCapEventProc, "Event procedure"));
    item.capabilities.push_back(makeText(orv::kCapName, kR, item.stem(), "Name"));
    item.capabilities.push_back(makeUnsigned(orv::kCapDataKinds, kR, dataKinds, "Data kinds"));
    m_items.push_back(std::move(item));
    return m_items.back();
}

SimItem& SimCamera::addItem(uint32_t dataKinds, const SimDeliverySettings& delivery) {
    SimItem& item = newItem(dataKinds);
    if ((dataKinds & orv::kKindImage) != 0) {
        item.shot = shotFrom(m_caps, delivery);
        addDataObject(item, 1, item.stem() + ".JPG", orv::kKindImage | orv::kKindFile);
    }
    if ((dataKinds & orv::kKindVideo) != 0) {
        addDataObject(item, 4, item.stem() + ".MOV", orv::kKindVideo);
    }
    return item;
}

SimItem& SimCamera::addFileItem(std::vector<SimListedFile> files) {
    uint32_t kinds = 0;
    for (const SimListedFile& file : files) {
        kinds |= file.kind;
    }
    SimItem& item = newItem(files.empty() ? 0 : uint32_t{orv::kKindImage});
    if (!files.empty()) {
        addDataObject(item, 1, item.stem() + ".JPG", kinds);
    }
    item.files = std::move(files);
    return item;
}

SimItem* SimCamera::findItem(uint32_t itemId) {
    for (SimItem& item : m_items) {
        if (item.id == itemId) {
            return &item;
        }
    }
    return nullptr;
}

bool SimCamera::removeItem(uint32_t itemId) {
    const auto it = std::find_if(m_items.begin(), m_items.end(),
                                 [itemId](const SimItem& i) { return i.id == itemId; });
    if (it == m_items.end()) {
        return false;
    }
    m_items.erase(it);
    return true;
}

} // namespace vsim
