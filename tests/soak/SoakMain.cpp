// vantora_soak: a long shoot against the simulated camera through the
// windowless tethering run, with faults drawn from a seed, and the checks
// that nothing was lost, doubled, overwritten or left half-written.
#include "SimControl.h"
#include "SoakDisk.h"
#include "SoakOptions.h"
#include "SoakPlan.h"
#include "SoakReport.h"
#include "SoakRig.h"
#include "SoakShooter.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <filesystem>
#include <optional>

namespace {

constexpr char kModel[] = "Y800";
constexpr int kFirstShots = 100;
constexpr int kProgressEvery = 100;
// Small chunks: a file comes in several, so a fault can cut it anywhere.
constexpr uint32_t kChunkBytes = 256u << 10;

struct SoakRun {
    const SoakOptions& options;
    std::string folder;
    SoakFigures figures;
};

void shootAll(SoakRun& run, SoakRig& rig, SoakShooter& shooter, SoakPlan& plan) {
    int nextProgress = kProgressEvery;
    while (shooter.shots() < run.options.shots) {
        if (!shooter.shoot(plan.next())) {
            run.figures.failure = shooter.failure();
            return;
        }
        if (run.figures.rssAfterFirst == 0 && shooter.shots() >= kFirstShots) {
            run.figures.rssAfterFirst = residentBytes();
        }
        if (run.options.verbose && shooter.shots() >= nextProgress) {
            std::printf("vantora_soak: %d shots, %d waiting, RSS %.1f MiB\n", shooter.shots(),
                        rig.pendingItems(), static_cast<double>(residentBytes()) / (1 << 20));
            std::fflush(stdout);
            nextProgress += kProgressEvery;
        }
    }
    if (!shooter.finish()) {
        run.figures.failure = shooter.failure();
    }
}

int soak(SoakRun& run) {
    vsim::SimControl::reset();
    vsim::SimControl::setProductionLog(true);
    vsim::SimControl::setChunkSize(kChunkBytes);
    // One live picture, encoded once: the simulator's frame cache stays small.
    vsim::SimControl::freezeLiveScene(0);
    const auto started = std::chrono::steady_clock::now();
    SoakDisk disk;
    SoakWatch watch;
    SoakRig rig(run.folder, kModel, disk, watch, run.options.verbose);
    SoakPlan plan(run.options.seed);
    SoakShooter shooter(rig, disk, plan, run.folder);
    if (!rig.plugIn()) {
        return 1;
    }
    shootAll(run, rig, shooter, plan);
    const int camera = rig.camera();
    rig.endRun();
    SoakFigures& f = run.figures;
    f.rssAtEnd = residentBytes();
    f.longestStall = watch.longestStall();
    f.shots = shooter.shots();
    f.faults = shooter.faults();
    f.planted = static_cast<int>(shooter.planted().size());
    f.liveViewFrames = shooter.liveViewFrames();
    f.sightings = rig.sightings();
    f.tally = checkShoot({run.folder, shooter.planted(), &f.sightings, camera});
    f.runTime = std::chrono::steady_clock::now() - started;
    printSoakReport(stdout, f);
    return soakVerdict(f).empty() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (!arguments.empty() && arguments.front() == "--help") {
        std::fputs(kSoakUsage, stdout);
        return 0;
    }
    std::string error;
    const std::optional<SoakOptions> options = parseSoakOptions(arguments, error);
    if (!options) {
        std::fprintf(stderr, "vantora_soak: %s\n%s", error.c_str(), kSoakUsage);
        return 2;
    }
    // Every file in the folder is checked against what the camera made.
    std::error_code unreadable;
    if (!options->folder.empty() && std::filesystem::exists(options->folder, unreadable) &&
        !std::filesystem::is_empty(options->folder, unreadable)) {
        std::fprintf(stderr, "vantora_soak: %s is not empty\n", options->folder.c_str());
        return 2;
    }
    QTemporaryDir scratch;
    SoakRun run{
        *options, options->folder.empty() ? scratch.path().toStdString() : options->folder, {}};
    run.figures.seed = options->seed;
    run.figures.folder = run.folder;
    const int status = soak(run);
    // A failed shoot keeps its folder for a look.
    scratch.setAutoRemove(status == 0);
    if (status != 0 && options->folder.empty()) {
        std::printf("vantora_soak: the pictures stay in %s\n", run.folder.c_str());
    }
    return status;
}
