#include "camera/ItemLists.h"

#include "camera/CameraTypes.h"
#include "camera/EnumValueText.h"

#include <array>

namespace {

// These differ from the flash value texts on purpose: they are the wording the
// flash-mode combo box has always shown.
constexpr std::array<std::string_view, 6> kFlashModeItems = {
    "Normal", "Rear-sync", "Slow-sync", "Red eye reduction", "Red eye slow", "Rear curtain slow."};

constexpr std::array<std::string_view, 8> kZoomRateItems = {"Full", "25%",  "33%",  "50%",
                                                            "66%",  "100%", "200%", "13%"};

std::string flashModeItem(uint32_t element) {
    const uint32_t mode = element & 0x7Fu;
    if (mode < kFlashModeItems.size()) {
        return std::string(kFlashModeItems[mode]);
    }
    std::string text = EnumValueText(orv::kCapFlashMode, element);
    return text.empty() ? "Flash mode " + std::to_string(element) : text;
}

// value / 10 in its shortest decimal form, computed on integers so that 35
// reads 3.5 exactly.
std::string tenths(uint32_t value) {
    std::string text = std::to_string(value / 10);
    if (value % 10 != 0) {
        text += "." + std::to_string(value % 10);
    }
    return text;
}

void appendLine(std::string& list, std::string_view line) {
    list += line;
    list += kItemLineBreak;
}

} // namespace

std::string PackedTextsToLines(std::string_view packed) {
    std::string lines;
    lines.reserve(packed.size() + packed.size() / 2);
    for (char c : packed) {
        if (c == '\0') {
            lines += kItemLineBreak;
        } else {
            lines += c;
        }
    }
    return lines;
}

std::string FlashModeItemList(std::span<const uint32_t> elements) {
    std::string list;
    for (uint32_t element : elements) {
        appendLine(list, flashModeItem(element));
    }
    return list;
}

std::string ManualFocalLengthItemList(std::span<const uint32_t> elements) {
    std::string list;
    for (size_t i = 0; i < elements.size(); ++i) {
        appendLine(list, i == 0 ? std::string("N/A") : std::to_string(elements[i]) + " mm");
    }
    return list;
}

std::string ManualApertureItemList(std::span<const uint32_t> elements) {
    std::string list;
    for (size_t i = 0; i < elements.size(); ++i) {
        appendLine(list, i == 0 ? std::string("N/A") : "f/" + tenths(elements[i]));
    }
    return list;
}

std::string ZoomRateItemList(std::span<const uint32_t> elements) {
    std::string list;
    for (uint32_t element : elements) {
        const uint32_t rate = element & 0x7Fu;
        if (rate < kZoomRateItems.size()) {
            appendLine(list, kZoomRateItems[rate]);
        }
    }
    return list;
}

std::string ApertureItemList(std::string_view lines) {
    if (lines.ends_with(kItemLineBreak)) {
        lines.remove_suffix(kItemLineBreak.size());
    } else if (lines.empty()) {
        return {};
    }
    std::string list = "f/";
    for (size_t pos = 0;;) {
        const size_t next = lines.find(kItemLineBreak, pos);
        list += lines.substr(pos, next - pos);
        if (next == std::string_view::npos) {
            break;
        }
        list += kItemLineBreak;
        list += "f/";
        pos = next + kItemLineBreak.size();
    }
    return list;
}
