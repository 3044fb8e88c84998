// Writing a received file through ReceivedFileWriter (temporary file,
// flush, link, directory flush) against a plain create + write + fsync of
// the same bytes in the same pieces: a 25 MB still in 1 MiB appends and a
// 256 MB movie in 16 MiB appends. Each prints the ratio of the two.
#include "images/PosixFileSystem.h"
#include "images/ReceivedFileWriter.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t kMiB = 1024 * 1024;

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A directory of its own under the temporary directory, removed with its
// content.
class BenchDirectory {
public:
    BenchDirectory() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vantora-bench-XXXXXX");
        m_path = std::string(::mkdtemp(pattern.data())) + "/";
    }
    ~BenchDirectory() { std::filesystem::remove_all(m_path); }
    BenchDirectory(const BenchDirectory&) = delete;
    BenchDirectory& operator=(const BenchDirectory&) = delete;
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

std::vector<char> fileContent(std::size_t size) {
    std::vector<char> data(size);
    for (std::size_t i = 0; i < size; ++i)
        data[i] = static_cast<char>((i * 131 + i / 4099) & 0xFF);
    return data;
}

void writePlain(const std::string& path, const std::vector<char>& data, std::size_t piece) {
    const int fd = ::open(path.c_str(), O_CREAT | O_TRUNC | O_WRONLY | O_CLOEXEC, 0644);
    for (std::size_t at = 0; at < data.size(); at += piece) {
        const std::size_t size = std::min(piece, data.size() - at);
        if (::write(fd, data.data() + at, size) != static_cast<ssize_t>(size))
            std::abort();
    }
    ::fsync(fd);
    ::close(fd);
}

void writeReceived(ReceivedFileWriter& writer, const std::string& directory,
                   const std::vector<char>& data, std::size_t piece) {
    if (!writer.begin(directory, data.size()))
        std::abort();
    for (std::size_t at = 0; at < data.size(); at += piece) {
        if (!writer.append(data.data() + at, std::min(piece, data.size() - at)))
            std::abort();
    }
    if (writer.finish("Image_00001.jpg") != ReceivedFileWriter::Finish::Done)
        std::abort();
}

void compareWithPlainWrite(benchmark::State& state, std::size_t fileSize, std::size_t piece) {
    const BenchDirectory dir;
    const std::vector<char> data = fileContent(fileSize);
    PosixFileSystem fs;
    ReceivedFileWriter writer(fs);
    const std::string received = dir.path() + "Image_00001.jpg";
    const std::string plain = dir.path() + "plain.jpg";
    double writerSeconds = 0;
    double plainSeconds = 0;
    bool plainFirst = false; // taking turns, so neither pays the other's flush
    for (auto _ : state) {
        if (plainFirst) {
            const Clock::time_point plainStart = Clock::now();
            writePlain(plain, data, piece);
            plainSeconds += secondsSince(plainStart);
        }
        const Clock::time_point start = Clock::now();
        writeReceived(writer, dir.path(), data, piece);
        const double once = secondsSince(start);
        writerSeconds += once;
        state.SetIterationTime(once);
        if (!plainFirst) {
            const Clock::time_point plainStart = Clock::now();
            writePlain(plain, data, piece);
            plainSeconds += secondsSince(plainStart);
        }
        plainFirst = !plainFirst;
        ::unlink(received.c_str());
        ::unlink(plain.c_str());
    }
    const auto n = static_cast<double>(state.iterations());
    std::printf("received_file_ms=%.1f\nplain_write_fsync_ms=%.1f\nratio=%.3f\n",
                writerSeconds / n * 1e3, plainSeconds / n * 1e3, writerSeconds / plainSeconds);
}

void BM_Still25MBIn1MiBAppends(benchmark::State& state) {
    compareWithPlainWrite(state, 25'000'000, kMiB);
}

void BM_Movie256MBIn16MiBAppends(benchmark::State& state) {
    compareWithPlainWrite(state, 256 * kMiB, 16 * kMiB);
}

BENCHMARK(BM_Still25MBIn1MiBAppends)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(8);
BENCHMARK(BM_Movie256MBIn16MiBAppends)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(4);

} // namespace

BENCHMARK_MAIN();
