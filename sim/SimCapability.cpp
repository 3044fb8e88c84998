#include "SimCapability.h"

#include "SimResult.h"

#include <algorithm>
#include <cstring>

namespace vsim {

namespace {

constexpr size_t kTextSize = 256;

void* address(intptr_t data) {
    return reinterpret_cast<void*>(data);
}

// Copies a plain value out to the program's address.
template <typename T> int32_t put(intptr_t data, const T& value) {
    if (data == 0) {
        return kErrNoData;
    }
    std::memcpy(address(data), &value, sizeof value);
    return kOk;
}

// Copies a plain value in from the program's address.
template <typename T> int32_t take(intptr_t data, T& value) {
    if (data == 0) {
        return kErrNoData;
    }
    std::memcpy(&value, address(data), sizeof value);
    return kOk;
}

int32_t putText(intptr_t data, const std::string& text) {
    if (data == 0) {
        return kErrNoData;
    }
    char buffer[kTextSize] = {};
    std::memcpy(buffer, text.data(), std::min(text.size(), kTextSize - 1));
    std::memcpy(address(data), buffer, kTextSize);
    return kOk;
}

// A text from a 256-byte block; never reads past the block.
std::string textFrom(const char* block, size_t size) {
    return std::string(block, strnlen(block, size));
}

bool validDateTime(const orv::DateTimeRecord& dt) {
    return dt.month <= 11 && dt.day >= 1 && dt.day <= 31 && dt.hour <= 23 && dt.minute <= 59 &&
           dt.second <= 59;
}

double rangeValueAt(const orv::RangeRecord& range, uint32_t index) {
    if (range.steps <= 1) {
        return range.lower;
    }
    return range.lower + (range.upper - range.lower) * index / (range.steps - 1);
}

int32_t writeRange(SimCapability& cap, intptr_t data) {
    orv::RangeRecord in{};
    if (const int32_t r = take(data, in); r != kOk) {
        return r;
    }
    orv::RangeRecord& range = cap.range;
    if (range.steps != 0) {
        if (in.valueIndex >= range.steps) {
            return kErrBadValue;
        }
        range.valueIndex = in.valueIndex;
        range.value = rangeValueAt(range, in.valueIndex);
    } else {
        // The camera clips a stepless value into its range.
        range.value = std::clamp(in.value, range.lower, range.upper);
    }
    return kOk;
}

int32_t writeEnumIndex(SimCapability& cap, intptr_t data) {
    orv::EnumRecord in{};
    if (const int32_t r = take(data, in); r != kOk) {
        return r;
    }
    if (in.currentIndex >= cap.enumEntries()) {
        return kErrBadValue;
    }
    cap.currentIndex = in.currentIndex;
    return kOk;
}

std::vector<uint8_t> textElement(const std::string& text) {
    std::vector<uint8_t> element(kTextSize, 0);
    std::memcpy(element.data(), text.data(), std::min(text.size(), kTextSize - 1));
    return element;
}

// The body keeps its fixed-width fields padded, whatever was written.
void repadFields(SimCapability& cap) {
    for (size_t offset = 0; offset + kTextSize <= cap.arrayBytes.size(); offset += kTextSize) {
        const auto* block = reinterpret_cast<const char*>(cap.arrayBytes.data() + offset);
        const std::vector<uint8_t> element =
            textElement(padField(textFrom(block, kTextSize), cap.fieldWidth));
        std::copy(element.begin(), element.end(), cap.arrayBytes.begin() + offset);
    }
}

int32_t writeArray(SimCapability& cap, intptr_t data) {
    orv::ArrayRecord in{};
    if (const int32_t r = take(data, in); r != kOk) {
        return r;
    }
    const size_t size = static_cast<size_t>(in.elementCount) * in.bytesPerElement;
    if (in.data == 0 || in.elementType != cap.elementType || size != cap.arrayBytes.size()) {
        return kErrBadValue;
    }
    std::memcpy(cap.arrayBytes.data(), reinterpret_cast<const void*>(in.data), size);
    if (cap.fieldWidth != 0 && cap.elementType == orv::kElemText256) {
        repadFields(cap);
    }
    return kOk;
}

orv::EnumRecord enumRecord(const SimCapability& cap) {
    orv::EnumRecord record{};
    record.elementType = cap.elementType;
    record.elementCount = cap.elementCount();
    record.currentIndex = cap.currentIndex;
    record.defaultIndex = cap.defaultIndex;
    record.bytesPerElement = cap.bytesPerElement;
    return record;
}

orv::ArrayRecord arrayRecord(const SimCapability& cap) {
    orv::ArrayRecord record{};
    record.elementType = cap.elementType;
    record.elementCount = cap.elementCount();
    record.dim1 = record.elementCount;
    record.dim2 = 1;
    record.dim3 = 1;
    record.bytesPerElement = cap.bytesPerElement;
    record.bitsPerElement = static_cast<uint16_t>(cap.bytesPerElement * 8);
    return record;
}

// Writes the leading fields of a record and leaves its data address alone:
// that field belongs to the program.
template <typename Record> int32_t putHeader(intptr_t data, const Record& record) {
    if (data == 0) {
        return kErrNoData;
    }
    std::memcpy(address(data), &record, offsetof(Record, data));
    return kOk;
}

// Where the program wants enumeration or array contents and how much room
// it made there, from the record it passed.
struct ContentsTarget {
    uintptr_t address = 0;
    size_t bytes = 0;
};

template <typename Record> ContentsTarget contentsTarget(intptr_t data) {
    Record in{};
    std::memcpy(&in, address(data), sizeof in);
    return {in.data, static_cast<size_t>(in.elementCount) * in.bytesPerElement};
}

} // namespace

uint32_t SimCapability::elementCount() const {
    if (valueType == orv::kVtArray) {
        return bytesPerElement == 0 ? 0
                                    : static_cast<uint32_t>(arrayBytes.size() / bytesPerElement);
    }
    switch (elementType) {
    case orv::kElemUnsigned:
        return static_cast<uint32_t>(values.size());
    case orv::kElemPackedText:
        return static_cast<uint32_t>(contents().size());
    default:
        return static_cast<uint32_t>(texts.size());
    }
}

std::vector<uint8_t> SimCapability::contents() const {
    if (valueType == orv::kVtArray) {
        return arrayBytes;
    }
    std::vector<uint8_t> bytes;
    if (elementType == orv::kElemUnsigned) {
        bytes.resize(values.size() * sizeof(uint32_t));
        if (!values.empty()) {
            std::memcpy(bytes.data(), values.data(), bytes.size());
        }
    } else if (elementType == orv::kElemPackedText) {
        for (const std::string& t : texts) {
            bytes.insert(bytes.end(), t.begin(), t.end());
            bytes.push_back(0);
        }
    } else {
        for (const std::string& t : texts) {
            std::vector<uint8_t> element(kTextSize, 0);
            std::memcpy(element.data(), t.data(), std::min(t.size(), kTextSize - 1));
            bytes.insert(bytes.end(), element.begin(), element.end());
        }
    }
    return bytes;
}

int32_t readValue(const SimCapability& cap, uint32_t dataType, intptr_t data) {
    switch (cap.valueType) {
    case orv::kVtBoolean:
        return dataType == orv::kDtBoolean ? put(data, static_cast<uint8_t>(cap.b ? 1 : 0))
                                           : kErrWrongDataType;
    case orv::kVtInteger:
        return dataType == orv::kDtInteger ? put(data, cap.i) : kErrWrongDataType;
    case orv::kVtUnsigned:
        return dataType == orv::kDtUnsigned ? put(data, cap.u) : kErrWrongDataType;
    case orv::kVtFloat:
        return dataType == orv::kDtFloat ? put(data, cap.f) : kErrWrongDataType;
    case orv::kVtPoint:
        return dataType == orv::kDtPoint ? put(data, orv::PointRecord{cap.rect.x, cap.rect.y})
                                         : kErrWrongDataType;
    case orv::kVtSize:
        return dataType == orv::kDtSize
                   ? put(data, orv::SizeRecord{cap.rect.width, cap.rect.height})
                   : kErrWrongDataType;
    case orv::kVtRect:
        return dataType == orv::kDtRect ? put(data, cap.rect) : kErrWrongDataType;
    case orv::kVtString:
        return dataType == orv::kDtString ? putText(data, cap.text) : kErrWrongDataType;
    case orv::kVtDateTime:
        return dataType == orv::kDtDateTime ? put(data, cap.dateTime) : kErrWrongDataType;
    case orv::kVtRange:
        return dataType == orv::kDtRange ? put(data, cap.range) : kErrWrongDataType;
    case orv::kVtEnum:
        return dataType == orv::kDtEnum ? putHeader(data, enumRecord(cap)) : kErrWrongDataType;
    case orv::kVtArray:
        return dataType == orv::kDtArray ? putHeader(data, arrayRecord(cap)) : kErrWrongDataType;
    case orv::kVtGeneric:
        return dataType == orv::kDtGeneric ? putText(data, cap.text) : kErrWrongDataType;
    default:
        return kErrWrongDataType;
    }
}

int32_t writeValue(SimCapability& cap, uint32_t dataType, intptr_t data) {
    switch (cap.valueType) {
    case orv::kVtBoolean: {
        uint8_t byte = 0;
        if (dataType != orv::kDtBoolean) {
            return kErrWrongDataType;
        }
        const int32_t r = take(data, byte);
        if (r == kOk) {
            cap.b = byte != 0;
        }
        return r;
    }
    case orv::kVtInteger:
        return dataType == orv::kDtInteger ? take(data, cap.i) : kErrWrongDataType;
    case orv::kVtUnsigned: {
        uint32_t value = 0;
        if (dataType == orv::kDtUnsignedInline) {
            value = static_cast<uint32_t>(data);
        } else if (dataType != orv::kDtUnsigned) {
            return kErrWrongDataType;
        } else if (const int32_t r = take(data, value); r != kOk) {
            return r;
        }
        if (value > cap.unsignedLimit) {
            return kErrBadValue;
        }
        cap.u = value;
        return kOk;
    }
    case orv::kVtFloat:
        return dataType == orv::kDtFloat ? take(data, cap.f) : kErrWrongDataType;
    case orv::kVtPoint: {
        orv::PointRecord p{};
        if (dataType != orv::kDtPoint) {
            return kErrWrongDataType;
        }
        const int32_t r = take(data, p);
        if (r == kOk) {
            cap.rect.x = p.x;
            cap.rect.y = p.y;
        }
        return r;
    }
    case orv::kVtRect:
        return dataType == orv::kDtRect ? take(data, cap.rect) : kErrWrongDataType;
    case orv::kVtString: {
        char block[kTextSize];
        if (dataType != orv::kDtString) {
            return kErrWrongDataType;
        }
        const int32_t r = take(data, block);
        if (r == kOk) {
            cap.text = textFrom(block, sizeof block);
        }
        return r;
    }
    case orv::kVtDateTime: {
        orv::DateTimeRecord dt{};
        if (dataType != orv::kDtDateTime) {
            return kErrWrongDataType;
        }
        if (const int32_t r = take(data, dt); r != kOk) {
            return r;
        }
        if (!validDateTime(dt)) {
            return kErrBadValue;
        }
        cap.dateTime = dt;
        return kOk;
    }
    case orv::kVtRange:
        return dataType == orv::kDtRange ? writeRange(cap, data) : kErrWrongDataType;
    case orv::kVtEnum:
        return dataType == orv::kDtEnum ? writeEnumIndex(cap, data) : kErrWrongDataType;
    case orv::kVtArray:
        return dataType == orv::kDtArray ? writeArray(cap, data) : kErrWrongDataType;
    default:
        return kErrWrongDataType;
    }
}

int32_t readContents(const SimCapability& cap, uint32_t dataType, intptr_t data) {
    const bool isEnum = cap.valueType == orv::kVtEnum && dataType == orv::kDtEnum;
    const bool isArray = cap.valueType == orv::kVtArray && dataType == orv::kDtArray;
    if (!isEnum && !isArray) {
        return kErrWrongDataType;
    }
    if (data == 0) {
        return kErrNoData;
    }
    // Both records start with element type and count; the program sized its
    // buffer from the record we handed out, so it must still match.
    const ContentsTarget target =
        isEnum ? contentsTarget<orv::EnumRecord>(data) : contentsTarget<orv::ArrayRecord>(data);
    const std::vector<uint8_t> bytes = cap.contents();
    if (target.address == 0) {
        return kErrNoData;
    }
    if (target.bytes < bytes.size()) {
        return kErrArrayTooSmall;
    }
    if (!bytes.empty()) {
        std::memcpy(reinterpret_cast<void*>(target.address), bytes.data(), bytes.size());
    }
    return kOk;
}

orv::CapabilityInfo describe(const SimCapability& cap) {
    orv::CapabilityInfo info{};
    info.id = cap.id;
    info.valueType = cap.valueType;
    info.visibility = 1;
    info.operations = cap.operations;
    std::memcpy(info.description, cap.description.data(),
                std::min(cap.description.size(), sizeof info.description - 1));
    return info;
}

// ---- Builders ---------------------------------------------------------------

namespace {
SimCapability base(uint32_t id, uint32_t type, uint32_t ops, const char* description) {
    SimCapability cap;
    cap.id = id;
    cap.valueType = type;
    cap.operations = ops;
    cap.description = description;
    return cap;
}
} // namespace

SimCapability makeUnsigned(uint32_t id, uint32_t ops, uint32_t value, const char* description) {
    SimCapability cap = base(id, orv::kVtUnsigned, ops, description);
    cap.u = value;
    return cap;
}

SimCapability makeInteger(uint32_t id, uint32_t ops, int32_t value, const char* description) {
    SimCapability cap = base(id, orv::kVtInteger, ops, description);
    cap.i = value;
    return cap;
}

SimCapability makeBoolean(uint32_t id, uint32_t ops, bool value, const char* description) {
    SimCapability cap = base(id, orv::kVtBoolean, ops, description);
    cap.b = value;
    return cap;
}

SimCapability makeFloat(uint32_t id, uint32_t ops, double value, const char* description) {
    SimCapability cap = base(id, orv::kVtFloat, ops, description);
    cap.f = value;
    return cap;
}

SimCapability makeText(uint32_t id, uint32_t ops, std::string value, const char* description) {
    SimCapability cap = base(id, orv::kVtString, ops, description);
    cap.text = std::move(value);
    return cap;
}

SimCapability makeProcess(uint32_t id, const char* description) {
    return base(id, orv::kVtProcess, orv::kOpStart, description);
}

SimCapability makeCallback(uint32_t id, const char* description) {
    return base(id, orv::kVtCallback, orv::kOpGet | orv::kOpSet, description);
}

SimCapability makeEnumValues(uint32_t id, uint32_t ops, std::vector<uint32_t> values,
                             uint32_t current, const char* description) {
    SimCapability cap = base(id, orv::kVtEnum, ops, description);
    cap.elementType = orv::kElemUnsigned;
    cap.bytesPerElement = 4;
    cap.values = std::move(values);
    cap.currentIndex = current;
    cap.defaultIndex = current;
    return cap;
}

SimCapability makeEnumTexts(uint32_t id, uint32_t ops, std::vector<std::string> texts,
                            uint32_t current, const char* description) {
    SimCapability cap = base(id, orv::kVtEnum, ops, description);
    cap.elementType = orv::kElemPackedText;
    cap.bytesPerElement = 1;
    cap.texts = std::move(texts);
    cap.currentIndex = current;
    cap.defaultIndex = current;
    return cap;
}

SimCapability makeRange(uint32_t id, uint32_t ops, double lower, double upper, uint32_t steps,
                        uint32_t index, const char* description) {
    SimCapability cap = base(id, orv::kVtRange, ops, description);
    cap.range.lower = lower;
    cap.range.upper = upper;
    cap.range.steps = steps;
    cap.range.valueIndex = index;
    cap.range.defaultIndex = index;
    cap.range.value = steps == 0 ? lower : rangeValueAt(cap.range, index);
    cap.range.defaultValue = cap.range.value;
    return cap;
}

SimCapability makeTextArray(uint32_t id, uint32_t ops, const std::vector<std::string>& texts,
                            const char* description) {
    SimCapability cap = base(id, orv::kVtArray, ops, description);
    cap.elementType = orv::kElemText256;
    cap.bytesPerElement = kTextSize;
    for (const std::string& t : texts) {
        const std::vector<uint8_t> element = textElement(t);
        cap.arrayBytes.insert(cap.arrayBytes.end(), element.begin(), element.end());
    }
    return cap;
}

SimCapability makePaddedTextArray(uint32_t id, uint32_t ops, const std::vector<std::string>& texts,
                                  uint16_t width, const char* description) {
    std::vector<std::string> padded;
    for (const std::string& t : texts) {
        padded.push_back(padField(t, width));
    }
    SimCapability cap = makeTextArray(id, ops, padded, description);
    cap.fieldWidth = width;
    return cap;
}

std::string padField(const std::string& text, size_t width) {
    size_t cut = std::min(text.size(), width);
    // Back off to the first byte of a character that would be split.
    while (cut > 0 && cut < text.size() && (static_cast<uint8_t>(text[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    std::string field = text.substr(0, cut);
    field.resize(width, ' ');
    return field;
}

} // namespace vsim
