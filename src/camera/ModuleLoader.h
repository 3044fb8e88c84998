#pragma once
// Finds and loads a camera module file: presence tests, dlopen, entry lookup.
#include "camera/CameraTypes.h"

#include <filesystem>
#include <memory>
#include <string>

// Why a module could not be loaded; turned into words by the caller.
enum class LoadStatus {
    Loaded,
    MissingTransport,  // no OrvPTP.so beside the program or in the module directory
    MissingModuleFile, // no file of the module's name
    CannotOpen,        // dlopen refused the file (detail holds dlerror)
    EntryMissing,      // the library lacks ModuleEntryPoint
};

struct LibraryCloser {
    void operator()(void* handle) const;
};
using LibraryHandle = std::unique_ptr<void, LibraryCloser>;

struct LoadOutcome {
    LoadStatus status = LoadStatus::MissingModuleFile;
    std::string detail; // dlerror text or the path tried
    LibraryHandle handle;
    orv::ModuleEntryPointFn entry = nullptr;
};

// Presence is tested on the plain file name in the working directory first,
// then in the user's module folder (where downloaded module files go), then
// in `moduleDirectory` (the program's own).
class ModuleLoader {
public:
    explicit ModuleLoader(std::filesystem::path moduleDirectory,
                          std::filesystem::path userModuleDirectory = {});
    const std::filesystem::path& moduleDirectory() const { return m_moduleDirectory; }
    const std::filesystem::path& userModuleDirectory() const { return m_userModuleDirectory; }

    // Path under which `fileName` exists, or empty.
    std::filesystem::path locate(const std::string& fileName) const;
    LoadOutcome load(const std::string& moduleFileName) const;

    // VANTORA_MODULE_DIR, else modules/ beside the executable (a build
    // tree), else the module directory of the installed layout the executable
    // sits in, else the one under the configured install prefix.
    static std::filesystem::path defaultModuleDirectory();
    // The same choice for an executable in `executableDirectory` and the
    // given VANTORA_MODULE_DIR value (null or empty: not set).
    static std::filesystem::path
    moduleDirectoryFor(const std::filesystem::path& executableDirectory,
                       const char* environmentValue);

private:
    std::filesystem::path m_moduleDirectory;
    std::filesystem::path m_userModuleDirectory;
};

// Words for a load status, naming the plain file name.
std::string LoadStatusText(LoadStatus status, const std::string& fileName);
