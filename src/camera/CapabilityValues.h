#pragma once
// Typed reads and writes of capability values. Every operation checks that
// the object exists, that it has the capability, with the value type and
// the operation bit the operation needs; when a check fails, nothing is sent
// and the fixed default comes back. A failed request gives the default too.
#include "camera/CameraTypes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CameraLink;
class CamObject;
struct ModuleRequest;

class CapabilityValues {
public:
    static constexpr size_t kTextBytes = 256;
    // Enumeration or array contents beyond this are taken as a broken answer.
    static constexpr size_t kMaxContentBytes = 64u << 20;

    explicit CapabilityValues(CameraLink& link);

    bool getBoolean(CamObject* object, uint32_t capId);
    int32_t getInteger(CamObject* object, uint32_t capId);
    uint32_t getUnsigned(CamObject* object, uint32_t capId);
    // The same, telling an unreadable value from a 0.
    std::optional<uint32_t> readUnsigned(CamObject* object, uint32_t capId);
    double getFloat(CamObject* object, uint32_t capId);
    orv::PointRecord getPoint(CamObject* object, uint32_t capId);
    orv::SizeRecord getSize(CamObject* object, uint32_t capId);
    orv::RectRecord getRect(CamObject* object, uint32_t capId);
    std::string getText(CamObject* object, uint32_t capId);
    // Months from 1. `record` stays unchanged when nothing could be read.
    bool getDateTime(CamObject* object, uint32_t capId, orv::DateTimeRecord& record);
    orv::CallbackPair getCallback(CamObject* object, uint32_t capId);
    // The value is recomputed from the index when the range has steps.
    orv::RangeRecord getRange(CamObject* object, uint32_t capId);
    // Current index, or -1.
    int32_t getEnumIndex(CamObject* object, uint32_t capId);
    std::string getEnumText(CamObject* object, uint32_t capId);
    // Every entry followed by CR LF.
    std::string getEnumLines(CamObject* object, uint32_t capId);
    std::vector<std::string> getTextArray(CamObject* object, uint32_t capId);
    // Record and contents; both unchanged when nothing could be read.
    bool getArray(CamObject* object, uint32_t capId, orv::ArrayRecord& record,
                  std::vector<uint8_t>& contents);
    // The same for a stream read many times (live view): `buffer` gives its
    // memory to the read and holds the contents afterwards, so its capacity
    // is reused; on failure its contents are unspecified.
    bool getArrayReusing(CamObject* object, uint32_t capId, orv::ArrayRecord& record,
                         std::vector<uint8_t>& buffer);
    // Capability 0x39 of the current source as text.
    std::string getGenericText();

    bool setBoolean(CamObject* object, uint32_t capId, bool value);
    bool setUnsigned(CamObject* object, uint32_t capId, uint32_t value);
    // Cut to 255 bytes at a UTF-8 character boundary.
    bool setText(CamObject* object, uint32_t capId, const std::string& text);
    // Months from 1; month 0 is refused.
    bool setDateTime(CamObject* object, uint32_t capId, const orv::DateTimeRecord& record);
    bool setEnumIndex(CamObject* object, uint32_t capId, uint32_t index);
    // Writes the record; its data address is pointed at `contents`.
    bool setArray(CamObject* object, uint32_t capId, const orv::ArrayRecord& record,
                  std::vector<uint8_t>& contents);
    // Any value type, only the set bit is needed.
    bool setPoint(CamObject* object, uint32_t capId, const orv::PointRecord& point);
    bool setRangeByValue(CamObject* object, uint32_t capId, double value);
    bool setRangeIndex(CamObject* object, uint32_t capId, uint32_t index);
    // Unsigned value carried in the data argument itself (data type 3).
    bool setUnsignedInline(CamObject* object, uint32_t capId, uint32_t value);
    bool setCallback(CamObject* object, uint32_t capId, const orv::CallbackPair& pair);
    // Set with no data: clears a procedure.
    bool clearValue(CamObject* object, uint32_t capId);
    bool start(CamObject* object, uint32_t capId);
    // Start with a zeroed generic block of `bytes` bytes (data type 19).
    bool startWithBlock(CamObject* object, uint32_t capId, size_t bytes);

    // Building blocks: the enum record (into the link's scratch record too)
    // and the contents it describes.
    bool readEnumRecord(CamObject* object, uint32_t capId, orv::EnumRecord& record);
    bool readEnumContents(CamObject* object, uint32_t capId, orv::EnumRecord& record,
                          std::vector<uint8_t>& contents);
    bool readRange(CamObject* object, uint32_t capId, orv::RangeRecord& range);

private:
    // The capability when it may be used: present, of `valueType` (any when
    // negative) and allowing `operation`.
    bool usable(CamObject* object, uint32_t capId, int valueType, uint8_t operation) const;
    template <typename T>
    bool getRecord(CamObject* object, uint32_t capId, orv::ValueType valueType,
                   orv::DataType dataType, T& value);
    // Get without the checks: the record the module answers with.
    template <typename T>
    bool fetch(CamObject* object, uint32_t capId, uint32_t dataType, T& value);
    // Get-contents for an enum or array record into a buffer of the size the
    // record gives; `contents` is unchanged on failure.
    template <typename Record>
    bool fetchContents(CamObject* object, uint32_t capId, uint32_t dataType, const Record& record,
                       std::vector<uint8_t>& contents);
    template <typename T>
    bool setRecord(CamObject* object, uint32_t capId, uint32_t dataType, const T& value);
    bool send(CamObject* object, ModuleRequest& request);

    CameraLink& m_link;
};

// Index of `value` on a range with steps, the nearest integer (halves to
// even), kept within the steps; 0 for ranges of fewer than two steps.
uint32_t RangeIndexForValue(const orv::RangeRecord& range, double value);
// Value of the range's index; the lower bound for fewer than two steps.
double RangeValueForIndex(const orv::RangeRecord& range, uint32_t index);
// `text` cut to at most `maxBytes` bytes without splitting a UTF-8 character.
std::string CutUtf8(const std::string& text, size_t maxBytes);
