#pragma once
// Texts handed out through the C control interface.
#include <algorithm>
#include <cstring>
#include <string>

namespace vsim {

// Copies `text` into `buffer` (cut to fit, always terminated) and returns
// the full length, so a caller can ask again with a buffer large enough.
inline size_t copyText(const std::string& text, char* buffer, size_t size) {
    if (buffer != nullptr && size > 0) {
        const size_t n = std::min(text.size(), size - 1);
        std::memcpy(buffer, text.data(), n);
        buffer[n] = '\0';
    }
    return text.size();
}

} // namespace vsim
