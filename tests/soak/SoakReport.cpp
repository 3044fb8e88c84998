#include "SoakReport.h"

namespace {

double mebibytes(uint64_t bytes) {
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

double seconds(std::chrono::steady_clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

double growth(const SoakFigures& f) {
    return f.rssAfterFirst == 0 ? 0.0
                                : (static_cast<double>(f.rssAtEnd) - f.rssAfterFirst) /
                                      static_cast<double>(f.rssAfterFirst);
}

} // namespace

std::vector<std::string> soakVerdict(const SoakFigures& f) {
    std::vector<std::string> reasons;
    if (!f.failure.empty()) {
        reasons.push_back("the shoot stopped: " + f.failure);
    }
    if (!f.tally.passed()) {
        reasons.push_back("the files do not add up");
    }
    if (growth(f) > kRssGrowthLimit) {
        reasons.push_back("memory grew by more than 10 %");
    }
    if (f.longestStall > kStallLimit) {
        reasons.push_back("a wait outlasted " + std::to_string(kStallLimit.count()) + " s");
    }
    return reasons;
}

void printSoakReport(std::FILE* out, const SoakFigures& f) {
    const SoakTally& t = f.tally;
    std::fprintf(out, "vantora_soak: seed %llu, folder %s\n",
                 static_cast<unsigned long long>(f.seed), f.folder.c_str());
    std::fprintf(out, "shots                  %d\n", f.shots);
    std::fprintf(out, "faults injected:\n");
    for (std::size_t kind = 1; kind < kSoakFaultKinds; ++kind) {
        std::fprintf(out, "  %-24s %d\n", faultName(static_cast<SoakFault>(kind)), f.faults[kind]);
    }
    std::fprintf(out, "  (files planted %d, clashes logged %d, live view frames %d)\n", f.planted,
                 f.sightings.clashLines, f.liveViewFrames);
    std::fprintf(out, "program said: %d error lines, %d time-outs, %d files not saved\n",
                 f.sightings.errorLines, f.sightings.timeoutLines, f.sightings.writeErrorLines);
    std::fprintf(out, "files produced         %d\n", t.produced);
    std::fprintf(out, "  checked on disk      %d\n", t.checked);
    std::fprintf(out, "  left on card         %d\n", t.leftOnCard);
    std::fprintf(out, "  lost                 %d\n", t.lost);
    std::fprintf(out, "  movies kept in part  %d (each also left on card)\n", t.partialMovies);
    std::fprintf(out,
                 "written twice %d, stray files %d, temporary files %d, planted changed %d, "
                 "reported wrongly %d\n",
                 t.duplicates, t.strayFiles, t.temporaryFiles, t.plantedChanged, t.reportedWrongly);
    std::fprintf(out, "RSS after 100 shots    %.1f MiB\n", mebibytes(f.rssAfterFirst));
    std::fprintf(out, "RSS at the end         %.1f MiB (%+.1f %%)\n", mebibytes(f.rssAtEnd),
                 100.0 * growth(f));
    std::fprintf(out, "longest stall          %.2f s (limit %lld s)\n", seconds(f.longestStall),
                 static_cast<long long>(kStallLimit.count()));
    std::fprintf(out, "run time               %.0f s\n", seconds(f.runTime));
    constexpr std::size_t kProblemsShown = 40;
    for (std::size_t i = 0; i < t.problems.size() && i < kProblemsShown; ++i) {
        std::fprintf(out, "problem: %s\n", t.problems[i].c_str());
    }
    if (t.problems.size() > kProblemsShown) {
        std::fprintf(out, "problem: ... and %zu more\n", t.problems.size() - kProblemsShown);
    }
    const std::vector<std::string> reasons = soakVerdict(f);
    for (const std::string& reason : reasons) {
        std::fprintf(out, "FAIL: %s\n", reason.c_str());
    }
    if (reasons.empty()) {
        std::fprintf(out, "PASS\n");
    }
}
