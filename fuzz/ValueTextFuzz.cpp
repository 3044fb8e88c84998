// Capability values in words: a capability id (mostly one the value texts
// know) and a value record of any value type as a module may answer it,
// read the way the camera layer reads it and formatted for the log and the
// dump; ranges also through the index arithmetic and the compensation
// scale's layout.
// Input (little-endian): u8 id pick (beyond the table: a u32 id follows), u8
// value type, the value record, u8 a second value type, u32 an enumeration
// value, a double, u64 and u8 for the hexadecimal text, then packed texts.
#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "camera/CapabilityValues.h"
#include "camera/EnumValueText.h"
#include "camera/ValueFormat.h"
#include "camera/ValueText.h"
#include "connection/CompensationScaleLayout.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

using namespace orv;

namespace {

// Every id with value texts, and those the formatting treats apart.
constexpr uint32_t kKnownIds[] = {0x0C,   0x35,   0x36,   0x39,   0x3A,   0x8111, 0x8113,
                                  0x8116, 0x8120, 0x818D, 0x8338, 0x81AC, 0x81B0, 0x81B1,
                                  0x81B2, 0x81B9, 0x822E, 0x823F, 0x825C, 0x825E, 0x8272,
                                  0x8286, 0x8287, 0x8299, 0x8304, 0x8305, 0x8337};

constexpr size_t kMaxArrayTexts = 8;
// Ranges within these bounds map their indices to values and back exactly.
constexpr double kPlainBound = 1000.0;
constexpr uint32_t kPlainSteps = 10000;

uint32_t capabilityId(FuzzInput& input) {
    const auto pick = input.number<uint8_t>();
    return pick < std::size(kKnownIds) ? kKnownIds[pick] : input.number<uint32_t>();
}

template <typename Record> Record record(FuzzInput& input) {
    Record value{};
    const std::span<const uint8_t> raw = input.bytes(sizeof value);
    if (!raw.empty()) {
        std::memcpy(&value, raw.data(), raw.size());
    }
    return value;
}

// A 256-byte text record, read up to its end or its size.
std::string textRecord(FuzzInput& input) {
    const auto text = record<TextRecord>(input);
    return std::string(text.text, strnlen(text.text, sizeof text.text));
}

CapabilityValue rangeValue(FuzzInput& input) {
    auto range = record<RangeRecord>(input);
    if (range.steps != 0) {
        range.value = RangeValueForIndex(range, range.valueIndex);
    }
    return range;
}

// The value as CapabilityValueText reads it for `valueType`.
CapabilityValue readValue(FuzzInput& input, uint32_t valueType) {
    switch (valueType) {
    case kVtBoolean:
        return input.number<uint8_t>() == 1;
    case kVtInteger:
        return input.number<int32_t>();
    case kVtUnsigned:
        return input.number<uint32_t>();
    case kVtFloat:
        return input.number<double>();
    case kVtPoint:
        return record<PointRecord>(input);
    case kVtSize:
        return record<SizeRecord>(input);
    case kVtRect:
        return record<RectRecord>(input);
    case kVtDateTime: {
        auto dateTime = record<DateTimeRecord>(input);
        ++dateTime.month;
        return dateTime;
    }
    case kVtCallback:
        return CallbackValue{input.number<uintptr_t>()};
    case kVtArray: {
        std::vector<std::string> texts(input.number<uint8_t>() % (kMaxArrayTexts + 1));
        for (std::string& text : texts) {
            text = textRecord(input);
        }
        return texts;
    }
    case kVtRange:
        return rangeValue(input);
    case kVtString:
    case kVtEnum:
    case kVtGeneric:
        return textRecord(input);
    default:
        return std::monostate{};
    }
}

void checkShortestDouble(double value) {
    const std::string text = FormatShortestDouble(value);
    if (!std::isfinite(value)) {
        return;
    }
    double back = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), back);
    FUZZ_CHECK(result.ec == std::errc() && result.ptr == text.data() + text.size());
    FUZZ_CHECK(std::memcmp(&back, &value, sizeof value) == 0);
}

bool isPlain(const RangeRecord& range) {
    return std::abs(range.lower) <= kPlainBound && std::abs(range.upper) <= kPlainBound &&
           std::abs(range.upper - range.lower) >= 0.01 && range.steps >= 2 &&
           range.steps <= kPlainSteps;
}

void checkRange(const RangeRecord& range, double value) {
    const uint32_t index = RangeIndexForValue(range, value);
    FUZZ_CHECK(range.steps < 2 ? index == 0 : index < range.steps);
    if (isPlain(range) && range.valueIndex < range.steps) {
        FUZZ_CHECK(RangeIndexForValue(range, RangeValueForIndex(range, range.valueIndex)) ==
                   range.valueIndex);
    }
}

void checkScale(const RangeRecord& range) {
    const ExposureScaleGeometry scale = ExposureScaleLayout(range.lower, range.upper, range.steps);
    FUZZ_CHECK(scale.maximum >= 0 && scale.sliderWidth > 0);
    FUZZ_CHECK(scale.sliderLeft == scale.labelLeft - 4);
}

void checkHexText(uint64_t value, int minDigits) {
    const std::string text = HexText(value, minDigits);
    FUZZ_CHECK(text.size() >= static_cast<size_t>(minDigits));
    uint64_t back = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), back, 16);
    FUZZ_CHECK(result.ec == std::errc() && back == value);
}

// Packed texts joined again with their NUL bytes give the contents back.
void checkPackedTexts(const std::vector<uint8_t>& contents) {
    std::string joined;
    for (const std::string& text : SplitPackedTexts(contents)) {
        joined += text;
        joined += '\0';
    }
    if (!contents.empty() && contents.back() != 0) {
        joined.pop_back();
    }
    FUZZ_CHECK(joined == std::string(contents.begin(), contents.end()));
}

void checkCutUtf8(const std::string& text, size_t maxBytes) {
    const std::string cut = CutUtf8(text, maxBytes);
    FUZZ_CHECK(text.size() <= maxBytes ? cut == text : cut.size() <= maxBytes);
    FUZZ_CHECK(text.compare(0, cut.size(), cut) == 0);
    if (cut.size() < text.size() && !cut.empty()) {
        FUZZ_CHECK((static_cast<uint8_t>(text[cut.size()]) & 0xC0) != 0x80);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const uint32_t capId = capabilityId(input);
    const auto valueType = input.number<uint8_t>() % (kVtBoolDefault + 2);
    const CapabilityValue value = readValue(input, valueType);
    const std::string text = FormatCapabilityValue(capId, valueType, value);
    if (valueType == kVtString || valueType == kVtEnum) {
        FUZZ_CHECK(text == std::get<std::string>(value));
    }
    if (valueType > kVtBoolDefault) {
        FUZZ_CHECK(text == "???" + std::to_string(valueType));
    }
    // Another alternative than the type expects reads as the type's default.
    FormatCapabilityValue(capId, input.number<uint8_t>() % (kVtBoolDefault + 2), value);

    const auto number = input.number<uint32_t>();
    FUZZ_CHECK(!EnumValueText(capId, number).starts_with(", "));
    FUZZ_CHECK(EnumElementText(capId, number) == EnumValueText(capId, number));
    checkShortestDouble(input.number<double>());
    checkHexText(input.number<uint64_t>(), input.number<uint8_t>() % 17);
    if (const auto* range = std::get_if<RangeRecord>(&value)) {
        checkRange(*range, input.number<double>());
        checkScale(*range);
    }
    const std::span<const uint8_t> rest = input.rest();
    checkPackedTexts({rest.begin(), rest.end()});
    checkCutUtf8(FuzzInput::text(rest), capId % 300);
    return 0;
}
