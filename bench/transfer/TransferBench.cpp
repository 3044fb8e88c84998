// A still and a movie from the simulated camera to their durable names in
// the image folder, through the poll, the data procedure or the chunked
// movie read, and the received-file writer; against copying the same bytes
// and writing them with write + fsync in the same folder.
#include "SimControl.h"
#include "app/window/Main.h"
#include "session/CameraSession.h"
#include "session/StatePoll.h"
#include "widgets/WindowControls.h"

#include "BenchServices.h"
#include "QtBenchMain.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

constexpr uint32_t kStillBytes = 25'000'000;
constexpr uint32_t kMovieBytes = 256u << 20;
constexpr int kRawOnly = 3; // "RAW" in the image quality list

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// What the program's part is measured against: the bytes copied out of a
// buffer as a transfer must, then written and flushed.
double plainWrite(const std::vector<uint8_t>& bytes, const QString& path, std::size_t chunk) {
    std::vector<uint8_t> buffer(chunk);
    const Clock::time_point start = Clock::now();
    const int fd = ::open(path.toLocal8Bit().constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    for (std::size_t at = 0; at < bytes.size(); at += chunk) {
        const std::size_t n = std::min(chunk, bytes.size() - at);
        std::memcpy(buffer.data(), bytes.data() + at, n);
        if (::write(fd, buffer.data(), n) != static_cast<ssize_t>(n)) {
            std::perror("write");
        }
    }
    ::fsync(fd);
    ::close(fd);
    const double seconds = secondsSince(start);
    QFile::remove(path);
    return seconds;
}

struct ConnectedWindow {
    QTemporaryDir dir;
    std::unique_ptr<TfMain> window;
    int camera = 0;

    ConnectedWindow() {
        camera = vsim::SimControl::attach("Y800");
        WindowServices services = benchWindowServices(dir);
        window = std::make_unique<TfMain>(services);
        window->show();
        window->FormActivate();
        window->controls().timers.tCamSync->stop();
        window->controls().camera.bDSLRConnect->click();
    }
    ~ConnectedWindow() { vsim::SimControl::detach(camera); }

    QString images() const { return dir.filePath(QStringLiteral("images")); }
    // Polls until every waiting item is fetched; the seconds it took.
    double fetchAll() {
        const Clock::time_point start = Clock::now();
        for (int tick = 0; tick < 1000; ++tick) {
            window->statePoll().tCamSyncTimer();
            if (window->session().pendingItemCount() == 0) {
                break;
            }
        }
        return secondsSince(start);
    }
    void emptyFolder() const {
        QDir folder(images());
        for (const QString& name : folder.entryList(QDir::Files)) {
            folder.remove(name);
        }
    }
};

void report(const char* what, uint64_t bytes, double program, double baseline) {
    const double megabytes = static_cast<double>(bytes) / 1e6;
    std::printf("%s_program_MB_per_s=%.1f\n%s_baseline_MB_per_s=%.1f\nratio=%.3f\n", what,
                megabytes / program, what, megabytes / baseline, program / baseline);
}

void BM_Still25MB(benchmark::State& state) {
    ConnectedWindow subject;
    vsim::SimControl::setRawSize(kStillBytes);
    vsim::SimControl::setChunkSize(1u << 20);
    subject.window->controls().shooting.cbCompression->setCurrentIndex(kRawOnly);
    subject.window->statePoll().tCamSyncTimer();
    double program = 0;
    double baseline = 0;
    for (auto _ : state) {
        vsim::SimControl::pressShutter(subject.camera);
        const double once = subject.fetchAll();
        program += once;
        state.SetIterationTime(once);
        const QString name = QDir(subject.images()).entryList(QDir::Files).value(0);
        QFile file(subject.images() + QLatin1Char('/') + name);
        file.open(QIODevice::ReadOnly);
        const QByteArray received = file.readAll();
        baseline += plainWrite(std::vector<uint8_t>(received.begin(), received.end()),
                               subject.images() + QStringLiteral("/plain"), 1u << 20);
        subject.emptyFolder();
    }
    report("still_25MB", kStillBytes, program, baseline);
}

void BM_Movie256MB(benchmark::State& state) {
    ConnectedWindow subject;
    double program = 0;
    double baseline = 0;
    for (auto _ : state) {
        const uint32_t item = vsim::SimControl::addMovieItem(subject.camera, kMovieBytes);
        const std::vector<uint8_t> bytes = vsim::SimControl::fileBytes(subject.camera, item, 4, 0);
        const double once = subject.fetchAll();
        program += once;
        state.SetIterationTime(once);
        baseline += plainWrite(bytes, subject.images() + QStringLiteral("/plain"), 16u << 20);
        subject.emptyFolder();
    }
    report("movie_256MB", kMovieBytes, program, baseline);
}

BENCHMARK(BM_Still25MB)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);
BENCHMARK(BM_Movie256MB)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    return runQtBenchmarks(argc, argv);
}
