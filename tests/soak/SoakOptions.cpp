#include "SoakOptions.h"

#include <charconv>

const char* const kSoakUsage =
    "Usage: vantora_soak [--shots N] [--seed S] [--folder DIR] [--verbose]\n"
    "Shoots N pictures (default 2000) on a simulated camera into DIR (default: a new\n"
    "temporary folder) through the tethering run, with faults chosen by seed S\n"
    "(default 7), then checks that every file arrived once, whole, or stayed on the\n"
    "camera with a reason. Exits with 1 when a check fails.\n";

namespace {

template <typename Number> bool parseNumber(const std::string& text, Number& out) {
    const char* end = text.data() + text.size();
    const auto [rest, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && rest == end;
}

} // namespace

std::optional<SoakOptions> parseSoakOptions(const std::vector<std::string>& arguments,
                                            std::string& error) {
    SoakOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        if (name == "--verbose") {
            options.verbose = true;
            continue;
        }
        if (name != "--shots" && name != "--seed" && name != "--folder") {
            error = "unknown argument " + name;
            return std::nullopt;
        }
        if (i + 1 == arguments.size()) {
            error = name + " needs a value";
            return std::nullopt;
        }
        const std::string& value = arguments[++i];
        const bool good = name == "--shots" ? parseNumber(value, options.shots) && options.shots > 0
                          : name == "--seed" ? parseNumber(value, options.seed)
                                             : !(options.folder = value).empty();
        if (!good) {
            error = "bad value for " + name + ": " + value;
            return std::nullopt;
        }
    }
    return options;
}
