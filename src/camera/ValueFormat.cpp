#include "camera/ValueFormat.h"

#include "camera/EnumValueText.h"

#include <charconv>
#include <cstdio>
#include <string_view>

namespace {

// The alternative the value type expects, or that type's default.
template <typename T> T valueOr(const CapabilityValue& value, T fallback = T{}) {
    const T* held = std::get_if<T>(&value);
    return held != nullptr ? *held : fallback;
}

// Fixed notation with two decimals; to_chars keeps "." whatever locale the
// window toolkit has set for the process.
std::string fixed2(double value) {
    char buffer[400] = {};
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    return std::string(buffer, result.ptr);
}

// Texts from the module may carry padding; spaces and control characters at
// either end are dropped.
std::string_view trimmed(std::string_view text) {
    const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string formatUnsigned(uint32_t capId, uint32_t value) {
    std::string text = EnumValueText(capId, value);
    return text.empty() ? std::to_string(value) : text;
}

std::string formatPoint(const orv::PointRecord& p) {
    return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
}

std::string formatSize(const orv::SizeRecord& s) {
    return std::to_string(s.width) + "x" + std::to_string(s.height);
}

std::string formatRect(const orv::RectRecord& r) {
    return "(" + std::to_string(r.x) + "," + std::to_string(r.y) + "), " + std::to_string(r.width) +
           "x" + std::to_string(r.height);
}

std::string formatCallback(const CallbackValue& callback) {
    std::string text = "<bl>callback:</bl> ";
    if (callback.proc == 0) {
        return text + "not set";
    }
    char hex[32] = {};
    std::snprintf(hex, sizeof hex, "0x%.6llX", static_cast<unsigned long long>(callback.proc));
    return text + hex;
}

std::string formatArray(const std::vector<std::string>& texts) {
    std::string text;
    for (const std::string& element : texts) {
        if (!text.empty()) {
            text += ", ";
        }
        text += "'";
        text += trimmed(element);
        text += "'";
    }
    return text;
}

std::string formatRange(const orv::RangeRecord& range) {
    return fixed2(range.value) + " [" + fixed2(range.lower) + ".." + fixed2(range.upper) + "]";
}

} // namespace

std::string FormatShortestDouble(double value) {
    char buffer[64] = {};
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string FormatDateTime(const orv::DateTimeRecord& dateTime) {
    char text[64] = {};
    std::snprintf(text, sizeof text, "%.4d.%.2d.%.2d. %.2d:%.2d:%.2d", int{dateTime.year},
                  int{dateTime.month}, int{dateTime.day}, int{dateTime.hour}, int{dateTime.minute},
                  int{dateTime.second});
    return text;
}

std::string FormatCapabilityValue(uint32_t capId, uint32_t valueType,
                                  const CapabilityValue& value) {
    switch (valueType) {
    case orv::kVtProcess:
        return "<bl>process</bl>";
    case orv::kVtBoolean:
        return valueOr<bool>(value) ? "Yes" : "No";
    case orv::kVtInteger:
        return std::to_string(valueOr<int32_t>(value));
    case orv::kVtUnsigned:
        return formatUnsigned(capId, valueOr<uint32_t>(value));
    case orv::kVtFloat:
        return FormatShortestDouble(valueOr<double>(value));
    case orv::kVtPoint:
        return formatPoint(valueOr<orv::PointRecord>(value));
    case orv::kVtSize:
        return formatSize(valueOr<orv::SizeRecord>(value));
    case orv::kVtRect:
        return formatRect(valueOr<orv::RectRecord>(value));
    case orv::kVtString:
    case orv::kVtEnum:
        return valueOr<std::string>(value);
    case orv::kVtDateTime:
        return FormatDateTime(valueOr<orv::DateTimeRecord>(value));
    case orv::kVtCallback:
        return formatCallback(valueOr<CallbackValue>(value));
    case orv::kVtArray:
        return formatArray(valueOr<std::vector<std::string>>(value));
    case orv::kVtRange:
        return formatRange(valueOr<orv::RangeRecord>(value));
    case orv::kVtGeneric:
        return capId == orv::kCapGenericText ? valueOr<std::string>(value) : std::string();
    case orv::kVtBoolDefault:
        return "booldefault";
    default:
        break;
    }
    return "???" + std::to_string(valueType);
}
