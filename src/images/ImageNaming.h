#pragma once
// The naming rule of received files and the folder scan behind the running
// number: Prefix + five-digit number + extension, plain concatenation onto a
// directory that always ends with "/". Plain functions without widgets, so
// the window, the transfer and a windowless program name files the same way.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace naming {

constexpr int kNumberWidth = 5;

// Decimal text of `number` with "0" put in front up to `width` characters;
// longer numbers keep all their digits.
std::string ZeroPad(int64_t number, int width);

// directory + stem + ZeroPad(number, 5) + extension.
std::string ImgFileName(const std::string& directory, const std::string& stem, int64_t number,
                        const std::string& extension);

// The low 24 bits of a camera item's id as 8 hexadecimal digits.
std::string itemTag(uint32_t itemId);

// Extension of a file data type code: 1 ".jpg", 2 ".tif", 4 ".orw",
// 0x101 ".ddf", anything else ".dat".
std::string extensionForFileType(uint32_t fileType);

// `directory` with a trailing "/" (an empty text stays empty).
std::string withTrailingSeparator(std::string directory);

// The prefix without the characters that would take a name out of its
// directory ("/" and NUL); everything else stays.
std::string cleanPrefix(std::string_view prefix);

// Leading blanks skipped, then the leading digits; 0 without digits.
int64_t leadingNumber(std::string_view text);

// The extensions the type indicators and the existence check look at, in
// their order.
const std::vector<std::string>& shownExtensions(); // ".jpg", ".orw", ".tif", ".mov"

// One look at a directory's file names (no directories), matched without
// regard to case as the original platform's file search does, so a card
// reader's "IMAGE_00012.JPG" counts. Snapshots are cheap to take once per
// user action and let every question about that action share one scan.
class ImageFolder {
public:
    // An unreadable or missing directory gives an empty folder.
    static ImageFolder scan(const std::string& directory);
    static ImageFolder fromNames(std::vector<std::string> names);

    // Highest number among prefix + five characters + ".jpg" / ".orw" /
    // ".tif", each five read by leadingNumber; movies do not count.
    int64_t lastNumber(std::string_view prefix) const;
    // The actual name of prefix + ZeroPad(number) + extension, if present.
    const std::string* find(std::string_view prefix, int64_t number,
                            std::string_view extension) const;
    bool contains(std::string_view name) const;
    // A file of any shown type exists for the number.
    bool ImgNoExists(std::string_view prefix, int64_t number) const;
    // The next number from `number` in `step` (+1 / -1) for which a file
    // exists: downwards to 1, upwards to `upperLimit`; -1 when none.
    int64_t FindImgNo(std::string_view prefix, int64_t number, int step, int64_t upperLimit) const;
    // The first number from `number` on at which none of stem + number +
    // extension exists for any of `extensions`.
    int64_t firstFreeNumber(std::string_view stem, int64_t number,
                            const std::vector<std::string>& extensions) const;

private:
    std::vector<std::string> m_names;
    // Lower-case name to the name on disk.
    std::unordered_map<std::string, std::string> m_byLowerName;
};

// The scan of a directory: ImageFolder::scan(directory).lastNumber(prefix).
int64_t getLastImg(const std::string& directory, std::string_view prefix);

} // namespace naming
