#pragma once
// The soak's command line: how many captures, the seed of its choices, the
// folder the pictures go into and how much it says while it runs.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct SoakOptions {
    int shots = 2000;
    uint64_t seed = 7;
    // Empty: a new temporary folder, removed when every check passed.
    std::string folder;
    bool verbose = false;
};

// The options of `arguments` (without the program name); none, and `error`
// set, for an argument it does not know or a bad value.
std::optional<SoakOptions> parseSoakOptions(const std::vector<std::string>& arguments,
                                            std::string& error);

extern const char* const kSoakUsage;
