// The module's questions: a user-interface request record with its kind and
// texts as a module may send them (long, with early ends, absent), read into
// the question the window shows, and the reply as the module gets it.
// Input (little-endian): u8 flags (1 prompt, 2 detail, 4 no record), u32
// the handler's reply, u8 kind, 15 reserved bytes, then prompt and detail,
// each a u16 length and the bytes (up to 0x1F) it is cycled from.
#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "camera/Callbacks.h"
#include "camera/CameraTypes.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

using namespace orv;

namespace {

// A module's text: `length` bytes cycled from the input, then its end.
std::string moduleText(FuzzInput& input) {
    const auto length = input.number<uint16_t>();
    const std::span<const uint8_t> pattern = input.until(0x1F);
    std::string text(length, 'x');
    for (size_t i = 0; i < text.size() && !pattern.empty(); ++i) {
        text[i] = static_cast<char>(pattern[i % pattern.size()]);
    }
    return text;
}

// What the question should say of a text: up to its end, at most the bound.
std::string shown(const std::string& text) {
    return text.substr(0, std::min(std::strlen(text.c_str()), Callbacks::kMaxUiTextBytes));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const auto flags = input.number<uint8_t>();
    const auto reply = input.number<uint32_t>();
    FUZZ_CHECK(UiReplyForModule(reply) == (reply <= kReplyNo ? reply : kReplyNone));

    UiRequestRecord record{};
    record.kind = input.number<uint8_t>();
    const std::span<const uint8_t> reserved = input.bytes(sizeof record.reserved);
    std::copy(reserved.begin(), reserved.end(), record.reserved);
    const std::string prompt = moduleText(input);
    const std::string detail = moduleText(input);
    record.prompt = (flags & 1) ? reinterpret_cast<uintptr_t>(prompt.c_str()) : 0;
    record.detail = (flags & 2) ? reinterpret_cast<uintptr_t>(detail.c_str()) : 0;
    // Exactly one record on the heap, so that a read beyond it is caught.
    const auto bytes = std::make_unique<uint8_t[]>(sizeof record);
    std::memcpy(bytes.get(), &record, sizeof record);

    const std::optional<UiQuestion> question = ReadUiRequest((flags & 4) ? nullptr : bytes.get());
    if ((flags & 4) || record.kind > 3) {
        FUZZ_CHECK(!question);
        return 0;
    }
    FUZZ_CHECK(question && question->kind == record.kind);
    const std::string first = (flags & 1) ? shown(prompt) : std::string();
    const std::string second = (flags & 2) ? shown(detail) : std::string();
    FUZZ_CHECK(question->message == (second.empty() ? first : first + "\r\n" + second));
    return 0;
}
