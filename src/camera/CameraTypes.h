#pragma once
// The camera module interface: commands, data types, value types, object
// types, capability ids and the packed records exchanged with a module.
// The program and the simulated module both include this header, so the two
// sides cannot disagree about a layout. Records are packed and little-endian;
// every field that carries an address or a client reference is pointer-sized
// (64-bit Linux), everything else keeps the module's original widths.
#include <cstddef>
#include <cstdint>

namespace orv {

// ---- Entry commands (low 7 bits are passed) --------------------------------
enum Command : uint32_t {
    kCmdIdle = 0,
    kCmdOpen = 1,
    kCmdClose = 2,
    kCmdGetCapCount = 3,
    kCmdGetCapInfo = 4,
    kCmdStart = 5,
    kCmdSet = 6,
    kCmdGet = 7,
    kCmdGetArray = 9,
    kCmdEnumChildren = 13,
};

// ---- Data type numbers (low 8 bits are passed) -----------------------------
enum DataType : uint32_t {
    kDtNone = 0,
    kDtUnsignedInline = 3, // the value travels in the data argument itself
    kDtBoolean = 4,
    kDtInteger = 5,
    kDtUnsigned = 6,
    kDtFloat = 7,
    kDtPoint = 8,
    kDtSize = 9,
    kDtRect = 10,
    kDtString = 11,
    kDtDateTime = 12,
    kDtCallback = 13,
    kDtRange = 14,
    kDtArray = 15,
    kDtEnum = 16,
    kDtObject = 17,
    kDtCapInfoArray = 18,
    kDtGeneric = 19,
};

// ---- Capability value types (CapabilityInfo::valueType) --------------------
enum ValueType : uint32_t {
    kVtProcess = 0,
    kVtBoolean = 1,
    kVtInteger = 2,
    kVtUnsigned = 3,
    kVtFloat = 4,
    kVtPoint = 5,
    kVtSize = 6,
    kVtRect = 7,
    kVtString = 8,
    kVtDateTime = 9,
    kVtCallback = 10,
    kVtArray = 11,
    kVtEnum = 12,
    kVtRange = 13,
    kVtGeneric = 14,
    kVtBoolDefault = 15,
};

// ---- Object types (VendorObject::type) -------------------------------------
enum ObjectType : uint32_t {
    kObjModule = 1,
    kObjSource = 2,
    kObjItem = 3,
    kObjData = 4,
};

// ---- Operation bits (CapabilityInfo::operations) ---------------------------
enum OperationBits : uint8_t {
    kOpStart = 0x01,
    kOpGet = 0x02,
    kOpSet = 0x04,
    kOpGetArray = 0x08,
};

// ---- Element types of enumerations and arrays ------------------------------
enum ElementType : uint32_t {
    kElemUnsigned = 2,
    kElemPackedText = 7, // 1 byte per element, texts separated by NUL bytes
    kElemText256 = 8,    // 256 bytes per element
};

// ---- Event numbers delivered to an object's event procedure ----------------
enum EventNumber : uint32_t {
    kEvChildAdded = 0,
    kEvChildRemoved = 1,
    kEvCapListChanged = 4,
    kEvOrphanedChildren = 5,
    kEvCapValueChanged = 6,
};

// ---- Results --------------------------------------------------------------
// Callers judge the low byte of a result read as a signed 8-bit number.
inline int8_t resultByte(int32_t result) {
    return static_cast<int8_t>(result & 0xFF);
}
constexpr int8_t kResultArrayTooSmall = -124; // 0x84
constexpr int8_t kResultOutOfMemory = -118;   // 0x8A
constexpr uint8_t kResultStartPending = 0xA4; // accepted by a start request

// A result the module gives when it has taken the request and will call the
// completion procedure.
inline bool acceptedResult(int32_t result) {
    const int8_t byte = resultByte(result);
    return byte == 0 || byte == 1 || (result & 0xFF) == kResultStartPending;
}

// ---- User-interface request replies ----------------------------------------
enum UiReply : uint32_t {
    kReplyNone = 0,
    kReplyOk = 1,
    kReplyCancel = 2,
    kReplyYes = 3,
    kReplyNo = 4,
};

// ---- Data kinds (data information records, capability 0x0C) ---------------
enum DataKind : uint32_t {
    kKindImage = 0x01,
    kKindSound = 0x02,
    kKindVideo = 0x04,
    kKindThumbnail = 0x08,
    kKindFile = 0x10,
};

enum FileType : uint16_t {
    kFileJpeg = 1,
    kFileTiff = 2,
    kFileOrw = 4,
    kFileDdf = 0x101,
};

// ---- Capability ids --------------------------------------------------------
enum CapId : uint32_t {
    kCapProgressProc = 0x02,
    kCapEventProc = 0x03,
    kCapDataProc = 0x04,
    kCapUiRequestProc = 0x05,
    kCapSources = 0x07, // module: enumeration of source ids
    kCapName = 0x09,    // object name (camera model, data object file name)
    kCapDataKinds = 0x0C,
    kCapCapture = 0x11,
    kCapAcquire = 0x14,
    kCapAutoFocus = 0x1E,
    kCapBatteryLevel = 0x31,
    kCapFlashMode = 0x35,
    kCapDeviceKind = 0x36,
    kCapGenericText = 0x39,
    kCapVersion = 0x3A,
    kCapEvInterval = 0x8100,
    kCapModuleMode = 0x8101,
    kCapExposureStatus = 0x810B,
    kCapCompression = 0x8110,
    kCapExposureMode = 0x8111,
    kCapShutterSpeed = 0x8112,
    kCapAperture = 0x8113,
    kCapExposureComp = 0x8115,
    kCapMeteringMode = 0x8116,
    kCapSensitivity = 0x8117,
    kCapWbMode = 0x8118,
    kCapFocusMode = 0x8120,
    kCapFocusAreaMode = 0x8121,
    kCapFocusPreferredArea = 0x8122,
    kCapFocalLength = 0x8123,
    kCapClockDateTime = 0x8124,
    kCapLockCamera = 0x8141,
    kCapLensInfo = 0x8144,
    kCapUserComment = 0x8148,
    kCapImageSize = 0x8157,
    kCapEnableComment = 0x8176,
    kCapWbTune = 0x818C, // changes when the colour temperature is tuned
    kCapShootingMode = 0x818D,
    kCapRemainContinuous = 0x818F,
    kCapShootingBankName = 0x8190,
    kCapWbPresetName = 0x8191,
    kCapManualFocalLength = 0x8192,
    kCapManualAperture = 0x8193,
    kCapCustomBankName = 0x8194,
    kCapUsbSpeed = 0x81AC,
    kCapInternalFlashStatus = 0x81BC,
    kCapAfMode = 0x81C3,
    kCapCcdDataMode = 0x81D0,
    kCapJpegCompressionPolicy = 0x81D1,
    kCapCameraType = 0x81D7,
    kCapImageColorSpace = 0x81DB,
    kCapSlot2SaveMode = 0x822C,
    kCapRawBitMode = 0x822D,
    kCapImagePreset = 0x822E,
    kCapLiveViewStatus = 0x823E,
    kCapLiveViewZoom = 0x823F,
    kCapContrastAf = 0x8240,
    kCapLiveViewImage = 0x8247,
    kCapMfDriveStep = 0x8248,
    kCapMfDrive = 0x8249,
    kCapContrastArea = 0x824A,
    kCapRawCompressEx = 0x824B,
    kCapManualLensNo = 0x8256,
    kCapLensType = 0x825C,
    kCapLiveViewProhibit = 0x825E,
    kCapShutterSpeedLock = 0x826A,
    kCapEnableCopyright = 0x826E,
    kCapArtistName = 0x826F,
    kCapCopyrightInfo = 0x8270,
    kCapMovieScreenSize = 0x8272,
    kCapLiveViewAfArea = 0x8275,
    kCapMovieMicrophone = 0x8285,
    kCapMovieDestination = 0x8286,
    kCapPrimarySlot = 0x8287,
    kCapMovieRecordStatus = 0x8298,
    kCapMovieProhibit = 0x8299,
    kCapActiveSlot = 0x8304,
    kCapSaveMedia = 0x8305,
    kCapMovieRead = 0x8317,
    kCapTerminateCapture = 0x8318,
    kCapBlinkingStatus = 0x8323,
    kCapWbColorTemp = 0x8325,
    kCapMovieQuality = 0x8331,
    kCapMovieMicValue = 0x8332,
    kCapLiveViewExposurePreview = 0x8333,
    kCapLiveViewSelector = 0x8334,
    kCapLiveViewWbMode = 0x8335,
    kCapMovieShutterSpeed = 0x8336,
    kCapMovieAperture = 0x8337,
    kCapMovieSensitivity = 0x8338,
    kCapMovieExposureComp = 0x8339,
};

#pragma pack(push, 1)

// Opened object as handed to the module. The client reference carries the
// program's own node; the module reference belongs to the module.
struct VendorObject {
    uint32_t type;
    uint32_t id;
    uintptr_t clientRef;
    uintptr_t moduleRef;
};

struct CapabilityInfo {
    uint32_t id;
    uint32_t valueType;
    uint32_t visibility;
    uint32_t operations;
    char description[256];
};

struct EnumRecord {
    uint32_t elementType;
    uint32_t elementCount;
    uint32_t currentIndex;
    uint32_t defaultIndex;
    uint16_t bytesPerElement;
    uintptr_t data;
};

struct ArrayRecord {
    uint32_t elementType;
    uint32_t elementCount;
    uint32_t dim1;
    uint32_t dim2;
    uint32_t dim3;
    uint16_t bytesPerElement;
    uint16_t bitsPerElement;
    uintptr_t data;
};

struct RangeRecord {
    double value;
    double defaultValue;
    uint32_t valueIndex;
    uint32_t defaultIndex;
    double lower;
    double upper;
    uint32_t steps;
};

// The module counts months from 0.
struct DateTimeRecord {
    uint16_t year;
    uint16_t month;
    uint16_t day;
    uint16_t hour;
    uint16_t minute;
    uint16_t second;
    uint32_t subSecond;
};

struct PointRecord {
    int32_t x;
    int32_t y;
};

struct SizeRecord {
    int32_t width;
    int32_t height;
};

struct RectRecord {
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
};

struct TextRecord {
    char text[256];
};

// Procedure plus the reference the module passes back as first argument.
struct CallbackPair {
    uintptr_t procedure;
    intptr_t reference;
};

// Question the module asks the user (kind 0-3).
struct UiRequestRecord {
    uint8_t kind;
    uint8_t reserved[15];
    uintptr_t prompt; // NUL-terminated text, may be 0
    uintptr_t detail; // NUL-terminated text, may be 0
};

// Chunked movie read through capability 0x8317.
struct MovieReadBlock {
    uint32_t mode;
    uint32_t offset;
    uint32_t delivered;
    uint32_t sizeField; // total size after the first get, then the buffer size
    uintptr_t buffer;
};

// Data information record of a file chunk (kind bit 0x10).
struct FileDataInfo {
    uint32_t kind;
    uint16_t fileType;
    uint16_t reserved;
    uint32_t totalLength;
    uint32_t chunkOffset;
    uint32_t chunkLength;
    uint32_t fileOnDisk; // data is a 256-byte file name instead of contents
    uint32_t removeObject;
};

// Data information record of a raw image chunk (kind bit 0x01 without 0x10).
struct RawDataInfo {
    uint32_t kind;
    uint32_t reserved1;
    uint32_t totalHeight;
    uint8_t reserved2[16];
    uint32_t rowsInChunk;
    uint32_t bytesPerRow;
    uint8_t reserved3[10];
    uint8_t removeObject;
    uint8_t reserved4;
};

#pragma pack(pop)

static_assert(sizeof(VendorObject) == 24);
static_assert(offsetof(VendorObject, id) == 4);
static_assert(offsetof(VendorObject, clientRef) == 8);
static_assert(offsetof(VendorObject, moduleRef) == 16);

static_assert(sizeof(CapabilityInfo) == 272);
static_assert(offsetof(CapabilityInfo, valueType) == 4);
static_assert(offsetof(CapabilityInfo, visibility) == 8);
static_assert(offsetof(CapabilityInfo, operations) == 12);
static_assert(offsetof(CapabilityInfo, description) == 16);

static_assert(sizeof(EnumRecord) == 26);
static_assert(offsetof(EnumRecord, elementCount) == 4);
static_assert(offsetof(EnumRecord, currentIndex) == 8);
static_assert(offsetof(EnumRecord, defaultIndex) == 12);
static_assert(offsetof(EnumRecord, bytesPerElement) == 16);
static_assert(offsetof(EnumRecord, data) == 18);

static_assert(sizeof(ArrayRecord) == 32);
static_assert(offsetof(ArrayRecord, elementCount) == 4);
static_assert(offsetof(ArrayRecord, dim1) == 8);
static_assert(offsetof(ArrayRecord, dim3) == 16);
static_assert(offsetof(ArrayRecord, bytesPerElement) == 20);
static_assert(offsetof(ArrayRecord, bitsPerElement) == 22);
static_assert(offsetof(ArrayRecord, data) == 24);

static_assert(sizeof(RangeRecord) == 44);
static_assert(offsetof(RangeRecord, defaultValue) == 8);
static_assert(offsetof(RangeRecord, valueIndex) == 16);
static_assert(offsetof(RangeRecord, defaultIndex) == 20);
static_assert(offsetof(RangeRecord, lower) == 24);
static_assert(offsetof(RangeRecord, upper) == 32);
static_assert(offsetof(RangeRecord, steps) == 40);

static_assert(sizeof(DateTimeRecord) == 16);
static_assert(offsetof(DateTimeRecord, second) == 10);
static_assert(offsetof(DateTimeRecord, subSecond) == 12);

static_assert(sizeof(PointRecord) == 8);
static_assert(sizeof(SizeRecord) == 8);
static_assert(sizeof(RectRecord) == 16);
static_assert(sizeof(TextRecord) == 256);

static_assert(sizeof(CallbackPair) == 16);
static_assert(offsetof(CallbackPair, reference) == 8);

static_assert(sizeof(UiRequestRecord) == 32);
static_assert(offsetof(UiRequestRecord, prompt) == 16);
static_assert(offsetof(UiRequestRecord, detail) == 24);

static_assert(sizeof(MovieReadBlock) == 24);
static_assert(offsetof(MovieReadBlock, offset) == 4);
static_assert(offsetof(MovieReadBlock, delivered) == 8);
static_assert(offsetof(MovieReadBlock, sizeField) == 12);
static_assert(offsetof(MovieReadBlock, buffer) == 16);

static_assert(sizeof(FileDataInfo) == 28);
static_assert(offsetof(FileDataInfo, fileType) == 4);
static_assert(offsetof(FileDataInfo, totalLength) == 8);
static_assert(offsetof(FileDataInfo, chunkOffset) == 12);
static_assert(offsetof(FileDataInfo, chunkLength) == 16);
static_assert(offsetof(FileDataInfo, fileOnDisk) == 20);
static_assert(offsetof(FileDataInfo, removeObject) == 24);

static_assert(sizeof(RawDataInfo) == 48);
static_assert(offsetof(RawDataInfo, totalHeight) == 8);
static_assert(offsetof(RawDataInfo, rowsInChunk) == 28);
static_assert(offsetof(RawDataInfo, bytesPerRow) == 32);
static_assert(offsetof(RawDataInfo, removeObject) == 46);

// ---- Procedures crossing the module boundary -------------------------------
using CompletionProcFn = void (*)(VendorObject* object, uint32_t command, uint32_t param,
                                  uint32_t dataType, intptr_t data, intptr_t completionRef,
                                  int32_t result);
using ModuleEntryPointFn = int32_t (*)(VendorObject* object, uint32_t command, uint32_t param,
                                       uint32_t dataType, intptr_t data,
                                       CompletionProcFn completion, intptr_t completionRef);
using EventProcFn = void (*)(intptr_t ref, uint32_t event, uintptr_t data);
using DataProcFn = int32_t (*)(intptr_t ref, const void* info, const void* data);
using UiRequestProcFn = uint32_t (*)(intptr_t ref, const void* request);

// ---- Live view frame header (capability 0x8247) -----------------------------
// Byte offsets of the header in front of each live view JPEG; 16- and
// 32-bit numbers are big-endian on the wire. Positions and sizes are in
// sensor units except the JPEG's own width and height. Areas are four
// 16-bit numbers: width, height, centre x, centre y.
namespace liveview {
constexpr size_t kJpegWidth = 0;
constexpr size_t kJpegHeight = 2;
constexpr size_t kWholeWidth = 4;
constexpr size_t kWholeHeight = 6;
constexpr size_t kShownArea = 8;
constexpr size_t kAfArea = 16;
constexpr size_t kFocusDrive = 30;    // u8, non-zero while the lens drives
constexpr size_t kRemainingTime = 38; // u16 seconds
constexpr size_t kFocusState = 40;    // u8
constexpr size_t kFrameSerial = 44;   // u32
constexpr size_t kMovieTime = 56;     // u32 milliseconds; 384-byte headers only
constexpr size_t kFaceCount = 62;     // u8; 384-byte headers only
constexpr size_t kFaceTable = 64;     // kMaxFaces areas of 8 bytes
constexpr size_t kFaceTableEnd = 344;
constexpr size_t kSoundPeakLeft = 344; // u8 each, as received
constexpr size_t kSoundPeakRight = 345;
constexpr size_t kSoundLevelLeft = 346;
constexpr size_t kSoundLevelRight = 347;
constexpr size_t kAreaBytes = 8;
constexpr int kMaxFaces = 35;
constexpr uint8_t kStateInFocus = 2;
static_assert(kFaceTable + kAreaBytes * kMaxFaces == kFaceTableEnd);
} // namespace liveview

constexpr const char* kEntryPointName = "ModuleEntryPoint";
constexpr const char* kTransportLibraryName = "OrvPTP.so";

} // namespace orv
