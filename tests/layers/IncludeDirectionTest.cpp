// The layers point one way: camera -> session -> {connection, liveview,
// images, web, sequencer} -> window -> main, with log and widgets as
// services below the features. This reads every #include under src/ and names each arrow
// that points the wrong way.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path kSourceRoot = VANTORA_SOURCE_DIR;
const fs::path kQtCoreHeaders = VANTORA_QTCORE_INCLUDE_DIR;

// What each folder may include besides the standard library and itself.
// "sim" is the simulator's control interface; "qt" any Qt header, "qtcore"
// Qt Core headers only.
const std::map<std::string, std::set<std::string>> kAllowed = {
    {"camera", {}},
    {"session", {"camera", "qtcore"}},
    {"log", {"camera", "qtcore"}},
    {"log/view", {"camera", "log", "qt"}},
    {"sequencer", {"camera", "session", "log", "qtcore"}},
    {"widgets", {"qt"}},
    {"web", {"camera", "session", "log", "widgets", "qt"}},
    {"images", {"camera", "session", "log", "widgets", "qt"}},
    {"liveview", {"camera", "session", "log", "widgets", "qt"}},
    {"connection", {"camera", "session", "log", "widgets", "qt"}},
    {"app", {"camera", "session", "log", "widgets", "qt"}},
    {"app/window",
     {"camera", "session", "log", "log/view", "widgets", "web", "images", "liveview", "connection",
      "app", "sequencer", "qt"}},
    {"tether", {"camera", "session", "log", "images", "sequencer", "app", "qtcore"}},
    {"simulated", {"app", "sim", "qt"}},
    {"tools", {"camera", "sim"}},
    {"main", {"app", "app/window", "sequencer", "tether", "simulated", "sim", "qt"}},
};

// The log's views sit in the log folder beside the service they show.
const std::set<std::string> kLogViews = {"LogPage", "MessageLog", "StatusBar"};

struct Include {
    bool angled = false;
    std::string target;
};

// "#include <x>" or "#include "x"" at the start of a line (blanks allowed
// around the "#"); nullopt for every other line.
std::optional<Include> includeOf(const std::string& line) {
    const auto skipBlanks = [&](size_t at) { return line.find_first_not_of(" \t", at); };
    size_t at = skipBlanks(0);
    if (at == std::string::npos || line[at] != '#') {
        return std::nullopt;
    }
    at = skipBlanks(at + 1);
    const std::string keyword = "include";
    if (at == std::string::npos || line.compare(at, keyword.size(), keyword) != 0) {
        return std::nullopt;
    }
    at = skipBlanks(at + keyword.size());
    if (at == std::string::npos || (line[at] != '<' && line[at] != '"')) {
        return std::nullopt;
    }
    const char close = line[at] == '<' ? '>' : '"';
    const size_t end = line.find(close, at + 1);
    if (end == std::string::npos) {
        return std::nullopt;
    }
    return Include{line[at] == '<', line.substr(at + 1, end - at - 1)};
}

std::vector<Include> includesOf(const fs::path& file) {
    std::vector<Include> found;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        if (std::optional<Include> include = includeOf(line)) {
            found.push_back(*include);
        }
    }
    return found;
}

// The layer a file of src/ belongs to ("app/window", "log/view", ...).
std::string layerOfFile(const fs::path& relative) {
    const std::string folder = relative.parent_path().generic_string();
    if (folder == "log" && kLogViews.count(relative.stem().string())) {
        return "log/view";
    }
    return folder;
}

// The layer an include names; empty for the standard library.
std::string layerOfInclude(const Include& include) {
    if (include.angled) {
        if (include.target.rfind("Q", 0) != 0 && include.target.rfind("qt", 0) != 0) {
            return {};
        }
        return fs::exists(kQtCoreHeaders / include.target) ? "qtcore" : "qt";
    }
    const fs::path target = include.target;
    if (!target.has_parent_path()) {
        return "sim"; // the simulator's headers are included by bare name
    }
    return layerOfFile(target);
}

bool permitted(const std::string& from, const std::string& to) {
    if (to.empty() || to == from) {
        return true;
    }
    const std::set<std::string>& allowed = kAllowed.at(from);
    return allowed.count(to) != 0 || (to == "qtcore" && allowed.count("qt") != 0);
}

} // namespace

TEST(IncludeDirection, EveryIncludeUnderSrcPointsDownTheLayers) {
    std::vector<std::string> wrong;
    int includesSeen = 0;
    for (const auto& entry : fs::recursive_directory_iterator(kSourceRoot)) {
        const std::string extension = entry.path().extension().string();
        if (extension != ".h" && extension != ".cpp") {
            continue;
        }
        const fs::path relative = fs::relative(entry.path(), kSourceRoot);
        const std::string from = layerOfFile(relative);
        if (!kAllowed.count(from)) {
            wrong.push_back(relative.generic_string() + ": folder without layer rules");
            continue;
        }
        for (const Include& include : includesOf(entry.path())) {
            ++includesSeen;
            if (!permitted(from, layerOfInclude(include))) {
                wrong.push_back(relative.generic_string() + " includes " + include.target);
            }
        }
    }
    std::sort(wrong.begin(), wrong.end());
    std::string report;
    for (const std::string& line : wrong) {
        report += "\n  " + line;
    }
    EXPECT_TRUE(wrong.empty()) << "includes against the layers:" << report;
    // A scanner that found nothing would pass everything.
    EXPECT_GT(includesSeen, 500);
}
