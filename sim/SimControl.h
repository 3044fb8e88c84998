#pragma once
// Control interface of the simulated camera module: what a test, the demo
// and the Simulator menu use to plug cameras in, act on the camera body,
// inject faults and read back every entry call the program made.
// Thin C++ wrapper over the exported C functions of sim_control.h; the state
// lives in the simulator library, which the program also loads as its
// camera module (same file, so the same instance).
#include "camera/CameraTypes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vsim {

// One entry call as the module saw it.
struct CallRecord {
    uint32_t objectType = 0; // 0 when no object was given
    uint32_t objectId = 0;
    uint32_t command = 0;
    uint32_t param = 0;
    uint32_t dataType = 0;
    int32_t result = 0; // the immediate result returned
};

// A fault armed on matching entry calls. Zero fields match anything
// (command 0 matches only idle calls when matchIdle is set).
struct Fault {
    enum class Kind {
        FailWithResult, // return `result` at once, do nothing
        NeverComplete,  // accept the request but never call the completion
        ArrayTooSmall,  // answer capability-info requests with 0x84
        FailIdle,       // the idle call fails
        // Data faults: taken when a transfer begins (start of Acquire 0x14,
        // get of Movie Read 0x8317) and acting on that transfer.
        ChunkTooLong,   // the chunk after `afterChunks` runs past its file's end
        ChunkFails,     // after `afterChunks` chunks the acquire ends with `result`;
                        // the movie read after `afterChunks` reads returns `result`
        NoRemoveObject, // no chunk marks the item's data complete
        ZeroTotal,      // totals announced as 0
        AbsurdTotal,    // totals announced as 0xFFFFFFF0
    };
    Kind kind = Kind::FailWithResult;
    uint32_t command = 0;
    uint32_t param = 0;      // capability or child id, 0 = any
    uint32_t objectType = 0; // 0 = any
    int32_t result = -1;
    int count = -1;      // how many calls it hits; -1 = until cleared
    int afterChunks = 0; // data faults: chunks (movie reads) that pass first
};

// One file of a test item's data (SimControl::addFileItem).
struct ListedFile {
    uint32_t kind = orv::kKindImage | orv::kKindFile; // 0x18 for a thumbnail
    uint16_t fileType = orv::kFileJpeg;
    uint32_t size = 0;        // bytes; for a file on disk its size there
    bool onDisk = false;      // data: the 256-byte file name, one chunk of 256
    bool rawRows = false;     // records orv::RawDataInfo, rows of bytesPerRow
    uint32_t bytesPerRow = 0; // raw rows only; size must be a multiple
};

// One file a camera produced (SimControl::productionLog).
struct ProducedFile {
    int camera = 0;
    uint32_t itemId = 0;
    uint32_t dataId = 0;    // 1 for a picture's files, 4 for a movie
    uint32_t fileIndex = 0; // in delivery order within the data object
    uint32_t kind = 0;      // data kind bits: 0x11 a picture file, 0x04 a movie
    uint16_t fileType = 0;  // orv::kFileJpeg, kFileOrw, ...; 0 for a movie
    uint64_t size = 0;
    uint64_t checksum = 0; // 64-bit FNV-1a of the bytes
};

// Source events of a camera body beyond the basic event numbers.
enum BodyEvent : uint32_t {
    kEvCaptureComplete = 0x108, // a release has finished
    kEvCardItemAdded = 0x109,   // datum: a movie item the body wrote to its card
    kEvRecordingError = 0x10A,  // datum: why recording stopped
    kEvUnassigned = 0x120,      // a code no body event is assigned to
};

// Damage done to live view frames (SimControl::setLiveViewFault).
enum class LiveViewFault {
    None,
    CorruptJpeg,    // the JPEG's frame header is broken: no decoder reads it
    TruncatedFrame, // the frame ends inside the entropy-coded data, without end marker
    SegmentPastEnd, // the frame ends inside a marker segment, whose length runs past it
};

// What the simulated body's live view is doing (SimControl::liveViewState).
struct LiveViewState {
    uint32_t frames = 0;     // frames sized since live view began
    uint32_t headerSize = 0; // by the camera type: 64, 128 or 384
    uint32_t jpegWidth = 0;  // of the frames to come
    uint32_t jpegHeight = 0;
    uint32_t faces = 0;        // in the scene, as the header counts them
    int32_t focusPosition = 0; // lens focus: 0 (near end) to 10000 (far end)
    int32_t focusTarget = 0;   // where the scene is sharp
    uint32_t blurRadius = 0;   // of the last frame, in JPEG pixels; 0 is sharp
    bool running = false;      // live view is on
    bool focusDriving = false; // a contrast AF drive is under way
    bool inFocus = false;      // contrast AF found the focus
};

// Card bits of movie record prohibit 0x8299 (SimControl::setCardState).
enum CardState : uint32_t {
    kCardOk = 0,
    kCardMissing = 0x01,
    kCardFull = 0x08,
};

// The body's movie recording (SimControl::recordingState).
struct RecordingState {
    bool recording = false;
    uint32_t elapsed_ms = 0; // of the recording under way
    uint32_t lastItem = 0;   // the movie recorded last; 0 for none
    uint32_t lastFrames = 0; // its frames, 25 a second
    uint32_t lastDuration_ms = 0;
    uint32_t lastSize = 0; // bytes of its file
};

// Static facade: the simulator is one process-wide world of cameras.
class SimControl {
public:
    // Detaches every camera, clears faults and the call log, forgets any
    // open module state. Tests call it first.
    static void reset();

    // Plugs in a camera of a known model; returns its handle (> 0), or 0 for
    // an unknown model. While the module is open it raises child-added.
    static int attach(const std::string& model);
    static bool detach(int camera);
    static std::vector<int> cameras();
    static std::string model(int camera);
    static std::string serialNumber(int camera);
    static std::string firmwareVersion(int camera);
    static std::vector<std::string> knownModels();
    // Source id the module gives this camera.
    static uint32_t sourceId(int camera);
    // Told of every plug (attached = true) and unplug, after the fact; the
    // simulated device backend of the program listens here. One listener.
    using PlugListener = void (*)(void* context, int camera, bool attached);
    static void setPlugListener(PlugListener listener, void* context);

    // Camera body: values change as if a dial was turned; a value-changed
    // event follows while the module is open.
    static bool setUnsigned(int camera, uint32_t capId, uint32_t value);
    static bool setInteger(int camera, uint32_t capId, int32_t value);
    static bool setBoolean(int camera, uint32_t capId, bool value);
    static bool setFloat(int camera, uint32_t capId, double value);
    static bool setText(int camera, uint32_t capId, const std::string& value);
    static bool setEnumIndex(int camera, uint32_t capId, uint32_t index);
    static bool setEnumValues(int camera, uint32_t capId, const std::vector<uint32_t>& values,
                              uint32_t currentIndex);
    // Replaces an enumeration's list by texts (packed-text elements).
    static bool setEnumTexts(int camera, uint32_t capId, const std::vector<std::string>& texts,
                             uint32_t currentIndex);
    static bool setRange(int camera, uint32_t capId, const orv::RangeRecord& range);
    static bool setDateTime(int camera, uint32_t capId, const orv::DateTimeRecord& moduleValue);
    // Reads back what the camera holds (what the program last wrote).
    static uint32_t getUnsigned(int camera, uint32_t capId);
    static int32_t getInteger(int camera, uint32_t capId);
    static bool getBoolean(int camera, uint32_t capId);
    static double getFloat(int camera, uint32_t capId);
    static std::string getText(int camera, uint32_t capId);
    static uint32_t getEnumIndex(int camera, uint32_t capId);
    static orv::RangeRecord getRange(int camera, uint32_t capId);
    static orv::DateTimeRecord getDateTime(int camera, uint32_t capId); // months from 0
    // The elements of a text array as stored (blank padding included).
    static std::vector<std::string> getTextArray(int camera, uint32_t capId);
    // Acting on the body; each change raises the events a value written by
    // the program would raise (sim_control.h tells the details).
    // Steps a dial (0x8111 mode, 0x8112 shutter, 0x8113 aperture, 0x8117
    // ISO) by `steps` list entries, stopping at the ends; false when it did
    // not move (at an end, not a dial, shutter speed locked).
    static bool turnDial(int camera, uint32_t capId, int32_t steps);
    // Scene light in stops above what 1/250 s, f/5.6, ISO 100 expose
    // correctly; the body meters at once (0x810B, blinking 0x8323 beyond
    // 3 stops).
    static bool setSceneBrightness(int camera, double stops);
    static double sceneBrightness(int camera);
    // Every scene drifts slowly with idle calls; off after reset.
    static void setSceneMotion(bool on);
    static bool sceneMotion();
    // Battery level 0x0031 down by `percent`; false when already empty.
    static bool drainBattery(int camera, int32_t percent);
    static std::vector<std::string> knownLenses();
    static std::string mountedLens(int camera);
    // Lens info 0x8144 (empty without processor: AF mode then MF only) and
    // the aperture lists follow the lens.
    static bool mountLens(int camera, const std::string& lens);
    // The release button: an item, one shot less (0x818F), then 0x108; with
    // "Bulb" a first press opens and a second ends the exposure. False when
    // the card is full or the battery empty.
    static bool pressShutter(int camera);
    // Live view 0x823E ends in the camera; false when it was not on.
    static bool endLiveView(int camera);
    // A movie item on the card, announced with 0x109; returns its id.
    static uint32_t addCardMovie(int camera);
    // Recording stops with error `reason` (event 0x10A); what was recorded
    // is kept as a movie item.
    static bool stopRecordingByError(int camera, uint32_t reason);
    // Card bits of 0x8299 (kCardMissing, kCardFull; 0 a good card): a
    // recording cannot start with a bad card and stops when it goes bad.
    static bool setCardState(int camera, uint32_t cardBits);
    static RecordingState recordingState(int camera);
    // Flips the shutter speed lock 0x826A (capability-changed).
    static bool toggleShutterLock(int camera);

    // Capability list edits (a change event follows while open).
    static bool removeCapability(int camera, uint32_t capId);
    static bool setOperations(int camera, uint32_t capId, uint32_t operations);
    static bool hasCapability(int camera, uint32_t capId);

    // Items the camera holds (a picture: kind 0x01, a movie: 0x04). Adding
    // raises child-added on the camera's source, removing child-removed.
    static uint32_t addItem(int camera, uint32_t dataKinds);
    static bool removeItem(int camera, uint32_t itemId);

    // Any event on open objects: objectType 1 module, 2 source (camera),
    // 3 item (itemId), 4 data object (itemId, dataId). Delivered at the next
    // idle call; false when no such object is open.
    static bool raiseEvent(uint32_t objectType, int camera, uint32_t itemId, uint32_t dataId,
                           uint32_t event, uintptr_t data);
    // Removes a capability from any object's list (same addressing as
    // raiseEvent) and raises capability-list-changed on it.
    static bool removeObjectCapability(uint32_t objectType, int camera, uint32_t itemId,
                                       uint32_t dataId, uint32_t capId);
    // A question to the user through the module's request procedure,
    // delivered at the next idle call; false while the module is closed.
    static bool requestUserInterface(uint8_t kind, const std::string& prompt,
                                     const std::string& detail = {});
    // The program's reply to the last delivered question; -1 for none.
    static int32_t lastUiReply();
    static bool moduleOpen();

    // Picture and movie data. A data object delivers its files in chunks of
    // chunkSize bytes (default 1 MiB). The JPEG has the image size setting's
    // pixels unless a size is set here (0, 0 follows the setting again); an
    // ORW file has rawSize bytes (default 8 MiB, at least its 14-byte header).
    // Both sizes hold for the pictures taken after they are set. False for
    // sizes the simulator refuses.
    static bool setChunkSize(uint32_t bytes);
    static bool setJpegSize(uint32_t width, uint32_t height);
    static bool setRawSize(uint32_t bytes);
    // A movie item of `size` bytes (child-added); card movies and movie
    // items of addItem have 32 MiB.
    static uint32_t addMovieItem(int camera, uint32_t size);
    // An item whose data object 1 delivers exactly `files` in one acquire;
    // without files an item with data kinds 0 and no data object. 0 for a
    // list the simulator refuses.
    static uint32_t addFileItem(int camera, const std::vector<ListedFile>& files);
    // What the data of file `fileIndex` of data object `dataId` carry, in
    // order (for a file on disk its name block), as an acquire made now
    // would deliver it; data object 4 has the movie as file 0. Empty for no
    // such file.
    static std::vector<uint8_t> fileBytes(int camera, uint32_t itemId, uint32_t dataId,
                                          uint32_t fileIndex);

    // The production log (sim_control.h tells the details): off after reset;
    // on, it records the files of every item made from then on.
    static void setProductionLog(bool on);
    static std::vector<ProducedFile> productionLog();
    // Whether the attached camera still holds the item: made, and not yet
    // taken whole by the program.
    static bool itemHeld(int camera, uint32_t itemId);

    // Live view (sim_control.h tells how frames, zoom and focus behave).
    // JPEG size of the frames (default 640 x 424); sides of 16 to 4096.
    static bool setLiveViewSize(int camera, uint32_t width, uint32_t height);
    // Faces in the scene, 0 to 255: the header counts them all; its table
    // and the picture hold at most 35.
    static bool setLiveViewFaces(int camera, uint32_t count);
    // Damages the next `frames` frames (-1: until cleared); None clears.
    static bool setLiveViewFault(int camera, LiveViewFault fault, int frames = -1);
    // Holds every scene still at `phase` (reproducible frames), or lets it
    // move again; moving after reset.
    static void freezeLiveScene(int phase);
    static void moveLiveScene();
    static bool liveSceneFrozen();
    static int liveScenePhase();
    static int liveScenePhases();
    // The live view clock (remaining time, scene motion) moves on at once.
    static void skipTime(uint32_t milliseconds);
    static LiveViewState liveViewState(int camera);
    // The header of the frame sized last, as delivered (big-endian).
    static std::vector<uint8_t> liveViewHeader(int camera);
    // Live view pictures encoded since reset (the rest were copies).
    static uint64_t liveFramesEncoded();

    // Faults.
    static void injectFault(const Fault& fault);
    static void clearFaults();

    // Entry-call log.
    static std::vector<CallRecord> callLog();
    static void clearCallLog();
    // Calls matching command (and param when not 0) since the last clear.
    static int countCalls(uint32_t command, uint32_t param = 0);

    // Requests accepted but not yet completed (pending completions).
    static int pendingCompletions();
};

} // namespace vsim
