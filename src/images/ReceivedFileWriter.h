#pragma once
// The one place a received file is written, so that no picture is lost or
// overwritten: the data goes into a temporary file in the target directory,
// is flushed to disk, and only then gets its final name, which never
// replaces an existing file. A failure or an abort leaves nothing behind; a
// crash leaves no half file under a final name. One file at a time.
#include "images/FileSystem.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

class ReceivedFileWriter {
public:
    enum class Finish { Done, NameTaken, Failed };

    explicit ReceivedFileWriter(FileSystem& fs);
    ~ReceivedFileWriter(); // an unfinished file is removed (abort)
    ReceivedFileWriter(const ReceivedFileWriter&) = delete;
    ReceivedFileWriter& operator=(const ReceivedFileWriter&) = delete;

    // Starts a file in `directory` (ends with "/"). When expectedBytes > 0 the
    // free space of the directory is checked first. False (error() says why)
    // when the space is short, the temporary file cannot be made, or a file
    // is still being written.
    bool begin(const std::string& directory, uint64_t expectedBytes);
    // The same, naming the file the caller means to give it, so that errors
    // before finish() name that path rather than the directory.
    bool begin(const std::string& directory, uint64_t expectedBytes,
               const std::string& intendedName);
    // Appends bytes; false (error() set, the temporary file removed) on a
    // failed write. Short writes are continued and interrupted ones retried.
    bool append(const void* data, std::size_t size);
    // Flushes the file to disk and only then gives it `finalName` (a bare file
    // name inside the directory), never replacing an existing file.
    // NameTaken: nothing changed, the data is still held: the caller may call
    // finish() again with another name (or abort()). Failed: error() set,
    // temp removed. Done with error() set: the file is complete under its
    // name, but the directory could not be flushed, so after a crash the name
    // may be missing.
    Finish finish(const std::string& finalName);
    void abort(); // removes the temporary file, if any
    bool active() const { return m_temporary.has_value(); }
    // "<path>: <reason>", e.g. "/pics/Image_00001.jpg: No space left on device".
    const std::string& error() const { return m_error; }
    uint64_t bytesWritten() const { return m_bytesWritten; }
    const std::string& finalPath() const { return m_finalPath; } // after Done

private:
    // The temporary file: closed, and its name (if it still has one) taken
    // away, when it goes.
    class HeldTemporary {
    public:
        HeldTemporary(FileSystem& fs, FileSystem::Temporary file)
            : m_fs(fs), m_file(std::move(file)) {}
        ~HeldTemporary();
        HeldTemporary(const HeldTemporary&) = delete;
        HeldTemporary& operator=(const HeldTemporary&) = delete;
        FileSystem::Temporary& file() { return m_file; }

    private:
        FileSystem& m_fs;
        FileSystem::Temporary m_file;
    };

    bool checkFreeSpace(uint64_t expectedBytes);
    // Sets error() to "<path>: <reason of errorNumber><detail>".
    void setError(const std::string& path, int errorNumber, const std::string& detail = {});
    // setError() and the temporary file removed.
    void discard(const std::string& path, int errorNumber);
    // The intended path when known, else the directory.
    const std::string& pathForErrors() const;

    FileSystem& m_fs;
    std::optional<HeldTemporary> m_temporary;
    std::string m_directory;
    std::string m_intendedPath;
    std::string m_error;
    std::string m_finalPath;
    uint64_t m_bytesWritten = 0;
};
