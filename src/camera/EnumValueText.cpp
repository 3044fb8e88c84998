#include "camera/EnumValueText.h"

#include "camera/CapabilityNames.h"

#include <span>
#include <string_view>

namespace {

// Which part of the value a row looks at.
enum class Key { LowByte, Low7Bits, Low16Bits, Whole };

// How a row turns its key into text.
enum class Form {
    Lookup,       // the key's entry in the row's names
    Bits,         // the text of every set bit, in the order of the names
    Numbered,     // key in [first, last]: prefix + (key - first + 1)
    NameNumber,   // capability name + " " + value
    PrefixNumber, // prefix + value
    Version,      // major "." minor from the top two bytes
};

struct ValueName {
    uint32_t key;
    std::string_view text;
};

struct ValueTextRule {
    uint32_t id = 0;
    Form form = Form::Lookup;
    Key key = Key::Whole;
    std::span<const ValueName> names = {};
    uint32_t first = 0;
    uint32_t last = 0;
    std::string_view prefix = {};
};

constexpr ValueName kDataKinds[] = {
    {0x01, "Image"}, {0x02, ", Sound"}, {0x04, ", Video"}, {0x08, ", Thumbnail"}, {0x10, ", File"}};
constexpr ValueName kFlashModes[] = {{0, "Normal"},
                                     {1, "Rear-sync"},
                                     {2, "Slow-sync"},
                                     {3, "Red Eye Reduction"},
                                     {4, "Slow-sync Red Eye Reduction"},
                                     {5, "SlowRear-sync"}};
constexpr ValueName kFlashStates[] = {{0x106, "Off"}, {0x107, "Auto"}, {0x108, "On"}};
constexpr ValueName kDeviceKinds[] = {{1, "Scanner"}, {2, "Camera"}};
constexpr ValueName kExposureModes[] = {
    {0, "Program"}, {1, "Aperture"}, {2, "Speed"}, {3, "Manual"}};
constexpr ValueName kMeteringModes[] = {{0, "Matrix"}, {1, "CenterWeighted"}, {2, "Spot"}};
constexpr ValueName kFocusModes[] = {{0, "MF"}, {1, "AF-S"}, {2, "AF-C"}, {4, "AF-F"}};
constexpr ValueName kShootingModes[] = {{0, "Single"},
                                        {1, "Continous"},
                                        {2, "Continous highspeed"},
                                        {3, "Self timer"},
                                        {4, "Mirror up"},
                                        {5, "Remote timer instant"},
                                        {6, "Remote timer 2 sec"},
                                        {7, "LiveView"},
                                        {8, "Quiet"},
                                        {9, "Remote control"},
                                        {0xFF, "Unknown"}};
constexpr ValueName kUsbSpeeds[] = {{0, "USB 1.0"}, {1, "USB 2.0"}, {2, "USB 3.0"}};
constexpr ValueName kBracketRanges[] = {{0, "-2"},  {1, "+2"},  {2, "-3"},  {3, "+3"},
                                        {4, "+-3"}, {5, "+-5"}, {6, "+-7"}, {7, "+-9"}};
constexpr ValueName kBracketSteps[] = {{0, "1/3"}, {1, "1/2"}, {2, "2/3"}, {3, "1"}, {4, "4/3"},
                                       {5, "3/2"}, {6, "5/3"}, {7, "2"},   {8, "3"}};
constexpr ValueName kStepCounts[] = {{0, "1 step"}, {1, "2 step"}, {2, "3 step"}};
constexpr ValueName kFlashUnitKinds[] = {{0, "No communicate"},
                                         {1, "Old type"},
                                         {2, "New type"},
                                         {3, "Not exist"},
                                         {4, "New type control"}};
constexpr ValueName kImagePresets[] = {{0, "Undefined"}, {1, "Standard"},   {2, "Neutral"},
                                       {3, "Vivid"},     {4, "Monochrome"}, {5, "Portrait"},
                                       {6, "Landscape"}};
constexpr ValueName kZoomRates[] = {{0, "Full"}, {1, "25%"},  {2, "33%"},  {3, "50%"},
                                    {4, "66%"},  {5, "100%"}, {6, "200%"}, {7, "13%"}};
constexpr ValueName kLensTypes[] = {{0x01, "Distance"},       {0x10, ", Gearless"},
                                    {0x100, ", Stabilized"},  {0x1000, ", APS"},
                                    {0x10000, ", Silent AF"}, {0x100000, ", Auto Distortion"}};
constexpr ValueName kLiveViewProhibits[] = {{0x400000, "Mirror up"},
                                            {0x200000, ", Bulb warning"},
                                            {0x100000, ", Card unformat"},
                                            {0x80000, ", Card error"},
                                            {0x40000, ", Card protect"},
                                            {0x20000, ", Temperature too high"},
                                            {0x10000, ", Effect mode"},
                                            {0x8000, ", Capture"},
                                            {0x4000, ", No card lock"},
                                            {0x2000, ", Mirror mode"},
                                            {0x1000, ", Image in SDRAM"},
                                            {0x800, ", Non CPU lens"},
                                            {0x400, ", Aperture ring"},
                                            {0x200, ", TTL error"},
                                            {0x100, ", Battery low"},
                                            {0x80, ", Mirror up"},
                                            {0x40, ", Bulb"},
                                            {0x20, ", FEE"},
                                            {0x10, ", Button pushed error"},
                                            {0x04, ", Sequence error"},
                                            {0x01, ", CF"}};
constexpr ValueName kMovieScreenSizes[] = {{0, "QVGA"},
                                           {1, "VGA"},
                                           {2, "720p"},
                                           {3, "VGA normal 640x480"},
                                           {4, "VGA fine 640x480"},
                                           {5, "720p normal low fps"},
                                           {6, "720p fine low fps"},
                                           {7, "720p normal high fps"},
                                           {8, "720p fine high fps"},
                                           {9, "Full HD normal"},
                                           {10, "Full HD fine"},
                                           {11, "Full HD normal high fps"},
                                           {12, "Full HD Fine high fps"}};
constexpr ValueName kCardKinds[] = {{0, "CF"}, {1, "SD"}};
constexpr ValueName kMovieProhibits[] = {{0x2000, "LiveView mode"},
                                         {0x1000, ", Zoom is not full"},
                                         {0x800, ", Card protected"},
                                         {0x400, ", Movie recording"},
                                         {0x200, ", Movie in the buffer"},
                                         {0x100, ", Data to PC in the buffer"},
                                         {0x80, ", Data to card in the buffer"},
                                         {0x08, ", Card full"},
                                         {0x04, ", Card not formatted"},
                                         {0x02, ", Card error"},
                                         {0x01, ", No card inserted"}};
constexpr ValueName kActiveSlots[] = {
    {0, "No card"}, {1, "Slot1"}, {2, "Slot2"}, {3, "Slot1+Slot2"}};
constexpr ValueName kSaveMedia[] = {{0, "Card"}, {1, "SDRAM"}, {2, "Card+SDRAM"}};

// Rows of one id are tried in order; the first that gives a text wins.
constexpr ValueTextRule kRules[] = {
    {.id = 0x0C, .form = Form::Bits, .names = kDataKinds},
    {.id = 0x35, .form = Form::Lookup, .key = Key::Low7Bits, .names = kFlashModes},
    {.id = 0x35, .form = Form::Lookup, .key = Key::Low16Bits, .names = kFlashStates},
    {.id = 0x36, .form = Form::Lookup, .key = Key::LowByte, .names = kDeviceKinds},
    {.id = 0x3A, .form = Form::Version},
    {.id = 0x8111, .form = Form::Lookup, .key = Key::LowByte, .names = kExposureModes},
    {.id = 0x8111, .form = Form::NameNumber},
    {.id = 0x8116, .form = Form::Lookup, .key = Key::LowByte, .names = kMeteringModes},
    {.id = 0x8116, .form = Form::NameNumber},
    {.id = 0x8120, .form = Form::Lookup, .key = Key::LowByte, .names = kFocusModes},
    {.id = 0x8120, .form = Form::NameNumber},
    {.id = 0x818D, .form = Form::Lookup, .key = Key::LowByte, .names = kShootingModes},
    {.id = 0x818D, .form = Form::NameNumber},
    {.id = 0x8338, .form = Form::Lookup, .key = Key::LowByte, .names = kShootingModes},
    {.id = 0x8338, .form = Form::NameNumber},
    {.id = 0x81AC, .form = Form::Lookup, .key = Key::LowByte, .names = kUsbSpeeds},
    {.id = 0x81B0, .form = Form::Lookup, .key = Key::Low7Bits, .names = kBracketRanges},
    {.id = 0x81B1, .form = Form::Lookup, .key = Key::Low7Bits, .names = kBracketSteps},
    {.id = 0x81B2, .form = Form::Lookup, .key = Key::LowByte, .names = kStepCounts},
    {.id = 0x81B9, .form = Form::Lookup, .key = Key::Low7Bits, .names = kFlashUnitKinds},
    {.id = 0x822E, .form = Form::Lookup, .key = Key::LowByte, .names = kImagePresets},
    {.id = 0x822E,
     .form = Form::Numbered,
     .key = Key::LowByte,
     .first = 101,
     .last = 104,
     .prefix = "Option Image Preset "},
    {.id = 0x822E,
     .form = Form::Numbered,
     .key = Key::LowByte,
     .first = 201,
     .last = 209,
     .prefix = "Custom Image Preset "},
    {.id = 0x822E, .form = Form::PrefixNumber, .prefix = "Image Preset "},
    {.id = 0x823F, .form = Form::Lookup, .key = Key::Low7Bits, .names = kZoomRates},
    {.id = 0x825C, .form = Form::Bits, .names = kLensTypes},
    {.id = 0x825E, .form = Form::Bits, .names = kLiveViewProhibits},
    {.id = 0x8272, .form = Form::Lookup, .key = Key::Low7Bits, .names = kMovieScreenSizes},
    {.id = 0x8286, .form = Form::Lookup, .key = Key::Whole, .names = kCardKinds},
    {.id = 0x8287, .form = Form::Lookup, .key = Key::Whole, .names = kCardKinds},
    {.id = 0x8299, .form = Form::Bits, .names = kMovieProhibits},
    {.id = 0x8304, .form = Form::Lookup, .key = Key::LowByte, .names = kActiveSlots},
    {.id = 0x8305, .form = Form::Lookup, .key = Key::LowByte, .names = kSaveMedia},
};

uint32_t keyOf(Key key, uint32_t value) {
    switch (key) {
    case Key::LowByte:
        return value & 0xFFu;
    case Key::Low7Bits:
        return value & 0x7Fu;
    case Key::Low16Bits:
        return value & 0xFFFFu;
    case Key::Whole:
        break;
    }
    return value;
}

std::string lookup(std::span<const ValueName> names, uint32_t key) {
    for (const ValueName& name : names) {
        if (name.key == key) {
            return std::string(name.text);
        }
    }
    return {};
}

std::string setBits(std::span<const ValueName> names, uint32_t value) {
    std::string text;
    for (const ValueName& name : names) {
        if ((value & name.key) != 0) {
            text += name.text;
        }
    }
    return text;
}

std::string applyRule(const ValueTextRule& rule, uint32_t value) {
    const uint32_t key = keyOf(rule.key, value);
    switch (rule.form) {
    case Form::Lookup:
        return lookup(rule.names, key);
    case Form::Bits:
        return setBits(rule.names, value);
    case Form::Numbered:
        if (key >= rule.first && key <= rule.last) {
            return std::string(rule.prefix) + std::to_string(key - rule.first + 1);
        }
        return {};
    case Form::NameNumber:
        return CapabilityName(rule.id) + " " + std::to_string(value);
    case Form::PrefixNumber:
        return std::string(rule.prefix) + std::to_string(value);
    case Form::Version:
        return std::to_string(value >> 24) + "." + std::to_string((value >> 16) & 0xFFu);
    }
    return {};
}

} // namespace

std::string EnumValueText(uint32_t id, uint32_t value) {
    std::string text;
    for (const ValueTextRule& rule : kRules) {
        if (rule.id == id) {
            text = applyRule(rule, value);
            if (!text.empty()) {
                break;
            }
        }
    }
    if (text.starts_with(", ")) {
        text.erase(0, 2);
    }
    return text;
}
