#include "images/ImageNaming.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace naming {
namespace {

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string lowered(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), lowerAscii);
    return out;
}

bool startsWithNoCase(std::string_view text, std::string_view start) {
    return text.size() >= start.size() && lowered(text.substr(0, start.size())) == lowered(start);
}

} // namespace

std::string ZeroPad(int64_t number, int width) {
    std::string digits = std::to_string(number);
    if (static_cast<int>(digits.size()) < width) {
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    }
    return digits;
}

std::string ImgFileName(const std::string& directory, const std::string& stem, int64_t number,
                        const std::string& extension) {
    return directory + stem + ZeroPad(number, kNumberWidth) + extension;
}

std::string itemTag(uint32_t itemId) {
    std::array<char, 9> text{};
    std::snprintf(text.data(), text.size(), "%08X", itemId & 0xFFFFFFu);
    return text.data();
}

std::string extensionForFileType(uint32_t fileType) {
    switch (fileType) {
    case 1:
        return ".jpg";
    case 2:
        return ".tif";
    case 4:
        return ".orw";
    case 0x101:
        return ".ddf";
    default:
        return ".dat";
    }
}

std::string withTrailingSeparator(std::string directory) {
    if (!directory.empty() && directory.back() != '/') {
        directory += '/';
    }
    return directory;
}

std::string cleanPrefix(std::string_view prefix) {
    std::string out;
    out.reserve(prefix.size());
    for (const char c : prefix) {
        if (c != '/' && c != '\0') {
            out += c;
        }
    }
    return out;
}

int64_t leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

const std::vector<std::string>& shownExtensions() {
    static const std::vector<std::string> extensions{".jpg", ".orw", ".tif", ".mov"};
    return extensions;
}

ImageFolder ImageFolder::scan(const std::string& directory) {
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(directory, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code typeError;
        if (!it->is_directory(typeError)) {
            names.push_back(it->path().filename().string());
        }
    }
    return fromNames(std::move(names));
}

ImageFolder ImageFolder::fromNames(std::vector<std::string> names) {
    ImageFolder folder;
    for (const std::string& name : names) {
        folder.m_byLowerName.emplace(lowered(name), name);
    }
    folder.m_names = std::move(names);
    return folder;
}

int64_t ImageFolder::lastNumber(std::string_view prefix) const {
    static constexpr std::array<std::string_view, 3> kCounted{".jpg", ".orw", ".tif"};
    const std::size_t nameLength = prefix.size() + kNumberWidth + 4;
    int64_t last = 0;
    for (const std::string& name : m_names) {
        if (name.size() != nameLength || !startsWithNoCase(name, prefix)) {
            continue;
        }
        const std::string extension = lowered(std::string_view(name).substr(nameLength - 4));
        if (std::find(kCounted.begin(), kCounted.end(), extension) == kCounted.end()) {
            continue;
        }
        // Each name by its own leading digits: a text-wise greater group such
        // as "draft" must not hide the real numbers and restart the count.
        last = std::max(last,
                        leadingNumber(std::string_view(name).substr(prefix.size(), kNumberWidth)));
    }
    return last;
}

const std::string* ImageFolder::find(std::string_view prefix, int64_t number,
                                     std::string_view extension) const {
    const std::string key =
        lowered(std::string(prefix) + ZeroPad(number, kNumberWidth) + std::string(extension));
    const auto it = m_byLowerName.find(key);
    return it == m_byLowerName.end() ? nullptr : &it->second;
}

bool ImageFolder::contains(std::string_view name) const {
    return m_byLowerName.count(lowered(name)) != 0;
}

bool ImageFolder::ImgNoExists(std::string_view prefix, int64_t number) const {
    return std::any_of(shownExtensions().begin(), shownExtensions().end(),
                       [&](const std::string& ext) { return find(prefix, number, ext); });
}

int64_t ImageFolder::FindImgNo(std::string_view prefix, int64_t number, int step,
                               int64_t upperLimit) const {
    if (step < 0) {
        for (int64_t n = number - 1; n >= 1; --n) {
            if (ImgNoExists(prefix, n)) {
                return n;
            }
        }
    } else {
        for (int64_t n = number + 1; n <= upperLimit; ++n) {
            if (ImgNoExists(prefix, n)) {
                return n;
            }
        }
    }
    return -1;
}

int64_t ImageFolder::firstFreeNumber(std::string_view stem, int64_t number,
                                     const std::vector<std::string>& extensions) const {
    for (int64_t n = number;; ++n) {
        const bool taken = std::any_of(extensions.begin(), extensions.end(),
                                       [&](const std::string& ext) { return find(stem, n, ext); });
        if (!taken) {
            return n;
        }
    }
}

int64_t getLastImg(const std::string& directory, std::string_view prefix) {
    return ImageFolder::scan(directory).lastNumber(prefix);
}

} // namespace naming
