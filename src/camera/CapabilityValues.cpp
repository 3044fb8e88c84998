#include "camera/CapabilityValues.h"

#include "camera/CameraLink.h"
#include "camera/ValueText.h"

#include <algorithm>
#include <cmath>
#include <cstring>

using namespace orv;

namespace {

std::string textOf(const uint8_t* data, size_t maxBytes) {
    const auto* begin = reinterpret_cast<const char*>(data);
    return std::string(begin, strnlen(begin, maxBytes));
}

} // namespace

CapabilityValues::CapabilityValues(CameraLink& link) : m_link(link) {}

bool CapabilityValues::usable(CamObject* object, uint32_t capId, int valueType,
                              uint8_t operation) const {
    // A node closed by a callback during an earlier wait is not touched.
    if (!m_link.isLive(object)) {
        return false;
    }
    const CapabilityInfo* info = CameraLink::FindCapability(object, capId);
    if (!info) {
        return false;
    }
    if (valueType >= 0 && info->valueType != static_cast<uint32_t>(valueType)) {
        return false;
    }
    return operation == 0 || (info->operations & operation) != 0;
}

bool CapabilityValues::send(CamObject* object, ModuleRequest& request) {
    return m_link.Submit(object, request).ok();
}

template <typename T>
bool CapabilityValues::getRecord(CamObject* object, uint32_t capId, ValueType valueType,
                                 DataType dataType, T& value) {
    return usable(object, capId, valueType, kOpGet) && fetch(object, capId, dataType, value);
}

template <typename T>
bool CapabilityValues::fetch(CamObject* object, uint32_t capId, uint32_t dataType, T& value) {
    ModuleRequest request{kCmdGet, capId, dataType};
    request.setBlock(T{});
    return send(object, request) && request.readBlock(value);
}

template <typename Record>
bool CapabilityValues::fetchContents(CamObject* object, uint32_t capId, uint32_t dataType,
                                     const Record& record, std::vector<uint8_t>& contents) {
    const size_t bytes = size_t{record.elementCount} * record.bytesPerElement;
    if (bytes > kMaxContentBytes) {
        return false;
    }
    ModuleRequest request{kCmdGetArray, capId, dataType};
    request.contents.assign(bytes, 0);
    Record withData = record;
    withData.data = reinterpret_cast<uintptr_t>(request.contents.data());
    request.setBlock(withData);
    if (!send(object, request) || request.contents.size() != bytes) {
        return false;
    }
    contents = std::move(request.contents);
    return true;
}

template <typename T>
bool CapabilityValues::setRecord(CamObject* object, uint32_t capId, uint32_t dataType,
                                 const T& value) {
    ModuleRequest request{kCmdSet, capId, dataType};
    request.setBlock(value);
    return send(object, request);
}

bool CapabilityValues::getBoolean(CamObject* object, uint32_t capId) {
    uint8_t value = 0;
    return getRecord(object, capId, kVtBoolean, kDtBoolean, value) && value == 1;
}

int32_t CapabilityValues::getInteger(CamObject* object, uint32_t capId) {
    int32_t value = 0;
    return getRecord(object, capId, kVtInteger, kDtInteger, value) ? value : 0;
}

uint32_t CapabilityValues::getUnsigned(CamObject* object, uint32_t capId) {
    uint32_t value = 0;
    return getRecord(object, capId, kVtUnsigned, kDtUnsigned, value) ? value : 0;
}

std::optional<uint32_t> CapabilityValues::readUnsigned(CamObject* object, uint32_t capId) {
    uint32_t value = 0;
    if (!getRecord(object, capId, kVtUnsigned, kDtUnsigned, value)) {
        return std::nullopt;
    }
    return value;
}

double CapabilityValues::getFloat(CamObject* object, uint32_t capId) {
    double value = 0;
    return getRecord(object, capId, kVtFloat, kDtFloat, value) ? value : 0;
}

PointRecord CapabilityValues::getPoint(CamObject* object, uint32_t capId) {
    PointRecord value{};
    return getRecord(object, capId, kVtPoint, kDtPoint, value) ? value : PointRecord{};
}

SizeRecord CapabilityValues::getSize(CamObject* object, uint32_t capId) {
    SizeRecord value{};
    return getRecord(object, capId, kVtSize, kDtSize, value) ? value : SizeRecord{};
}

RectRecord CapabilityValues::getRect(CamObject* object, uint32_t capId) {
    RectRecord value{};
    return getRecord(object, capId, kVtRect, kDtRect, value) ? value : RectRecord{};
}

std::string CapabilityValues::getText(CamObject* object, uint32_t capId) {
    TextRecord value{};
    if (!getRecord(object, capId, kVtString, kDtString, value)) {
        return {};
    }
    return textOf(reinterpret_cast<const uint8_t*>(value.text), sizeof(value.text));
}

bool CapabilityValues::getDateTime(CamObject* object, uint32_t capId, DateTimeRecord& record) {
    DateTimeRecord value{};
    if (!getRecord(object, capId, kVtDateTime, kDtDateTime, value)) {
        return false;
    }
    ++value.month; // the module counts months from 0
    record = value;
    return true;
}

CallbackPair CapabilityValues::getCallback(CamObject* object, uint32_t capId) {
    CallbackPair value{};
    return getRecord(object, capId, kVtCallback, kDtCallback, value) ? value : CallbackPair{};
}

bool CapabilityValues::readRange(CamObject* object, uint32_t capId, RangeRecord& range) {
    return getRecord(object, capId, kVtRange, kDtRange, range);
}

RangeRecord CapabilityValues::getRange(CamObject* object, uint32_t capId) {
    RangeRecord range{};
    if (!readRange(object, capId, range)) {
        return RangeRecord{};
    }
    if (range.steps != 0) {
        range.value = RangeValueForIndex(range, range.valueIndex);
    }
    return range;
}

bool CapabilityValues::readEnumRecord(CamObject* object, uint32_t capId, EnumRecord& record) {
    EnumRecord value{};
    if (!getRecord(object, capId, kVtEnum, kDtEnum, value)) {
        return false;
    }
    value.data = 0;
    record = value;
    m_link.enumScratch() = value;
    return true;
}

bool CapabilityValues::readEnumContents(CamObject* object, uint32_t capId, EnumRecord& record,
                                        std::vector<uint8_t>& contents) {
    const size_t bytes = size_t{record.elementCount} * record.bytesPerElement;
    return bytes != 0 && usable(object, capId, kVtEnum, kOpGet) &&
           fetchContents(object, capId, kDtEnum, record, contents);
}

int32_t CapabilityValues::getEnumIndex(CamObject* object, uint32_t capId) {
    EnumRecord record{};
    if (!readEnumRecord(object, capId, record) || record.elementCount == 0) {
        return -1;
    }
    return static_cast<int32_t>(record.currentIndex);
}

std::string CapabilityValues::getEnumText(CamObject* object, uint32_t capId) {
    EnumRecord record{};
    if (!readEnumRecord(object, capId, record) || record.elementCount == 0) {
        return {};
    }
    const uint32_t index = record.currentIndex;
    std::vector<uint8_t> contents;
    switch (record.elementType) {
    case kElemUnsigned: {
        if (record.bytesPerElement != 4 || index >= record.elementCount ||
            !readEnumContents(object, capId, record, contents)) {
            return {};
        }
        uint32_t value = 0;
        std::memcpy(&value, contents.data() + size_t{index} * 4, 4);
        std::string text = EnumElementText(capId, value);
        return text.empty() ? std::to_string(value) : text;
    }
    case kElemPackedText: {
        if (record.bytesPerElement != 1 || !readEnumContents(object, capId, record, contents)) {
            return {};
        }
        std::vector<std::string> lines = SplitPackedTexts(contents);
        return index < lines.size() ? lines[index] : std::string();
    }
    case kElemText256:
        if (record.bytesPerElement != kTextBytes ||
            !readEnumContents(object, capId, record, contents)) {
            return {};
        }
        return textOf(contents.data(), kTextBytes);
    default:
        return "Unknown enum type: " + std::to_string(record.elementType);
    }
}

std::string CapabilityValues::getEnumLines(CamObject* object, uint32_t capId) {
    EnumRecord record{};
    std::vector<uint8_t> contents;
    if (!readEnumRecord(object, capId, record) ||
        !readEnumContents(object, capId, record, contents)) {
        return {};
    }
    std::string lines;
    if (record.elementType == kElemPackedText && record.bytesPerElement == 1) {
        for (uint8_t byte : contents) {
            lines += byte == 0 ? std::string("\r\n") : std::string(1, static_cast<char>(byte));
        }
    } else if (record.elementType == kElemText256 && record.bytesPerElement == kTextBytes) {
        for (size_t offset = 0; offset < contents.size(); offset += kTextBytes) {
            lines += textOf(contents.data() + offset, kTextBytes) + "\r\n";
        }
    } else if (record.elementType == kElemUnsigned && record.bytesPerElement == 4) {
        // One line per element keeps line numbers equal to enumeration indices.
        for (size_t offset = 0; offset < contents.size(); offset += 4) {
            uint32_t value = 0;
            std::memcpy(&value, contents.data() + offset, 4);
            std::string text = EnumElementText(capId, value);
            lines += (text.empty() ? std::to_string(value) : text) + "\r\n";
        }
    }
    return lines;
}

bool CapabilityValues::getArray(CamObject* object, uint32_t capId, ArrayRecord& record,
                                std::vector<uint8_t>& contents) {
    std::vector<uint8_t> data;
    if (!getArrayReusing(object, capId, record, data)) {
        return false;
    }
    contents = std::move(data);
    return true;
}

bool CapabilityValues::getArrayReusing(CamObject* object, uint32_t capId, ArrayRecord& record,
                                       std::vector<uint8_t>& buffer) {
    ArrayRecord value{};
    if (!getRecord(object, capId, kVtArray, kDtArray, value)) {
        return false;
    }
    value.data = 0;
    m_link.arrayScratch() = value;
    const size_t bytes = size_t{value.elementCount} * value.bytesPerElement;
    if (bytes > kMaxContentBytes) {
        return false;
    }
    ModuleRequest request{kCmdGetArray, capId, kDtArray};
    // The module fills every byte; only growth is zeroed.
    request.contents = std::move(buffer);
    request.contents.resize(bytes);
    ArrayRecord withData = value;
    withData.data = reinterpret_cast<uintptr_t>(request.contents.data());
    request.setBlock(withData);
    const bool ok = bytes == 0 || send(object, request);
    // A request given up on keeps its memory (the module may still write).
    buffer = std::move(request.contents);
    if (!ok || buffer.size() != bytes) {
        return false;
    }
    record = value;
    return true;
}

std::vector<std::string> CapabilityValues::getTextArray(CamObject* object, uint32_t capId) {
    ArrayRecord record{};
    std::vector<uint8_t> contents;
    if (!getArray(object, capId, record, contents) || record.elementType != kElemText256 ||
        record.bytesPerElement != kTextBytes) {
        return {};
    }
    std::vector<std::string> texts;
    for (size_t offset = 0; offset + kTextBytes <= contents.size(); offset += kTextBytes) {
        texts.push_back(textOf(contents.data() + offset, kTextBytes));
    }
    return texts;
}

std::string CapabilityValues::getGenericText() {
    TextRecord value{};
    if (!getRecord(m_link.CurrentSource(), kCapGenericText, kVtGeneric, kDtGeneric, value)) {
        return {};
    }
    return textOf(reinterpret_cast<const uint8_t*>(value.text), sizeof(value.text));
}

bool CapabilityValues::setBoolean(CamObject* object, uint32_t capId, bool value) {
    return usable(object, capId, kVtBoolean, kOpSet) &&
           setRecord(object, capId, kDtBoolean, static_cast<uint8_t>(value ? 1 : 0));
}

bool CapabilityValues::setUnsigned(CamObject* object, uint32_t capId, uint32_t value) {
    return usable(object, capId, kVtUnsigned, kOpSet) &&
           setRecord(object, capId, kDtUnsigned, value);
}

bool CapabilityValues::setText(CamObject* object, uint32_t capId, const std::string& text) {
    if (!usable(object, capId, kVtString, kOpSet)) {
        return false;
    }
    TextRecord value{};
    const std::string cut = CutUtf8(text, kTextBytes - 1);
    std::memcpy(value.text, cut.data(), cut.size());
    return setRecord(object, capId, kDtString, value);
}

bool CapabilityValues::setDateTime(CamObject* object, uint32_t capId,
                                   const DateTimeRecord& record) {
    if (record.month == 0 || !usable(object, capId, kVtDateTime, kOpSet)) {
        return false;
    }
    DateTimeRecord value = record;
    --value.month;
    return setRecord(object, capId, kDtDateTime, value);
}

bool CapabilityValues::setEnumIndex(CamObject* object, uint32_t capId, uint32_t index) {
    if (!usable(object, capId, kVtEnum, kOpSet)) {
        return false;
    }
    EnumRecord record{};
    if (!fetch(object, capId, kDtEnum, record)) {
        return false;
    }
    record.currentIndex = index;
    m_link.enumScratch() = record;
    return setRecord(object, capId, kDtEnum, record);
}

bool CapabilityValues::setArray(CamObject* object, uint32_t capId, const ArrayRecord& record,
                                std::vector<uint8_t>& contents) {
    if (!usable(object, capId, kVtArray, kOpSet)) {
        return false;
    }
    ModuleRequest request{kCmdSet, capId, kDtArray};
    request.contents = std::move(contents);
    ArrayRecord withData = record;
    withData.data = reinterpret_cast<uintptr_t>(request.contents.data());
    request.setBlock(withData);
    const bool ok = send(object, request);
    contents = std::move(request.contents);
    return ok;
}

bool CapabilityValues::setPoint(CamObject* object, uint32_t capId, const PointRecord& point) {
    return usable(object, capId, -1, kOpSet) && setRecord(object, capId, kDtPoint, point);
}

bool CapabilityValues::setRangeByValue(CamObject* object, uint32_t capId, double value) {
    if (!usable(object, capId, -1, 0)) {
        return false;
    }
    RangeRecord range{};
    if (!fetch(object, capId, kDtRange, range)) {
        return false;
    }
    if (range.steps != 0) {
        range.valueIndex = RangeIndexForValue(range, value);
    } else {
        range.value = value;
    }
    return setRecord(object, capId, kDtRange, range);
}

bool CapabilityValues::setRangeIndex(CamObject* object, uint32_t capId, uint32_t index) {
    RangeRecord range{};
    if (!usable(object, capId, kVtRange, kOpSet) || !readRange(object, capId, range)) {
        return false;
    }
    range.valueIndex = index;
    return setRecord(object, capId, kDtRange, range);
}

bool CapabilityValues::setUnsignedInline(CamObject* object, uint32_t capId, uint32_t value) {
    if (!usable(object, capId, -1, kOpSet)) {
        return false;
    }
    ModuleRequest request{kCmdSet, capId, kDtUnsignedInline};
    request.inlineData = static_cast<intptr_t>(value);
    return send(object, request);
}

bool CapabilityValues::setCallback(CamObject* object, uint32_t capId, const CallbackPair& pair) {
    return usable(object, capId, -1, kOpSet) && setRecord(object, capId, kDtCallback, pair);
}

bool CapabilityValues::clearValue(CamObject* object, uint32_t capId) {
    if (!usable(object, capId, -1, kOpSet)) {
        return false;
    }
    ModuleRequest request{kCmdSet, capId, kDtNone};
    return send(object, request);
}

bool CapabilityValues::start(CamObject* object, uint32_t capId) {
    if (!usable(object, capId, kVtProcess, kOpStart)) {
        return false;
    }
    ModuleRequest request{kCmdStart, capId, kDtNone};
    return m_link.Submit(object, request).accepted();
}

bool CapabilityValues::startWithBlock(CamObject* object, uint32_t capId, size_t bytes) {
    if (!usable(object, capId, -1, 0)) {
        return false;
    }
    ModuleRequest request{kCmdStart, capId, kDtGeneric};
    request.block.assign(bytes, 0);
    return m_link.Submit(object, request).accepted();
}

uint32_t RangeIndexForValue(const RangeRecord& range, double value) {
    if (range.steps < 2 || !(range.upper != range.lower)) {
        return 0;
    }
    const double last = range.steps - 1.0;
    const double raw = std::nearbyint((value - range.lower) * last / (range.upper - range.lower));
    if (!(raw > 0)) {
        return 0; // also NaN
    }
    return static_cast<uint32_t>(std::min(raw, last));
}

double RangeValueForIndex(const RangeRecord& range, uint32_t index) {
    if (range.steps < 2) {
        return range.lower;
    }
    return range.lower + (range.upper - range.lower) * index / (range.steps - 1.0);
}

std::string CutUtf8(const std::string& text, size_t maxBytes) {
    if (text.size() <= maxBytes) {
        return text;
    }
    size_t cut = maxBytes;
    // Step back over continuation bytes (10xxxxxx) to a character start.
    while (cut > 0 && (static_cast<uint8_t>(text[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    return text.substr(0, cut);
}
