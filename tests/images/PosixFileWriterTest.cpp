// The received-file writer on the real file system in each of its ways:
// unnamed O_TMPFILE temporaries, and the named ones that file systems
// without O_TMPFILE (linked) or without hard links (moved) get. Files land
// byte for byte, taken names stay untouched, nothing is left behind. As
// root, also a full file system.
#include "images/PosixFileSystem.h"
#include "images/ReceivedFileWriter.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using Finish = ReceivedFileWriter::Finish;
using Temporaries = PosixFileSystem::Temporaries;

constexpr std::size_t kMiB = 1024 * 1024;

std::string pattern(std::size_t size) {
    std::string data(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        data[i] = static_cast<char>((i * 131 + i / 251) & 0xFF);
    return data;
}

std::vector<std::string> listing(const std::string& directory) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Byte for byte; a mismatch is told by size and first differing offset
// rather than by printing megabytes.
::testing::AssertionResult holdsExactly(const std::string& path, const std::string& expected) {
    std::ifstream in(path, std::ios::binary);
    const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (content == expected)
        return ::testing::AssertionSuccess();
    const auto difference =
        std::mismatch(content.begin(), content.end(), expected.begin(), expected.end());
    return ::testing::AssertionFailure()
           << path << " holds " << content.size() << " bytes, expected " << expected.size()
           << ", first difference at offset " << (difference.first - content.begin());
}

bool isHiddenTemporaryName(const std::string& name) {
    return name.size() == std::string(".vantora-XXXXXX.part").size() &&
           name.starts_with(".vantora-") && name.ends_with(".part");
}

bool supportsUnnamedTemporaries(const std::string& directory) {
    const int fd = ::open(directory.c_str(), O_TMPFILE | O_WRONLY, 0600);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

// The process's umask for one test, restored after.
class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : m_previous(::umask(mask)) {}
    ~ScopedUmask() { ::umask(m_previous); }
    ScopedUmask(const ScopedUmask&) = delete;
    ScopedUmask& operator=(const ScopedUmask&) = delete;

private:
    mode_t m_previous;
};

// A 256 KiB tmpfs on `directory` while the object lives.
class TinyTmpfs {
public:
    explicit TinyTmpfs(std::string directory) : m_directory(std::move(directory)) {
        m_mounted = ::mount("tmpfs", m_directory.c_str(), "tmpfs", 0, "size=256k") == 0;
        m_error = m_mounted ? 0 : errno;
    }
    ~TinyTmpfs() {
        if (m_mounted)
            ::umount2(m_directory.c_str(), MNT_DETACH);
    }
    TinyTmpfs(const TinyTmpfs&) = delete;
    TinyTmpfs& operator=(const TinyTmpfs&) = delete;
    bool mounted() const { return m_mounted; }
    int error() const { return m_error; }

private:
    std::string m_directory;
    bool m_mounted = false;
    int m_error = 0;
};

class PosixFileWriting : public ::testing::TestWithParam<Temporaries> {
protected:
    PosixFileWriting() : m_fs(GetParam()), m_dir(m_temp.path().toStdString() + "/") {}

    bool appendInPieces(ReceivedFileWriter& writer, const std::string& data, std::size_t piece) {
        for (std::size_t at = 0; at < data.size(); at += piece) {
            if (!writer.append(data.data() + at, std::min(piece, data.size() - at)))
                return false;
        }
        return true;
    }

    // While a file is written: a hidden temporary name, unless it is unnamed.
    void expectTemporaryWhileWriting(const std::string& directory,
                                     std::vector<std::string> finished = {}) {
        std::vector<std::string> names = listing(directory);
        const auto temporary = std::find_if(names.begin(), names.end(), isHiddenTemporaryName);
        const bool unnamed =
            GetParam() == Temporaries::PreferUnnamed && supportsUnnamedTemporaries(directory);
        EXPECT_EQ(temporary == names.end(), unnamed);
        if (temporary != names.end())
            names.erase(temporary);
        EXPECT_EQ(names, finished);
    }

    QTemporaryDir m_temp;
    PosixFileSystem m_fs;
    std::string m_dir;
};

std::string nameOf(Temporaries temporaries) {
    switch (temporaries) {
    case Temporaries::PreferUnnamed:
        return "Unnamed";
    case Temporaries::NamedLinked:
        return "NamedLinked";
    case Temporaries::NamedMoved:
        return "NamedMoved";
    }
    return "?";
}

} // namespace

void PrintTo(Temporaries temporaries, std::ostream* out) {
    *out << nameOf(temporaries);
}

TEST_P(PosixFileWriting, AFileLandsByteForByteWithTheUsualPermissions) {
    const ScopedUmask umask(027);
    const std::string data = pattern(3 * kMiB + 17);
    ReceivedFileWriter writer(m_fs);
    ASSERT_TRUE(writer.begin(m_dir, data.size())) << writer.error();
    ASSERT_TRUE(appendInPieces(writer, data, kMiB)) << writer.error();
    expectTemporaryWhileWriting(m_dir);
    ASSERT_EQ(writer.finish("Image_00001.jpg"), Finish::Done) << writer.error();
    EXPECT_EQ(writer.error(), "");
    EXPECT_EQ(writer.finalPath(), m_dir + "Image_00001.jpg");

    EXPECT_EQ(listing(m_dir), std::vector<std::string>{"Image_00001.jpg"});
    EXPECT_TRUE(holdsExactly(m_dir + "Image_00001.jpg", data));
    struct stat status {};
    ASSERT_EQ(::stat((m_dir + "Image_00001.jpg").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u); // 0644 less the umask, not mkstemp's 0600
    EXPECT_EQ(status.st_nlink, 1u);           // no second name left over
}

TEST_P(PosixFileWriting, ATakenNameStaysUntouchedAndAnotherNameSucceeds) {
    std::ofstream(m_dir + "Image_00001.jpg", std::ios::binary) << "the earlier picture";
    const std::string data = pattern(kMiB / 2);
    ReceivedFileWriter writer(m_fs);
    ASSERT_TRUE(writer.begin(m_dir, 0));
    ASSERT_TRUE(appendInPieces(writer, data, 100'000));

    EXPECT_EQ(writer.finish("Image_00001.jpg"), Finish::NameTaken);
    EXPECT_EQ(writer.error(), m_dir + "Image_00001.jpg: File exists");
    EXPECT_TRUE(holdsExactly(m_dir + "Image_00001.jpg", "the earlier picture"));
    expectTemporaryWhileWriting(m_dir, {"Image_00001.jpg"});

    ASSERT_EQ(writer.finish("Image_00002.jpg"), Finish::Done) << writer.error();
    EXPECT_TRUE(holdsExactly(m_dir + "Image_00001.jpg", "the earlier picture"));
    EXPECT_TRUE(holdsExactly(m_dir + "Image_00002.jpg", data));
    EXPECT_EQ(listing(m_dir), (std::vector<std::string>{"Image_00001.jpg", "Image_00002.jpg"}));
}

TEST_P(PosixFileWriting, AbortFailureAndDestructionLeaveNothingBehind) {
    const std::string data = pattern(200'000);
    {
        ReceivedFileWriter writer(m_fs);
        ASSERT_TRUE(writer.begin(m_dir, 0));
        ASSERT_TRUE(writer.append(data.data(), data.size()));
        writer.abort();
        EXPECT_EQ(listing(m_dir), std::vector<std::string>{});

        ASSERT_TRUE(writer.begin(m_dir, 0));
        ASSERT_TRUE(writer.append(data.data(), data.size()));
        EXPECT_EQ(writer.finish("sub/Image_00001.jpg"), Finish::Failed);
        EXPECT_EQ(listing(m_dir), std::vector<std::string>{});

        ASSERT_TRUE(writer.begin(m_dir, 0));
        ASSERT_TRUE(writer.append(data.data(), data.size()));
        expectTemporaryWhileWriting(m_dir);
    }
    EXPECT_EQ(listing(m_dir), std::vector<std::string>{});
}

TEST_P(PosixFileWriting, AMissingDirectoryIsNamedInTheError) {
    const std::string missing = m_dir + "missing/";
    ReceivedFileWriter writer(m_fs);
    EXPECT_FALSE(writer.begin(missing, kMiB)); // found by the space check
    EXPECT_EQ(writer.error(), missing + ": No such file or directory");
    EXPECT_FALSE(writer.begin(missing, 0, "Image_00001.jpg")); // found by the create
    EXPECT_EQ(writer.error(), missing + "Image_00001.jpg: No such file or directory");
    EXPECT_FALSE(writer.active());
    EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST_P(PosixFileWriting, AFullFileSystemFailsCleanlyAndKeepsItsSpace) {
    const std::string mountPoint = m_dir + "card/";
    std::filesystem::create_directory(mountPoint);
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting a tmpfs needs root";
    const TinyTmpfs card(mountPoint);
    if (!card.mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(card.error());

    const std::string data = pattern(kMiB);
    ReceivedFileWriter writer(m_fs);
    EXPECT_FALSE(writer.begin(mountPoint, data.size(), "Image_00001.jpg"));
    EXPECT_TRUE(
        writer.error().starts_with(mountPoint + "Image_00001.jpg: No space left on device ("))
        << writer.error();

    // An unknown size is not checked: the write itself runs out of space.
    ASSERT_TRUE(writer.begin(mountPoint, 0, "Image_00001.jpg")) << writer.error();
    EXPECT_FALSE(appendInPieces(writer, data, 64 * 1024));
    EXPECT_EQ(writer.error(), mountPoint + "Image_00001.jpg: No space left on device");
    EXPECT_FALSE(writer.active());
    EXPECT_EQ(listing(mountPoint), std::vector<std::string>{});

    // The space of the failed file came back: a smaller one fits.
    const std::string small = pattern(100'000);
    ASSERT_TRUE(writer.begin(mountPoint, small.size())) << writer.error();
    ASSERT_TRUE(writer.append(small.data(), small.size())) << writer.error();
    ASSERT_EQ(writer.finish("Image_00001.jpg"), Finish::Done) << writer.error();
    EXPECT_TRUE(holdsExactly(mountPoint + "Image_00001.jpg", small));
    EXPECT_EQ(listing(mountPoint), std::vector<std::string>{"Image_00001.jpg"});
}

INSTANTIATE_TEST_SUITE_P(Temporaries, PosixFileWriting,
                         ::testing::Values(Temporaries::PreferUnnamed, Temporaries::NamedLinked,
                                           Temporaries::NamedMoved),
                         [](const ::testing::TestParamInfo<Temporaries>& info) {
                             return nameOf(info.param);
                         });
