#include "images/ReceivedFileWriter.h"

#include "images/ImageNaming.h"

#include <cerrno>
#include <system_error>

namespace {

// A name that stays inside the directory.
bool isBareFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\0", 2)) == std::string::npos;
}

} // namespace

ReceivedFileWriter::HeldTemporary::~HeldTemporary() {
    if (!m_file.path.empty())
        m_fs.remove(m_file.path);
    m_fs.close(m_file.fd);
}

ReceivedFileWriter::ReceivedFileWriter(FileSystem& fs) : m_fs(fs) {}

ReceivedFileWriter::~ReceivedFileWriter() {
    abort();
}

bool ReceivedFileWriter::begin(const std::string& directory, uint64_t expectedBytes) {
    return begin(directory, expectedBytes, {});
}

bool ReceivedFileWriter::begin(const std::string& directory, uint64_t expectedBytes,
                               const std::string& intendedName) {
    if (active()) {
        // Starting over would throw away the file being written.
        m_error = pathForErrors() + ": a file is still being written";
        return false;
    }
    m_directory = naming::withTrailingSeparator(directory);
    m_intendedPath = intendedName.empty() ? std::string() : m_directory + intendedName;
    m_error.clear();
    m_finalPath.clear();
    m_bytesWritten = 0;
    if (expectedBytes > 0 && !checkFreeSpace(expectedBytes))
        return false;
    FileSystem::Opened opened = m_fs.openTemporary(m_directory);
    if (opened.error != 0) {
        setError(pathForErrors(), opened.error);
        return false;
    }
    m_temporary.emplace(m_fs, std::move(opened.file));
    return true;
}

bool ReceivedFileWriter::checkFreeSpace(uint64_t expectedBytes) {
    const FileSystem::Space space = m_fs.freeSpace(m_directory);
    if (space.error != 0) {
        setError(pathForErrors(), space.error);
        return false;
    }
    if (space.freeBytes < expectedBytes) {
        setError(pathForErrors(), ENOSPC,
                 " (" + std::to_string(expectedBytes) + " bytes needed, " +
                     std::to_string(space.freeBytes) + " free)");
        return false;
    }
    return true;
}

bool ReceivedFileWriter::append(const void* data, std::size_t size) {
    if (!active()) {
        m_error = pathForErrors() + ": no file begun";
        return false;
    }
    const auto* next = static_cast<const unsigned char*>(data);
    while (size > 0) {
        const FileSystem::Written written = m_fs.write(m_temporary->file().fd, next, size);
        if (written.error == EINTR)
            continue;
        if (written.error != 0 || written.bytes == 0 || written.bytes > size) {
            discard(pathForErrors(), written.error != 0 ? written.error : EIO);
            return false;
        }
        next += written.bytes;
        size -= written.bytes;
        m_bytesWritten += written.bytes;
    }
    return true;
}

ReceivedFileWriter::Finish ReceivedFileWriter::finish(const std::string& finalName) {
    const std::string path = m_directory + finalName;
    if (!active()) {
        m_error = path + ": no file begun";
        return Finish::Failed;
    }
    if (!isBareFileName(finalName)) {
        discard(path, EINVAL);
        return Finish::Failed;
    }
    // The data reaches the disk before any name points at it, so a crash
    // cannot leave a half file under a final name.
    if (const FileSystem::Error error = m_fs.sync(m_temporary->file().fd); error != 0) {
        discard(path, error);
        return Finish::Failed;
    }
    if (const FileSystem::Error error = m_fs.linkNoReplace(m_temporary->file(), path); error != 0) {
        if (error == EEXIST) {
            setError(path, error);
            return Finish::NameTaken;
        }
        discard(path, error);
        return Finish::Failed;
    }
    m_temporary.reset(); // closes, and drops a temporary name
    m_finalPath = path;
    m_error.clear();
    if (const FileSystem::Error error = m_fs.syncDirectory(m_directory); error != 0)
        setError(m_directory, error, " (the name of " + finalName + " may not survive a crash)");
    return Finish::Done;
}

void ReceivedFileWriter::abort() {
    m_temporary.reset();
}

void ReceivedFileWriter::setError(const std::string& path, int errorNumber,
                                  const std::string& detail) {
    m_error = path + ": " + std::generic_category().message(errorNumber) + detail;
}

void ReceivedFileWriter::discard(const std::string& path, int errorNumber) {
    setError(path, errorNumber);
    m_temporary.reset();
}

const std::string& ReceivedFileWriter::pathForErrors() const {
    return m_intendedPath.empty() ? m_directory : m_intendedPath;
}
