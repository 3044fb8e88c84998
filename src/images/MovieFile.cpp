#include "images/MovieFile.h"

#include "camera/LogSink.h"
#include "images/ImageNaming.h"
#include "images/ItemFiles.h"
#include "images/NamingState.h"

#include <cstdio>

std::string transferSpeedText(uint64_t bytes, double seconds) {
    const double megabytes = static_cast<double>(bytes) / 1024.0 / 1024.0;
    char text[32];
    std::snprintf(text, sizeof text, "%2.2f MB/s", seconds > 0 ? megabytes / seconds : 0.0);
    return text;
}

MovieFile::MovieFile(NamingState& naming, FileSystem& fileSystem, LogSink& log, int64_t number,
                     std::function<void(int percent)> progress)
    : m_naming(naming), m_log(log), m_writer(fileSystem), m_number(number),
      m_progress(std::move(progress)) {}

bool MovieFile::beginMovie(uint64_t totalBytes) {
    if (totalBytes == 0) {
        m_refusal = "an empty movie announced";
        return false;
    }
    const std::string intended = naming::ImgFileName("", m_naming.CurImgPrefix(), m_number, ".mov");
    if (!m_writer.begin(m_naming.CurImgDir(), totalBytes, intended)) {
        m_writeError = m_writer.error();
        return false;
    }
    m_start = std::chrono::steady_clock::now();
    return true;
}

bool MovieFile::appendMovie(const uint8_t* data, std::size_t size) {
    if (!m_writer.append(data, size)) {
        m_writeError = m_writer.error();
        return false;
    }
    return true;
}

void MovieFile::movieProgress(uint64_t receivedBytes, uint64_t totalBytes) {
    if (m_progress) {
        m_progress(static_cast<int>(receivedBytes * 100 / totalBytes));
    }
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - m_start;
    m_log.dslrLog(transferSpeedText(receivedBytes, seconds.count()));
}

bool MovieFile::finish(const MovieReadResult& result) {
    if (!m_writer.active()) {
        return false;
    }
    // An empty file is no movie to keep: the camera still holds it whole.
    if (result.receivedBytes == 0) {
        m_writer.abort();
        m_refusal = result.error.empty() ? "no byte of it arrived" : result.error;
        return false;
    }
    const std::string& prefix = m_naming.CurImgPrefix();
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const naming::ImageFolder folder = naming::ImageFolder::scan(m_naming.CurImgDir());
        const int64_t free = folder.firstFreeNumber(prefix, m_number + attempt, {".mov"});
        const ReceivedFileWriter::Finish finished =
            m_writer.finish(naming::ImgFileName("", prefix, free, ".mov"));
        if (finished == ReceivedFileWriter::Finish::Failed) {
            m_writeError = m_writer.error();
            return false;
        }
        if (finished == ReceivedFileWriter::Finish::Done) {
            if (free != m_number) {
                m_log.log("Number " + naming::ZeroPad(m_number, naming::kNumberWidth) +
                          " is in use: the movie is saved as <b>" +
                          naming::ImgFileName("", prefix, free, ".mov") + "</b>.");
                m_naming.renumberItem(free);
                m_number = free;
            }
            m_naming.fileWritten(free);
            if (!result.complete()) {
                m_log.elog("Movie " + m_writer.finalPath() +
                           " is incomplete: " + std::to_string(result.receivedBytes) + " of " +
                           std::to_string(result.totalBytes) + " bytes arrived (" + result.error +
                           ").");
            }
            return true;
        }
    }
    m_writer.abort();
    m_writeError = m_naming.CurImgDir() + ": no free name for the movie";
    return false;
}
