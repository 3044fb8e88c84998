#include "camera/ValueText.h"

#include "camera/CamObject.h"
#include "camera/CameraLink.h"
#include "camera/CapabilityValues.h"
#include "camera/EnumValueText.h"
#include "camera/ValueFormat.h"

#include <cstdio>

using namespace orv;

namespace {

template <typename... Args> std::string format(const char* pattern, Args... args) {
    char buffer[64];
    std::snprintf(buffer, sizeof(buffer), pattern, args...);
    return buffer;
}

// Apertures read "f/5.6" wherever the program shows them, as in the
// aperture lists the controls load.
std::string withAperturePrefix(uint32_t id, std::string text) {
    const bool aperture = id == kCapAperture || id == kCapMovieAperture;
    return aperture && !text.empty() ? "f/" + text : text;
}

// Reads the value the way its value type needs; types without a value
// (process, boolean with default, unknown) read nothing.
CapabilityValue readValue(CamObject* object, const CapabilityInfo& info) {
    CapabilityValues& values = object->link().values();
    const uint32_t id = info.id;
    switch (info.valueType) {
    case kVtBoolean:
        return values.getBoolean(object, id);
    case kVtInteger:
        return values.getInteger(object, id);
    case kVtUnsigned:
        return values.getUnsigned(object, id);
    case kVtFloat:
        return values.getFloat(object, id);
    case kVtPoint:
        return values.getPoint(object, id);
    case kVtSize:
        return values.getSize(object, id);
    case kVtRect:
        return values.getRect(object, id);
    case kVtString:
        return values.getText(object, id);
    case kVtDateTime: {
        DateTimeRecord dt{};
        values.getDateTime(object, id, dt);
        return dt;
    }
    case kVtCallback:
        return CallbackValue{values.getCallback(object, id).procedure};
    case kVtArray:
        return values.getTextArray(object, id);
    case kVtEnum:
        return withAperturePrefix(id, values.getEnumText(object, id));
    case kVtRange:
        return values.getRange(object, id);
    case kVtGeneric:
        // Only 0x39 has a text, and it is read from the current source.
        return id == kCapGenericText && object == object->link().CurrentSource()
                   ? values.getGenericText()
                   : std::string();
    default:
        return std::monostate{};
    }
}

} // namespace

std::string CapabilityValueText(CamObject* object, const CapabilityInfo* info) {
    if (!object || !info) {
        return {};
    }
    return FormatCapabilityValue(info->id, info->valueType, readValue(object, *info));
}

std::string EnumElementText(uint32_t capId, uint32_t value) {
    return EnumValueText(capId, value);
}

std::string HexText(uint64_t value, int minDigits) {
    return format("%0*llX", minDigits, static_cast<unsigned long long>(value));
}

std::vector<std::string> SplitPackedTexts(const std::vector<uint8_t>& contents) {
    std::vector<std::string> texts;
    std::string current;
    for (uint8_t byte : contents) {
        if (byte == 0) {
            texts.push_back(current);
            current.clear();
        } else {
            current += static_cast<char>(byte);
        }
    }
    if (!current.empty()) {
        texts.push_back(current);
    }
    return texts;
}
