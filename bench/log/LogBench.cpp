// Cost of appending to the message log when it is nearly empty and when it
// already holds 99 000 lines, in slices of a thousand and one line per pass
// of the event loop, and of saving 100 000 lines as RTF. Appending must not
// slow down as the log grows.
#include "log/LogModel.h"
#include "log/MessageLog.h"
#include "log/StatusBar.h"
#include "log/TaggedText.h"

#include "QtBenchMain.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>

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
    LogModel model;
    StatusBar bar;
    MessageLog log{model};

    LogUnderTest() {
        model.mirror().setStderrEnabled(false);
        bar.follow(model);
        model.setStampFormat(StampFormat::LongHour);
        log.resize(600, 400);
        log.show();
        bar.show();
    }

    // Appends in slices of a thousand, letting the event loop run between
    // them as it would in the program (deferred layout, painting).
    void append(int from, int count) {
        for (int i = from; i < from + count; ++i) {
            model.log(typicalLine(i));
            if ((i + 1) % kMeasuredLines == 0) {
                QCoreApplication::processEvents();
            }
        }
        QCoreApplication::processEvents();
    }

    // Appends one line per pass of the event loop, as lines trickle in
    // while the program waits on the camera: each is laid out and painted
    // before the next arrives.
    void trickle(int from, int count) {
        for (int i = from; i < from + count; ++i) {
            model.log(typicalLine(i));
            QCoreApplication::processEvents();
        }
    }
};

// Cost per line in seconds: wall clock, and the process's processor time,
// which other jobs on a shared machine distort much less.
struct PerLine {
    double wall = 0;
    double cpu = 0;

    PerLine& operator+=(const PerLine& other) {
        wall += other.wall;
        cpu += other.cpu;
        return *this;
    }
};

template <typename Append> PerLine timePerLine(int count, Append&& append) {
    const auto wallStart = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    append();
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - wallStart;
    const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    return {wall.count() / count, cpu / count};
}

void report(benchmark::State& state, const char* name, const PerLine& sum) {
    const auto n = static_cast<double>(state.iterations());
    state.counters[std::string(name) + "_us_per_line"] = sum.wall / n * 1e6;
    state.counters[std::string(name) + "_cpu_us_per_line"] = sum.cpu / n * 1e6;
}

// One log per iteration: the first thousand lines, the 98 000 between (as an
// average that machine noise cannot skew much) and the last thousand are
// timed separately; the benchmark's time is first plus last.
void BM_AppendFirstAndLastThousand(benchmark::State& state) {
    PerLine first;
    PerLine middle;
    PerLine last;
    for (auto _ : state) {
        auto subject = std::make_unique<LogUnderTest>();
        const PerLine head =
            timePerLine(kMeasuredLines, [&] { subject->append(0, kMeasuredLines); });
        middle += timePerLine(kTotalLines - 2 * kMeasuredLines, [&] {
            subject->append(kMeasuredLines, kTotalLines - 2 * kMeasuredLines);
        });
        const PerLine tail = timePerLine(
            kMeasuredLines, [&] { subject->append(kTotalLines - kMeasuredLines, kMeasuredLines); });
        first += head;
        last += tail;
        state.SetIterationTime((head.wall + tail.wall) * kMeasuredLines);
    }
    report(state, "first_1000", first);
    report(state, "middle_98000", middle);
    report(state, "last_1000", last);
    // The headline: a line appended to a log of 99 000 lines against one
    // appended to an empty log, both measured in this run (flat = 1).
    const auto runs = static_cast<double>(state.iterations());
    std::printf("append_first_1000_us_per_line=%.2f\nappend_last_1000_us_per_line=%.2f\n"
                "ratio=%.3f\n",
                first.wall / runs * 1e6, last.wall / runs * 1e6, last.wall / first.wall);
}

// The same with every timed line on its own pass of the event loop, so its
// layout and painting are counted too; the lines between come in slices.
void BM_TrickleFirstAndLastThousand(benchmark::State& state) {
    PerLine first;
    PerLine last;
    for (auto _ : state) {
        auto subject = std::make_unique<LogUnderTest>();
        const PerLine head =
            timePerLine(kMeasuredLines, [&] { subject->trickle(0, kMeasuredLines); });
        subject->append(kMeasuredLines, kTotalLines - 2 * kMeasuredLines);
        const PerLine tail = timePerLine(kMeasuredLines, [&] {
            subject->trickle(kTotalLines - kMeasuredLines, kMeasuredLines);
        });
        first += head;
        last += tail;
        state.SetIterationTime((head.wall + tail.wall) * kMeasuredLines);
    }
    report(state, "first_1000", first);
    report(state, "last_1000", last);
}

void BM_SaveRtf100k(benchmark::State& state) {
    LogUnderTest subject;
    subject.append(0, kTotalLines);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("log.rtf"));
    for (auto _ : state) {
        const LogModel::SaveResult result = subject.model.saveLogTo(path);
        if (!result.ok) {
            state.SkipWithError("save failed");
        }
    }
}

BENCHMARK(BM_AppendFirstAndLastThousand)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3);
BENCHMARK(BM_TrickleFirstAndLastThousand)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3);
BENCHMARK(BM_SaveRtf100k)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    return runQtBenchmarks(argc, argv);
}
