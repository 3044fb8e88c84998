#pragma once
// One capability of a simulated object: its description, operation bits and
// current value, and the marshalling of that value to and from the packed
// records of the module interface. The program's data addresses are only
// ever touched with memcpy, since the records are packed.
#include "camera/CameraTypes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vsim {

struct SimCapability {
    uint32_t id = 0;
    uint32_t valueType = orv::kVtProcess;
    uint32_t operations = 0;
    std::string description;

    // Value; the field in use follows valueType.
    uint32_t u = 0;
    uint32_t unsignedLimit = UINT32_MAX; // unsigned values above it are refused
    int32_t i = 0;
    bool b = false;
    double f = 0.0;
    std::string text; // text and generic-text values
    orv::DateTimeRecord dateTime{};
    uint64_t dateTimeSet_ms = 0; // a clock runs on from here (SimClock.h)
    orv::RangeRecord range{};
    orv::RectRecord rect{}; // point uses x/y, size uses width/height

    // Enumerations and arrays.
    uint32_t elementType = 0;
    std::vector<uint32_t> values;   // element type 2
    std::vector<std::string> texts; // element types 7 and 8
    uint32_t currentIndex = 0;
    uint32_t defaultIndex = 0;
    std::vector<uint8_t> arrayBytes; // array contents (element type 2 or 8)
    uint16_t bytesPerElement = 0;
    // Text arrays whose fields the body pads with blanks to this many bytes
    // (0: kept as written); a written text is cut or padded to it.
    uint16_t fieldWidth = 0;

    bool allows(uint32_t op) const { return (operations & op) != 0; }
    uint32_t elementCount() const;
    // Entries of an enumeration (values or texts), as indexes count them.
    size_t enumEntries() const {
        return elementType == orv::kElemUnsigned ? values.size() : texts.size();
    }
    // Contents as the module hands them out (packed texts, 256-byte texts,
    // unsigned elements).
    std::vector<uint8_t> contents() const;
};

// Builders for the common shapes.
SimCapability makeUnsigned(uint32_t id, uint32_t ops, uint32_t value, const char* description);
SimCapability makeInteger(uint32_t id, uint32_t ops, int32_t value, const char* description);
SimCapability makeBoolean(uint32_t id, uint32_t ops, bool value, const char* description);
SimCapability makeFloat(uint32_t id, uint32_t ops, double value, const char* description);
SimCapability makeText(uint32_t id, uint32_t ops, std::string value, const char* description);
SimCapability makeProcess(uint32_t id, const char* description);
SimCapability makeCallback(uint32_t id, const char* description);
SimCapability makeEnumValues(uint32_t id, uint32_t ops, std::vector<uint32_t> values,
                             uint32_t current, const char* description);
SimCapability makeEnumTexts(uint32_t id, uint32_t ops, std::vector<std::string> texts,
                            uint32_t current, const char* description);
SimCapability makeRange(uint32_t id, uint32_t ops, double lower, double upper, uint32_t steps,
                        uint32_t index, const char* description);
SimCapability makeTextArray(uint32_t id, uint32_t ops, const std::vector<std::string>& texts,
                            const char* description);
// The same with every field padded with blanks to `width` bytes.
SimCapability makePaddedTextArray(uint32_t id, uint32_t ops, const std::vector<std::string>& texts,
                                  uint16_t width, const char* description);
// `text` cut to `width` bytes (never inside a UTF-8 character) and padded
// with blanks to that width.
std::string padField(const std::string& text, size_t width);

// Command handlers for one capability value; each returns a SimResult.
// `data` is the program's data argument (an address, or the value itself
// for the inline unsigned data type).
int32_t readValue(const SimCapability& cap, uint32_t dataType, intptr_t data);
int32_t writeValue(SimCapability& cap, uint32_t dataType, intptr_t data);
int32_t readContents(const SimCapability& cap, uint32_t dataType, intptr_t data);

// Fills one capability description record.
orv::CapabilityInfo describe(const SimCapability& cap);

} // namespace vsim
