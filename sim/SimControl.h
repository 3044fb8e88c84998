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
    };
    Kind kind = Kind::FailWithResult;
    uint32_t command = 0;
    uint32_t param = 0;      // capability or child id, 0 = any
    uint32_t objectType = 0; // 0 = any
    int32_t result = -1;
    int count = -1; // how many calls it hits; -1 = until cleared
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
