#include "images/ItemFiles.h"

#include "camera/CameraTypes.h"
#include "camera/LogSink.h"
#include "images/ImageNaming.h"
#include "images/NamingState.h"

#include <algorithm>
#include <utility>

const std::vector<std::string>& receivedExtensions() {
    static const std::vector<std::string> extensions{".jpg", ".orw", ".tif", ".mov",
                                                     ".ddf", ".dat", ".raw"};
    return extensions;
}

std::string extensionOf(const ItemDataSink::FileStart& file) {
    return file.rawImage ? ".raw" : naming::extensionForFileType(file.fileType);
}

std::string stemForKind(uint32_t kind, const std::string& prefix) {
    if (kind & orv::kKindImage) {
        return prefix;
    }
    return (kind & orv::kKindThumbnail) ? "Thumb" : "Unknown";
}

ItemFiles::ItemFiles(NamingState& naming, FileSystem& fileSystem, LogSink& log, int64_t number)
    : m_naming(naming), m_log(log), m_writer(fileSystem), m_number(number) {}

void ItemFiles::resume(const Progress& earlier) {
    if (earlier.files.empty()) {
        return;
    }
    m_number = earlier.number;
    m_numberSettled = true;
    m_written = earlier.files;
    m_writtenStarts = earlier.starts;
    m_toPassOver = earlier.starts;
}

bool ItemFiles::writtenBefore(const FileStart& start) {
    const auto same = [&](const FileStart& other) {
        return other.kind == start.kind && other.fileType == start.fileType &&
               other.rawImage == start.rawImage && other.totalBytes == start.totalBytes;
    };
    const auto found = std::find_if(m_toPassOver.begin(), m_toPassOver.end(), same);
    if (found == m_toPassOver.end()) {
        return false;
    }
    m_toPassOver.erase(found);
    return true;
}

bool ItemFiles::beginFile(const FileStart& start) {
    m_current = start;
    m_passingOver = writtenBefore(start);
    if (m_passingOver) {
        return true;
    }
    const std::string intended = naming::ImgFileName(
        "", stemForKind(start.kind, m_naming.CurImgPrefix()), m_number, extensionOf(start));
    if (!m_writer.begin(m_naming.CurImgDir(), start.totalBytes, intended)) {
        m_writeError = m_writer.error();
        return false;
    }
    return true;
}

bool ItemFiles::appendFile(const uint8_t* data, std::size_t size) {
    if (m_passingOver) {
        return true;
    }
    if (!m_writer.append(data, size)) {
        m_writeError = m_writer.error();
        return false;
    }
    return true;
}

bool ItemFiles::endFile() {
    if (std::exchange(m_passingOver, false)) {
        return true;
    }
    const std::string stem = stemForKind(m_current.kind, m_naming.CurImgPrefix());
    const std::string extension = extensionOf(m_current);
    if (!m_numberSettled) {
        settleNumber(stem);
    }
    if (!finishUnderFreeName(stem, extension)) {
        return false;
    }
    m_written.push_back(receivedFileAt(m_writer.finalPath(), m_number));
    m_writtenStarts.push_back(m_current);
    // Raw rows are no picture to show.
    if (!m_current.rawImage) {
        m_naming.fileWritten(m_number);
    }
    return true;
}

void ItemFiles::settleNumber(const std::string& stem) {
    m_numberSettled = true;
    const naming::ImageFolder folder = naming::ImageFolder::scan(m_naming.CurImgDir());
    const int64_t free = folder.firstFreeNumber(stem, m_number, receivedExtensions());
    if (free == m_number) {
        return;
    }
    m_log.log("Number " + naming::ZeroPad(m_number, naming::kNumberWidth) + " of <b>" + stem +
              "</b> is in use: the picture is saved as <b>" + stem +
              naming::ZeroPad(free, naming::kNumberWidth) + "</b>.");
    m_number = free;
    m_naming.renumberItem(free);
}

// Another program may take a name between the check and the link: then the
// next free number for this file, and the item's later files follow it.
bool ItemFiles::finishUnderFreeName(const std::string& stem, const std::string& extension) {
    constexpr int kAttempts = 1000;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const std::string name = naming::ImgFileName("", stem, m_number, extension);
        switch (m_writer.finish(name)) {
        case ReceivedFileWriter::Finish::Done:
            return true;
        case ReceivedFileWriter::Finish::Failed:
            m_writeError = m_writer.error();
            return false;
        case ReceivedFileWriter::Finish::NameTaken:
            nextNumberAfterClash(stem);
            break;
        }
    }
    m_writer.abort();
    m_writeError = m_naming.CurImgDir() + ": no free name for " + stem;
    return false;
}

// The scan may not see what the link saw (a name made meanwhile): the number
// moves on by at least one, so the search always ends.
void ItemFiles::nextNumberAfterClash(const std::string& stem) {
    const int64_t taken = m_number;
    settleNumber(stem);
    if (m_number == taken) {
        m_number = taken + 1;
        m_naming.renumberItem(m_number);
    }
}

void ItemFiles::dropFile() {
    if (std::exchange(m_passingOver, false)) {
        return;
    }
    m_writer.abort();
}

void ItemFiles::fileOnDisk(const std::string& name) {
    m_log.log(name);
}

void ItemFiles::refused(const std::string& reason) {
    m_dataError = reason;
}
