// What a connected window costs while nobody touches it: the processor time
// of the whole program (poll, camera events of a moving simulated scene,
// painting) over a stretch of wall time, against the same window with no
// camera connected, both measured in this run.
#include "BenchServices.h"
#include "SimControl.h"
#include "app/window/Main.h"
#include "session/CameraSession.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <memory>

namespace {

double processorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Share of one core the event loop used over `wallSeconds`, in percent.
double corePercent(int wallSeconds) {
    const double start = processorSeconds();
    QElapsedTimer wall;
    wall.start();
    // The program's own event loop, sleeping until something is due.
    QEventLoop loop;
    QTimer::singleShot(wallSeconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    return 100.0 * (processorSeconds() - start) / (wall.elapsed() / 1000.0);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const int seconds = qEnvironmentVariableIsSet("VANTORA_IDLE_SECONDS")
                            ? qEnvironmentVariableIntValue("VANTORA_IDLE_SECONDS")
                            : 30;
    QTemporaryDir dir;
    vsim::SimControl::attach("Y800");
    vsim::SimControl::setSceneMotion(true); // as a --simulate run has it
    WindowServices services = benchWindowServices(dir, false);
    TfMain window(services);
    window.show();
    window.FormActivate();

    const double unconnected = corePercent(seconds);
    window.controls().camera.bDSLRConnect->click();
    if (!window.session().connected()) {
        std::fprintf(stderr, "bench_idle: the simulated camera did not connect\n");
        return 1;
    }
    const double connected = corePercent(seconds);
    std::printf("idle_seconds=%d\nunconnected_core_percent=%.3f\nconnected_core_percent=%.3f\n",
                seconds, unconnected, connected);
    // The headline: a connected window against the same window without a
    // camera. The budget for the connected one is 1 % of a core.
    std::printf("ratio=%.3f\n", unconnected > 0 ? connected / unconnected : 0.0);
    return 0;
}
