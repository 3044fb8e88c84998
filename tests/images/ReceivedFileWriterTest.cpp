// The received-file writer against a file system that fails on command: what
// each failure reports, and that no failure leaves a temporary file behind
// or a name on unfinished data.
#include "images/ReceivedFileWriter.h"
#include "images/FileSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using Finish = ReceivedFileWriter::Finish;

// An in-memory file system. Final names live in `files`; temporaries are
// open descriptors, and with `namedTemporaries` also names in `temporaryNames`.
class FakeFileSystem : public FileSystem {
public:
    // Faults.
    Error openError = 0;
    int failingWrite = 0; // 1-based number of the write call that fails
    Error writeError = ENOSPC;
    std::size_t maxBytesPerWrite = std::numeric_limits<std::size_t>::max();
    bool interruptEveryOtherWrite = false;
    Error syncError = 0;
    Error linkError = 0;
    Error directorySyncError = 0;
    Space space{std::numeric_limits<uint64_t>::max(), 0};
    bool namedTemporaries = true;

    // What the writer did.
    std::map<std::string, std::string> files;
    std::map<int, std::string> openFiles; // descriptor to content
    std::set<std::string> temporaryNames;
    std::vector<std::string> calls; // every call but write, in order
    int writeCalls = 0;

    Opened openTemporary(const std::string& directory) override {
        calls.push_back("open " + directory);
        if (openError != 0)
            return {{}, openError};
        const int fd = m_nextFd++;
        openFiles[fd];
        std::string path;
        if (namedTemporaries) {
            path = directory + ".vantora-" + std::to_string(fd) + ".part";
            temporaryNames.insert(path);
        }
        return {{fd, path}, 0};
    }

    Written write(int fd, const void* data, std::size_t size) override {
        ++writeCalls;
        if (writeCalls == failingWrite)
            return {0, writeError};
        if (interruptEveryOtherWrite && writeCalls % 2 == 1)
            return {0, EINTR};
        const std::size_t bytes = std::min(size, maxBytesPerWrite);
        openFiles.at(fd).append(static_cast<const char*>(data), bytes);
        return {bytes, 0};
    }

    Error sync(int fd) override {
        calls.push_back("sync " + std::to_string(openFiles.at(fd).size()));
        return syncError;
    }

    Error linkNoReplace(Temporary& file, const std::string& finalPath) override {
        calls.push_back("link " + finalPath);
        if (linkError != 0)
            return linkError;
        if (files.count(finalPath) != 0)
            return EEXIST;
        files[finalPath] = openFiles.at(file.fd);
        return 0;
    }

    Error syncDirectory(const std::string& directory) override {
        calls.push_back("sync " + directory);
        return directorySyncError;
    }

    Error remove(const std::string& path) override {
        calls.push_back("remove " + path);
        return temporaryNames.erase(path) == 1 ? 0 : ENOENT;
    }

    void close(int fd) override {
        calls.push_back("close");
        openFiles.erase(fd);
    }

    Space freeSpace(const std::string& directory) override {
        calls.push_back("statvfs " + directory);
        return space;
    }

    // Nothing of an unfinished file is left: no descriptor, no temporary name.
    bool noTemporaryLeft() const { return openFiles.empty() && temporaryNames.empty(); }

private:
    int m_nextFd = 10;
};

std::string pattern(std::size_t size) {
    std::string data(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        data[i] = static_cast<char>((i * 131 + i / 251) & 0xFF);
    return data;
}

bool appendInPieces(ReceivedFileWriter& writer, const std::string& data, std::size_t piece) {
    for (std::size_t at = 0; at < data.size(); at += piece) {
        if (!writer.append(data.data() + at, std::min(piece, data.size() - at)))
            return false;
    }
    return true;
}

} // namespace

TEST(ReceivedFileWriterFaults, ShortAndInterruptedWritesLandEveryByteBeforeTheNameIsGiven) {
    FakeFileSystem fs;
    fs.maxBytesPerWrite = 1000;
    fs.interruptEveryOtherWrite = true;
    const std::string data = pattern(10'000);
    {
        ReceivedFileWriter writer(fs);
        ASSERT_TRUE(writer.begin("/pics/", data.size()));
        ASSERT_TRUE(appendInPieces(writer, data, 3333));
        EXPECT_EQ(writer.bytesWritten(), data.size());
        ASSERT_EQ(writer.finish("Image_00001.jpg"), Finish::Done);
        EXPECT_EQ(writer.finalPath(), "/pics/Image_00001.jpg");
        EXPECT_EQ(writer.error(), "");
        EXPECT_FALSE(writer.active());
    }
    EXPECT_EQ(fs.files.at("/pics/Image_00001.jpg"), data);
    // All bytes flushed before the name, the temporary name dropped, then
    // the directory flushed.
    EXPECT_EQ(fs.calls,
              (std::vector<std::string>{"statvfs /pics/", "open /pics/", "sync 10000",
                                        "link /pics/Image_00001.jpg",
                                        "remove /pics/.vantora-10.part", "close", "sync /pics/"}));
    EXPECT_TRUE(fs.noTemporaryLeft());
}

TEST(ReceivedFileWriterFaults, BeginRefusesShortSpaceAndFilesThatCannotBeMade) {
    FakeFileSystem fs;
    ReceivedFileWriter writer(fs);
    fs.space = {1000, 0};
    EXPECT_FALSE(writer.begin("/pics/", 1001, "Image_00001.jpg"));
    EXPECT_EQ(writer.error(),
              "/pics/Image_00001.jpg: No space left on device (1001 bytes needed, 1000 free)");
    EXPECT_FALSE(writer.active());
    EXPECT_EQ(fs.calls, std::vector<std::string>{"statvfs /pics/"}); // nothing was created

    ASSERT_TRUE(writer.begin("/pics/", 1000)); // exactly enough
    writer.abort();
    fs.space = {0, 0};
    ASSERT_TRUE(writer.begin("/pics/", 0)); // an unknown size is not checked
    writer.abort();

    fs.space = {0, ENOENT};
    EXPECT_FALSE(writer.begin("/gone/", 10));
    EXPECT_EQ(writer.error(), "/gone/: No such file or directory");

    fs.openError = EACCES;
    EXPECT_FALSE(writer.begin("/pics", 0)); // the separator is added
    EXPECT_EQ(writer.error(), "/pics/: Permission denied");
    EXPECT_FALSE(writer.active());
    EXPECT_TRUE(fs.noTemporaryLeft());
    EXPECT_TRUE(fs.files.empty());
}

TEST(ReceivedFileWriterFaults, AFailedWriteRemovesTheTemporaryAndNamesNothing) {
    FakeFileSystem fs;
    fs.failingWrite = 3;
    ReceivedFileWriter writer(fs);
    ASSERT_TRUE(writer.begin("/pics/", 0, "Image_00001.jpg"));
    const std::string piece = pattern(4096);
    EXPECT_TRUE(writer.append(piece.data(), piece.size()));
    EXPECT_TRUE(writer.append(piece.data(), piece.size()));
    EXPECT_FALSE(writer.append(piece.data(), piece.size()));
    EXPECT_EQ(writer.error(), "/pics/Image_00001.jpg: No space left on device");
    EXPECT_FALSE(writer.active());
    EXPECT_TRUE(fs.noTemporaryLeft());

    // What follows a failure cannot name anything either.
    EXPECT_FALSE(writer.append(piece.data(), piece.size()));
    EXPECT_EQ(writer.finish("Image_00001.jpg"), Finish::Failed);
    EXPECT_EQ(writer.error(), "/pics/Image_00001.jpg: no file begun");
    EXPECT_TRUE(fs.files.empty());

    // The writer is ready for the next file.
    ASSERT_TRUE(writer.begin("/pics/", 0));
    EXPECT_TRUE(writer.append(piece.data(), piece.size()));
    EXPECT_EQ(writer.bytesWritten(), piece.size());
    EXPECT_EQ(writer.finish("Image_00002.jpg"), Finish::Done);
    EXPECT_EQ(fs.files.at("/pics/Image_00002.jpg"), piece);
}

TEST(ReceivedFileWriterFaults, AFailedFinishRemovesTheTemporaryAndNamesNothing) {
    using Error = FileSystem::Error;
    struct Fault {
        Error FakeFileSystem::*field; // the call that fails, if any
        Error error;
        std::string finalName;
        std::string message;
    };
    const std::vector<Fault> faults = {
        {&FakeFileSystem::syncError, EIO, "Image_00001.jpg",
         "/pics/Image_00001.jpg: Input/output error"},
        {&FakeFileSystem::linkError, EROFS, "Image_00001.jpg",
         "/pics/Image_00001.jpg: Read-only file system"},
        {nullptr, 0, "../Image_00001.jpg", "/pics/../Image_00001.jpg: Invalid argument"},
        {nullptr, 0, "", "/pics/: Invalid argument"},
    };
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.message);
        FakeFileSystem fs;
        fs.namedTemporaries = fault.field != &FakeFileSystem::syncError; // both kinds
        if (fault.field != nullptr)
            fs.*fault.field = fault.error;
        ReceivedFileWriter writer(fs);
        ASSERT_TRUE(writer.begin("/pics/", 0));
        ASSERT_TRUE(writer.append("data", 4));
        EXPECT_EQ(writer.finish(fault.finalName), Finish::Failed);
        EXPECT_EQ(writer.error(), fault.message);
        EXPECT_FALSE(writer.active());
        EXPECT_TRUE(fs.noTemporaryLeft());
        EXPECT_TRUE(fs.files.empty());
    }
}

TEST(ReceivedFileWriterFaults, ATakenNameKeepsTheDataForAnotherName) {
    FakeFileSystem fs;
    fs.files["/pics/Image_00001.jpg"] = "the earlier picture";
    ReceivedFileWriter writer(fs);
    const std::string data = pattern(5000);
    ASSERT_TRUE(writer.begin("/pics/", 0));
    ASSERT_TRUE(writer.append(data.data(), data.size()));
    EXPECT_EQ(writer.finish("Image_00001.jpg"), Finish::NameTaken);
    EXPECT_EQ(writer.error(), "/pics/Image_00001.jpg: File exists");
    EXPECT_TRUE(writer.active());
    EXPECT_EQ(fs.files.at("/pics/Image_00001.jpg"), "the earlier picture");
    EXPECT_EQ(fs.temporaryNames.size(), 1u);

    // Not a second begin: that would throw the held data away.
    EXPECT_FALSE(writer.begin("/pics/", 0));
    EXPECT_EQ(writer.error(), "/pics/: a file is still being written");
    EXPECT_TRUE(writer.active());

    ASSERT_EQ(writer.finish("Image_00002.jpg"), Finish::Done);
    EXPECT_EQ(writer.finalPath(), "/pics/Image_00002.jpg");
    EXPECT_EQ(fs.files.at("/pics/Image_00002.jpg"), data);
    EXPECT_EQ(fs.files.at("/pics/Image_00001.jpg"), "the earlier picture");
    EXPECT_TRUE(fs.noTemporaryLeft());
}

TEST(ReceivedFileWriterFaults, AbortAndDestructionRemoveTheUnfinishedFile) {
    for (const bool named : {true, false}) {
        SCOPED_TRACE(named ? "named temporary" : "unnamed temporary");
        FakeFileSystem fs;
        fs.namedTemporaries = named;
        {
            ReceivedFileWriter writer(fs);
            ASSERT_TRUE(writer.begin("/pics/", 0));
            ASSERT_TRUE(writer.append("data", 4));
            writer.abort();
            EXPECT_FALSE(writer.active());
            EXPECT_TRUE(fs.noTemporaryLeft());
            writer.abort(); // twice is harmless

            ASSERT_TRUE(writer.begin("/pics/", 0));
            ASSERT_TRUE(writer.append("data", 4));
        }
        EXPECT_TRUE(fs.noTemporaryLeft());
        EXPECT_TRUE(fs.files.empty());
    }
}

TEST(ReceivedFileWriterFaults, AnUnflushedDirectoryLeavesTheFileInPlaceAndSaysSo) {
    FakeFileSystem fs;
    fs.directorySyncError = EIO;
    ReceivedFileWriter writer(fs);
    ASSERT_TRUE(writer.begin("/pics/", 0));
    ASSERT_TRUE(writer.append("data", 4));
    // The data is on disk: throwing the file away would lose the picture.
    EXPECT_EQ(writer.finish("Image_00001.jpg"), Finish::Done);
    EXPECT_EQ(fs.files.at("/pics/Image_00001.jpg"), "data");
    EXPECT_EQ(writer.finalPath(), "/pics/Image_00001.jpg");
    EXPECT_EQ(writer.error(),
              "/pics/: Input/output error (the name of Image_00001.jpg may not survive a crash)");
    EXPECT_TRUE(fs.noTemporaryLeft());
}
