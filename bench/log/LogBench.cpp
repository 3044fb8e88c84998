// Cost of appending to the message log when it is nearly empty and when it
// already holds 99 000 lines, and of saving 100 000 lines as RTF. Appending
// must not slow down as the log grows.
#include "log/MessageLog.h"
#include "log/StatusBar.h"
#include "log/TaggedText.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>

namespace {

constexpr int kTotalLines = 100000;
constexpr int kMeasuredLines = 1000;

// A typical line: bold camera name, a coloured value (the stamp is added by
// the log itself).
std::string typicalLine(int i) {
    return "CAMERA Event " + TagBold("Y800") +
           " Sensitivity: " + TagBlue("ISO " + std::to_string(100 + i % 3200)) + " changed";
}

// The log as the window holds it: shown, with its status bar wired.
struct LogUnderTest {
    StatusBar bar;
    MessageLog log;

    LogUnderTest() {
        log.mirror().setStderrEnabled(false);
        log.setStatusBar(&bar);
        log.setStampFormat(StampFormat::LongHour);
        log.resize(600, 400);
        log.show();
        bar.show();
    }

    // Appends in slices of a thousand, letting the event loop run between
    // them as it would in the program (deferred layout, painting).
    void append(int from, int count) {
        for (int i = from; i < from + count; ++i) {
            log.log(typicalLine(i));
            if ((i + 1) % kMeasuredLines == 0) {
                QCoreApplication::processEvents();
            }
        }
        QCoreApplication::processEvents();
    }

    // Seconds per line for appending `count` lines.
    double timeAppend(int from, int count) {
        const auto start = std::chrono::steady_clock::now();
        append(from, count);
        const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
        return spent.count() / count;
    }
};

// One log per iteration: the first thousand lines, the 98 000 between (as an
// average that machine noise cannot skew much) and the last thousand are
// timed separately; the benchmark's time is first plus last.
void BM_AppendFirstAndLastThousand(benchmark::State& state) {
    double first = 0;
    double middle = 0;
    double last = 0;
    for (auto _ : state) {
        auto subject = std::make_unique<LogUnderTest>();
        const double firstPerLine = subject->timeAppend(0, kMeasuredLines);
        middle += subject->timeAppend(kMeasuredLines, kTotalLines - 2 * kMeasuredLines);
        const double lastPerLine =
            subject->timeAppend(kTotalLines - kMeasuredLines, kMeasuredLines);
        first += firstPerLine;
        last += lastPerLine;
        state.SetIterationTime((firstPerLine + lastPerLine) * kMeasuredLines);
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["first_1000_us_per_line"] = first / n * 1e6;
    state.counters["middle_98000_us_per_line"] = middle / n * 1e6;
    state.counters["last_1000_us_per_line"] = last / n * 1e6;
}

void BM_SaveRtf100k(benchmark::State& state) {
    LogUnderTest subject;
    subject.append(0, kTotalLines);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("log.rtf"));
    for (auto _ : state) {
        const MessageLog::SaveResult result = subject.log.saveLogTo(path);
        if (!result.ok) {
            state.SkipWithError("save failed");
        }
    }
}

BENCHMARK(BM_AppendFirstAndLastThousand)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3);
BENCHMARK(BM_SaveRtf100k)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
