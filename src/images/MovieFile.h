#pragma once
// A movie as it is read from the camera: streamed into the image directory
// under a temporary name and named when the reading ends. A reading that
// breaks off keeps what arrived, under the movie's name, and says so.
#include "camera/ItemData.h"
#include "images/ReceivedFileWriter.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

class FileSystem;
class LogSink;
class NamingState;

class MovieFile : public MovieSink {
public:
    // `progress` gets the per cent received after every chunk (and lets the window run).
    MovieFile(NamingState& naming, FileSystem& fileSystem, LogSink& log, int64_t number,
              std::function<void(int percent)> progress);

    bool beginMovie(uint64_t totalBytes) override;
    bool appendMovie(const uint8_t* data, std::size_t size) override;
    void movieProgress(uint64_t receivedBytes, uint64_t totalBytes) override;

    // After the reading: the file gets its name; an error line when the
    // movie is incomplete. False when nothing could be kept (no byte arrived,
    // or the file could not be written).
    bool finish(const MovieReadResult& result);

    const std::string& writeError() const { return m_writeError; }
    // Why the movie was not taken although it could have been written.
    const std::string& refusal() const { return m_refusal; }
    const std::string& path() const { return m_writer.finalPath(); }
    // The number in the movie's name: its own, or the next free one.
    int64_t number() const { return m_number; }

private:
    NamingState& m_naming;
    LogSink& m_log;
    ReceivedFileWriter m_writer;
    int64_t m_number;
    std::function<void(int)> m_progress;
    std::chrono::steady_clock::time_point m_start;
    std::string m_writeError;
    std::string m_refusal;
};

// "12.34 MB/s": bytes over the seconds they took.
std::string transferSpeedText(uint64_t bytes, double seconds);
