// vantora-dump [--simulate MODEL[,MODEL...]] MODEL [N]
// Opens the camera module for MODEL, selects the N-th attached camera of that
// model and prints its capability list without markup.
#include "SimControl.h"
#include "camera/CameraLink.h"
#include "camera/CapabilityListDump.h"
#include "camera/LogSink.h"

#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The log's inline tags (<b>, </gr>, ...) removed.
std::string stripTags(const std::string& text) {
    std::string plain;
    bool inTag = false;
    for (char c : text) {
        if (c == '<') {
            inTag = true;
        } else if (c == '>' && inTag) {
            inTag = false;
        } else if (!inTag) {
            plain += c;
        }
    }
    return plain;
}

// Camera traffic goes to standard error, plain.
class StderrLog : public LogSink {
public:
    explicit StderrLog(bool verbose) : m_verbose(verbose) {}
    void log(const std::string& taggedText) override { std::cerr << stripTags(taggedText) << '\n'; }
    void dslrLog(const std::string& taggedText) override {
        if (m_verbose) {
            std::cerr << stripTags(taggedText) << '\n';
        }
    }

    void elog(const std::string& taggedText) override {
        std::cerr << "ERROR: " << stripTags(taggedText) << '\n';
    }

private:
    bool m_verbose;
};

struct Options {
    std::vector<std::string> simulate;
    std::string model;
    uint32_t occurrence = 1;
    bool verbose = false;
};

int usage() {
    std::cerr << "usage: vantora-dump [--simulate MODEL[,MODEL...]] [--verbose] MODEL [N]\n";
    return 2;
}

std::vector<std::string> splitModels(const std::string& list) {
    std::vector<std::string> models;
    std::stringstream stream(list);
    for (std::string model; std::getline(stream, model, ',');) {
        if (!model.empty()) {
            models.push_back(model);
        }
    }
    return models;
}

bool parse(int argc, char** argv, Options& options) {
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--simulate" && i + 1 < argc) {
            options.simulate = splitModels(argv[++i]);
        } else if (arg.rfind("--simulate=", 0) == 0) {
            options.simulate = splitModels(arg.substr(11));
        } else if (arg == "--verbose" || arg == "-v") {
            options.verbose = true;
        } else if (!arg.empty() && arg[0] == '-') {
            return false;
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.empty() || positional.size() > 2) {
        return false;
    }
    options.model = positional[0];
    if (positional.size() == 2) {
        char* end = nullptr;
        unsigned long n = std::strtoul(positional[1].c_str(), &end, 10);
        if (*end != '\0' || n == 0 || n > 1000) {
            return false;
        }
        options.occurrence = static_cast<uint32_t>(n);
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        return usage();
    }
    for (const std::string& model : options.simulate) {
        if (vsim::SimControl::attach(model) == 0) {
            std::cerr << "vantora-dump: the simulator has no camera model " << model << '\n';
            return 1;
        }
    }
    StderrLog log(options.verbose);
    CameraLink link(&log);
    if (options.verbose) {
        // Which installation (or build tree) the modules come from.
        std::cerr << "vantora-dump: module directory " << link.moduleDirectory().string() << '\n';
    }
    if (!link.OpenCameraModule(options.model)) {
        if (link.ModuleFileName().empty()) {
            std::cerr << "vantora-dump: no camera module serves the model " << options.model
                      << '\n';
            return 1;
        }
        std::cerr << "vantora-dump: DLL not found: " << link.ModuleFileName() << " ("
                  << LoadStatusText(link.lastLoadStatus(), link.ModuleFileName());
        if (!link.lastLoadDetail().empty()) {
            std::cerr << ": " << link.lastLoadDetail();
        }
        std::cerr << "; module directory " << link.moduleDirectory().string() << ")\n";
        return 1;
    }
    if (!link.SelectSource(options.model, options.occurrence)) {
        std::cerr << "vantora-dump: CAMERA: Camera not available. (" << options.model << " #"
                  << options.occurrence << ", result " << link.LastEntryResult() << ")\n";
        return 1;
    }
    const std::vector<std::string> lines = CapabilityListDump(link.CurrentSource());
    if (lines.empty()) {
        std::cerr << "vantora-dump: the capability list could not be read (result "
                  << link.LastEntryResult() << ")\n";
        return 1;
    }
    for (const std::string& line : lines) {
        std::cout << stripTags(line) << '\n';
    }
    return link.CloseCameraModule() ? 0 : 1;
}
