// Loading the module for a model: file presence, dlopen, entry lookup, and
// opening and closing the root object.
#include "CameraTestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Runs the test in an empty temporary working directory with an empty
// module directory, restoring the working directory afterwards.
class LoaderTest : public CameraTest {
protected:
    void SetUp() override {
        CameraTest::SetUp();
        m_previous = fs::current_path();
        std::string pattern = (fs::temp_directory_path() / "vantora-loader-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
        fs::create_directories(m_root / "work");
        fs::create_directories(m_root / "modules");
        fs::current_path(m_root / "work");
        link->setModuleDirectory(m_root / "modules");
    }
    void TearDown() override {
        CameraTest::TearDown();
        fs::current_path(m_previous);
        fs::remove_all(m_root);
    }

    fs::path work() const { return m_root / "work"; }
    fs::path modules() const { return m_root / "modules"; }
    static void writeFile(const fs::path& path, const std::string& text) {
        std::ofstream(path) << text;
    }
    static void copyNoEntryModule(const fs::path& to) {
        fs::copy_file(NOENTRY_MODULE_PATH, to, fs::copy_options::overwrite_existing);
    }

private:
    fs::path m_previous;
    fs::path m_root;
};

} // namespace

TEST_F(LoaderTest, MissingTransportNamesIt) {
    copyNoEntryModule(work() / "Cam0006.omd");
    EXPECT_FALSE(link->LoadCameraModule("Y800"));
    EXPECT_EQ(link->lastLoadStatus(), LoadStatus::MissingTransport);
    EXPECT_EQ(link->ModuleFileName(), "OrvPTP.so");
    EXPECT_FALSE(link->isLoaded());
}

TEST_F(LoaderTest, MissingModuleFileNamesTheModule) {
    writeFile(modules() / "OrvPTP.so", "");
    EXPECT_FALSE(link->OpenCameraModule("Y800E"));
    EXPECT_EQ(link->lastLoadStatus(), LoadStatus::MissingModuleFile);
    EXPECT_EQ(link->ModuleFileName(), "Cam0006.omd");
    EXPECT_EQ(link->ModuleObject(), nullptr);
}

TEST_F(LoaderTest, UnknownModelAfterStartLeavesTheNameEmpty) {
    writeFile(work() / "OrvPTP.so", "");
    EXPECT_FALSE(link->LoadCameraModule("Q9"));
    EXPECT_EQ(link->ModuleFileName(), "");
    EXPECT_EQ(link->lastLoadStatus(), LoadStatus::MissingModuleFile);
}

TEST_F(LoaderTest, UnknownModelKeepsTheEarlierChoice) {
    writeFile(work() / "OrvPTP.so", "");
    EXPECT_FALSE(link->LoadCameraModule("Y90"));
    EXPECT_FALSE(link->LoadCameraModule("Q9"));
    EXPECT_EQ(link->ModuleFileName(), "Cam0003.omd");
}

TEST_F(LoaderTest, UnloadableFileIsReportedWithTheLoaderMessage) {
    writeFile(work() / "OrvPTP.so", "");
    writeFile(work() / "Cam0006.omd", "not a library");
    EXPECT_FALSE(link->LoadCameraModule("Y800"));
    EXPECT_EQ(link->lastLoadStatus(), LoadStatus::CannotOpen);
    EXPECT_FALSE(link->lastLoadDetail().empty());
    EXPECT_EQ(link->ModuleFileName(), "Cam0006.omd");
    EXPECT_TRUE(log.dslrContains("Cam0006.omd"));
}

TEST_F(LoaderTest, LibraryWithoutEntryPointIsRefused) {
    writeFile(modules() / "OrvPTP.so", "");
    copyNoEntryModule(modules() / "Cam0006.omd");
    EXPECT_FALSE(link->OpenCameraModule("Y800"));
    EXPECT_EQ(link->lastLoadStatus(), LoadStatus::EntryMissing);
    EXPECT_EQ(link->ModuleFileName(), "Cam0006.omd");
    EXPECT_FALSE(link->isLoaded());
}

TEST_F(LoaderTest, WorkingDirectoryComesBeforeTheModuleDirectory) {
    link->setModuleDirectory(ModuleLoader::defaultModuleDirectory());
    writeFile(work() / "OrvPTP.so", "");
    copyNoEntryModule(work() / "Cam0006.omd");
    EXPECT_FALSE(link->LoadCameraModule("Y800"));
    EXPECT_EQ(link->lastLoadStatus(), LoadStatus::EntryMissing);
    // Without the local copy the installed module is found.
    fs::remove(work() / "Cam0006.omd");
    EXPECT_TRUE(link->LoadCameraModule("Y800"));
    EXPECT_EQ(link->lastLoadStatus(), LoadStatus::Loaded);
}

// Downloaded module files sit in the user's folder: after the working
// directory, before the program's own module directory.
TEST_F(LoaderTest, UserModuleFolderComesBetweenWorkingAndModuleDirectory) {
    const fs::path user = work() / ".." / "user";
    fs::create_directories(user);
    link->setModuleDirectory(ModuleLoader::defaultModuleDirectory());
    link->setUserModuleDirectory(user);
    writeFile(work() / "OrvPTP.so", "");
    copyNoEntryModule(user / "Cam0006.omd");
    EXPECT_FALSE(link->LoadCameraModule("Y800"));
    EXPECT_EQ(link->lastLoadStatus(), LoadStatus::EntryMissing) << "the user's copy shadows";
    EXPECT_EQ(link->ModuleFileName(), "Cam0006.omd") << "messages name the plain file";
    copyNoEntryModule(work() / "Cam0005.omd");
    fs::copy_file(ModuleLoader::defaultModuleDirectory() / "Cam0005.omd", user / "Cam0005.omd");
    EXPECT_FALSE(link->LoadCameraModule("Y5100")) << "the working directory comes first";
    fs::remove(user / "Cam0006.omd");
    EXPECT_TRUE(link->LoadCameraModule("Y800"));
}

// The module directory for an executable: the environment's choice, then
// modules/ beside it (a build tree), then the installed layout around it
// (bin/ and lib/vantora/modules/ under one prefix, wherever that prefix
// was unpacked), then the directory under the configured install prefix.
TEST_F(LoaderTest, ModuleDirectoryFollowsTheExecutablesLayout) {
    const fs::path prefix = work() / "unpacked" / "usr";
    const fs::path bin = prefix / "bin";
    const std::string installed = (prefix / "lib" / "vantora" / "modules").string();
    fs::create_directories(bin);
    fs::create_directories(installed);
    const auto chosen = [](const fs::path& exeDir, const char* env) {
        return ModuleLoader::moduleDirectoryFor(exeDir, env).string();
    };

    EXPECT_EQ(chosen(bin, "/elsewhere/modules"), "/elsewhere/modules");
    EXPECT_EQ(chosen(bin, nullptr), installed);
    EXPECT_EQ(chosen(bin, ""), installed) << "empty means not set";

    fs::create_directories(bin / "modules");
    EXPECT_EQ(chosen(bin, nullptr), (bin / "modules").string());

    const fs::path fallback = chosen(work() / "nowhere", nullptr);
    EXPECT_TRUE(fallback.is_absolute());
    EXPECT_EQ(fallback.filename().string(), "modules");
    EXPECT_NE(fallback.string(), installed);
}

TEST_F(CameraTest, OpenSetsModuleModeAndInstallsProcedures) {
    ASSERT_TRUE(link->OpenCameraModule("Y800"));
    ASSERT_NE(link->ModuleObject(), nullptr);
    EXPECT_EQ(link->ModuleObject()->id(), CamObject::kUnsetId);
    EXPECT_FALSE(link->ModuleObject()->capabilities().empty());
    EXPECT_EQ(vsim::SimControl::countCalls(orv::kCmdSet, orv::kCapEventProc), 1);
    EXPECT_EQ(vsim::SimControl::countCalls(orv::kCmdSet, orv::kCapUiRequestProc), 1);
    EXPECT_EQ(vsim::SimControl::countCalls(orv::kCmdSet, orv::kCapModuleMode), 1);
}

TEST_F(CameraTest, FailedRootOpenStillReportsLoaded) {
    vsim::SimControl::attach("Y800");
    vsim::SimControl::injectFault({vsim::Fault::Kind::FailWithResult, orv::kCmdOpen, 0, 0, -7, 1});
    EXPECT_TRUE(link->OpenCameraModule("Y800"));
    EXPECT_EQ(link->ModuleObject(), nullptr);
    EXPECT_FALSE(link->SelectSource("Y800", 1));
    EXPECT_EQ(orv::resultByte(link->LastEntryResult()), -7);
    EXPECT_TRUE(link->CloseCameraModule());
    EXPECT_FALSE(link->isLoaded());
}

TEST_F(CameraTest, CloseClosesSourcesThenTheModule) {
    connect("Y800");
    vsim::SimControl::clearCallLog();
    EXPECT_TRUE(link->CloseCameraModule());
    std::vector<vsim::CallRecord> closes;
    for (const vsim::CallRecord& call : requests()) {
        if (call.command == orv::kCmdClose) {
            closes.push_back(call);
        }
    }
    ASSERT_EQ(closes.size(), 2u);
    EXPECT_EQ(closes[0].objectType, orv::kObjSource);
    EXPECT_EQ(closes[1].objectType, orv::kObjModule);
    EXPECT_EQ(link->ModuleObject(), nullptr);
    EXPECT_EQ(link->CurrentSource(), nullptr);
    EXPECT_FALSE(link->isLoaded());
}

TEST_F(CameraTest, CloseWithoutModuleObjectOnlyUnloads) {
    ASSERT_TRUE(link->LoadCameraModule("Y800"));
    vsim::SimControl::clearCallLog();
    EXPECT_TRUE(link->CloseCameraModule());
    EXPECT_TRUE(vsim::SimControl::callLog().empty());
    EXPECT_FALSE(link->isLoaded());
}

TEST_F(CameraTest, RefusedModuleCloseKeepsEverything) {
    connect("Y800");
    vsim::SimControl::injectFault(
        {vsim::Fault::Kind::FailWithResult, orv::kCmdClose, 0, orv::kObjModule, -3, 1});
    EXPECT_FALSE(link->CloseCameraModule());
    EXPECT_NE(link->ModuleObject(), nullptr);
    EXPECT_TRUE(link->isLoaded());
    EXPECT_TRUE(link->CloseCameraModule());
}

TEST_F(CameraTest, UnloadedLinkSendsNothing) {
    EXPECT_EQ(link->CallEntry(nullptr, orv::kCmdIdle, 0, 0, 0, nullptr, 0), -1);
    EXPECT_FALSE(link->IdlePump(nullptr));
    EXPECT_FALSE(link->OpenChild(nullptr, 1));
    EXPECT_FALSE(link->SelectSource("Y800", 1));
    EXPECT_TRUE(vsim::SimControl::callLog().empty());
}
