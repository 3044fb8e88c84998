// Showing a received 24-megapixel JPEG with View, from the click to the
// picture on screen, against decoding the same file at full size; and the
// folder scan behind the running number over 10,000 received files against
// a plain listing of the same folder.
#include "app/window/Main.h"
#include "images/ImageNaming.h"
#include "widgets/WindowControls.h"

#include "BenchServices.h"
#include "QtBenchMain.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <turbojpeg.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;
constexpr int kReceivedFiles = 10000;

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A camera-sized picture with smooth areas and fine detail, so that its
// file is of a realistic size.
std::vector<uint8_t> cameraSizedJpeg() {
    std::vector<uint8_t> pixels(static_cast<std::size_t>(kWidth) * kHeight * 3);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            uint8_t* p = &pixels[(static_cast<std::size_t>(y) * kWidth + x) * 3];
            p[0] = static_cast<uint8_t>(x * 255 / kWidth);
            p[1] = static_cast<uint8_t>(y * 255 / kHeight);
            // Sensor-like grain: what makes camera files large.
            const uint32_t grain =
                (static_cast<uint32_t>(x) * 73856093u ^ static_cast<uint32_t>(y) * 19349663u) *
                2654435761u;
            p[2] = static_cast<uint8_t>(((x ^ y) & 0xC0) | (grain >> 26));
        }
    }
    tjhandle handle = tjInitCompress();
    unsigned char* out = nullptr;
    unsigned long size = 0;
    tjCompress2(handle, pixels.data(), kWidth, 0, kHeight, TJPF_RGB, &out, &size, TJSAMP_422, 92,
                0);
    std::vector<uint8_t> data(out, out + size);
    tjFree(out);
    tjDestroy(handle);
    return data;
}

// What showing the file without scaling costs: read and decode at 1/1.
void decodeFullSize(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QByteArray data = file.readAll();
    tjhandle handle = tjInitDecompress();
    std::vector<uint8_t> pixels(static_cast<std::size_t>(kWidth) * kHeight * 4);
    tjDecompress2(handle, reinterpret_cast<const unsigned char*>(data.constData()),
                  static_cast<unsigned long>(data.size()), pixels.data(), kWidth, 0, kHeight,
                  TJPF_BGRX, 0);
    tjDestroy(handle);
    benchmark::DoNotOptimize(pixels.data());
}

struct WindowWithPicture {
    QTemporaryDir dir;
    std::unique_ptr<TfMain> window;
    QString picture;

    WindowWithPicture() {
        const std::vector<uint8_t> jpeg = cameraSizedJpeg();
        picture = dir.filePath(QStringLiteral("Image_00001.jpg"));
        QFile file(picture);
        file.open(QIODevice::WriteOnly);
        file.write(reinterpret_cast<const char*>(jpeg.data()), static_cast<qint64>(jpeg.size()));
        file.close();
        WindowServices services = benchWindowServices(dir, false);
        window = std::make_unique<TfMain>(services);
        window->controls().images.eImageDir->setText(dir.path() + QLatin1Char('/'));
        window->show();
        QCoreApplication::processEvents();
        window->FormActivate();
        std::printf("picture_bytes=%lld\n", static_cast<long long>(jpeg.size()));
    }
};

void BM_View24MegapixelJpeg(benchmark::State& state) {
    WindowWithPicture subject;
    const ImageGroupControls& images = subject.window->controls().images;
    double view = 0;
    double fullDecode = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        images.bViewJPG->click();
        QCoreApplication::processEvents(); // the picture painted
        const double once = secondsSince(start);
        view += once;
        state.SetIterationTime(once);
        const Clock::time_point baseStart = Clock::now();
        decodeFullSize(subject.picture);
        fullDecode += secondsSince(baseStart);
    }
    const auto n = static_cast<double>(state.iterations());
    std::printf("view_click_to_picture_ms=%.1f\nfull_size_decode_ms=%.1f\nratio=%.3f\n",
                view / n * 1e3, fullDecode / n * 1e3, view / fullDecode);
}

// A folder as after a long shoot: 10,000 stills and a few movies.
void fillFolder(const std::filesystem::path& dir) {
    for (int i = 1; i <= kReceivedFiles; ++i) {
        const char* extension = i % 500 == 0 ? ".mov" : (i % 3 == 0 ? ".orw" : ".jpg");
        std::ofstream(dir / naming::ImgFileName("", "Image_", i, extension));
    }
}

void BM_LastNumberOver10000Files(benchmark::State& state) {
    const QTemporaryDir temp;
    const std::filesystem::path dir = temp.path().toStdString();
    fillFolder(dir);
    const std::string directory = dir.string() + "/";
    double scan = 0;
    double listing = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        benchmark::DoNotOptimize(naming::getLastImg(directory, "Image_"));
        const double once = secondsSince(start);
        scan += once;
        state.SetIterationTime(once);
        const Clock::time_point baseStart = Clock::now();
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            names.push_back(entry.path().filename().string());
        }
        benchmark::DoNotOptimize(names.data());
        listing += secondsSince(baseStart);
    }
    const auto n = static_cast<double>(state.iterations());
    std::printf("last_number_scan_ms=%.2f\nplain_listing_ms=%.2f\nratio=%.3f\n", scan / n * 1e3,
                listing / n * 1e3, scan / listing);
}

BENCHMARK(BM_View24MegapixelJpeg)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);
BENCHMARK(BM_LastNumberOver10000Files)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(20);

} // namespace

int main(int argc, char** argv) {
    return runQtBenchmarks(argc, argv);
}
