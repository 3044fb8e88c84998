#include "images/ReceivedFile.h"

#include <algorithm>

ReceivedFile receivedFileAt(const std::string& path, int64_t number) {
    ReceivedFile file;
    file.path = path;
    file.number = number;
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = path.rfind('.');
    // A leading dot starts a hidden name, not an extension.
    if (dot != std::string::npos && dot > nameStart) {
        file.kind = path.substr(dot + 1);
        std::transform(file.kind.begin(), file.kind.end(), file.kind.begin(), [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        });
    }
    return file;
}
