#include "camera/ModuleLoader.h"

#include <cstdlib>
#include <dlfcn.h>
#include <system_error>

namespace fs = std::filesystem;

// Both come from the build: the module directory under the install prefix,
// and the same directory relative to the installed executables, so that a
// package unpacked under another root (DESTDIR, a relocated prefix) still
// finds its own modules.
#ifndef VANTORA_INSTALLED_MODULE_DIR
#define VANTORA_INSTALLED_MODULE_DIR "/usr/local/lib/vantora/modules"
#endif
#ifndef VANTORA_MODULE_DIR_FROM_BINDIR
#define VANTORA_MODULE_DIR_FROM_BINDIR "../lib/vantora/modules"
#endif

void LibraryCloser::operator()(void* handle) const {
    if (handle) {
        dlclose(handle);
    }
}

ModuleLoader::ModuleLoader(fs::path moduleDirectory, fs::path userModuleDirectory)
    : m_moduleDirectory(std::move(moduleDirectory)),
      m_userModuleDirectory(std::move(userModuleDirectory)) {}

fs::path ModuleLoader::locate(const std::string& fileName) const {
    if (fileName.empty()) {
        return {};
    }
    std::error_code error;
    // dlopen only looks in the working directory for names with a slash.
    fs::path local = fs::path(".") / fileName;
    if (fs::exists(local, error)) {
        return local;
    }
    for (const fs::path& directory : {m_userModuleDirectory, m_moduleDirectory}) {
        if (directory.empty()) {
            continue;
        }
        fs::path candidate = directory / fileName;
        if (fs::exists(candidate, error)) {
            return candidate;
        }
    }
    return {};
}

LoadOutcome ModuleLoader::load(const std::string& moduleFileName) const {
    LoadOutcome outcome;
    if (locate(orv::kTransportLibraryName).empty()) {
        outcome.status = LoadStatus::MissingTransport;
        return outcome;
    }
    fs::path path = locate(moduleFileName);
    if (path.empty()) {
        outcome.status = LoadStatus::MissingModuleFile;
        return outcome;
    }
    outcome.handle.reset(dlopen(path.c_str(), RTLD_NOW));
    if (!outcome.handle) {
        const char* error = dlerror();
        outcome.status = LoadStatus::CannotOpen;
        outcome.detail = error ? error : path.string();
        return outcome;
    }
    dlerror();
    void* symbol = dlsym(outcome.handle.get(), orv::kEntryPointName);
    if (!symbol) {
        outcome.status = LoadStatus::EntryMissing;
        outcome.detail = path.string();
        outcome.handle.reset();
        return outcome;
    }
    outcome.entry = reinterpret_cast<orv::ModuleEntryPointFn>(symbol);
    outcome.status = LoadStatus::Loaded;
    return outcome;
}

fs::path ModuleLoader::defaultModuleDirectory() {
    std::error_code error;
    const fs::path exe = fs::read_symlink("/proc/self/exe", error);
    return moduleDirectoryFor(error ? fs::path() : exe.parent_path(),
                              std::getenv("VANTORA_MODULE_DIR"));
}

fs::path ModuleLoader::moduleDirectoryFor(const fs::path& executableDirectory,
                                          const char* environmentValue) {
    if (environmentValue && *environmentValue) {
        return environmentValue;
    }
    if (!executableDirectory.empty()) {
        std::error_code error;
        const fs::path beside = executableDirectory / "modules";
        if (fs::is_directory(beside, error)) {
            return beside;
        }
        const fs::path installed =
            (executableDirectory / VANTORA_MODULE_DIR_FROM_BINDIR).lexically_normal();
        if (fs::is_directory(installed, error)) {
            return installed;
        }
    }
    return VANTORA_INSTALLED_MODULE_DIR;
}

std::string LoadStatusText(LoadStatus status, const std::string& fileName) {
    switch (status) {
    case LoadStatus::Loaded:
        return fileName + " loaded";
    case LoadStatus::MissingTransport:
        return std::string("Transport library not found: ") + orv::kTransportLibraryName;
    case LoadStatus::MissingModuleFile:
        return "Module file not found: " +
               (fileName.empty() ? "(no module for this model)" : fileName);
    case LoadStatus::CannotOpen:
        return "Module file cannot be loaded: " + fileName;
    case LoadStatus::EntryMissing:
        return std::string("Module file has no ") + orv::kEntryPointName + ": " + fileName;
    }
    return fileName;
}
