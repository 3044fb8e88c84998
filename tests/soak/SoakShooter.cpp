#include "SoakShooter.h"

#include "SimControl.h"
#include "SoakDisk.h"
#include "SoakLiveView.h"
#include "SoakRig.h"
#include "images/ImageNaming.h"

#include <filesystem>
#include <fstream>

using vsim::Fault;
using vsim::SimControl;

namespace {

// Quality entries of the simulated body.
constexpr uint32_t kBasic = 0;
constexpr uint32_t kFine = 2;
constexpr uint32_t kRawOnly = 3;
constexpr uint32_t kRawBasic = 4;
constexpr uint32_t kRawFine = 6;
constexpr int32_t kFailed = -128;
constexpr int32_t kBusy = -116;
constexpr uint32_t kShotsWhenRefilled = 100;
constexpr int32_t kFreshBattery = 87;
// Longer than any wait of the program (a stuck acquire's limit, a movie).
constexpr std::chrono::seconds kSettleLimit{60};
constexpr char kPrefix[] = "Image_";

std::size_t producedFiles() {
    return SimControl::productionLog().size();
}

// Sizes of the files produced after the first `known`, in delivery order.
std::vector<uint64_t> sizesSince(std::size_t known) {
    std::vector<uint64_t> sizes;
    const std::vector<vsim::ProducedFile> files = SimControl::productionLog();
    for (std::size_t i = known; i < files.size(); ++i) {
        sizes.push_back(files[i].size);
    }
    return sizes;
}

Fault acquireFault(Fault::Kind kind) {
    Fault fault;
    fault.kind = kind;
    fault.command = orv::kCmdStart;
    fault.param = orv::kCapAcquire;
    fault.count = 1;
    return fault;
}

// The highest number under the prefix in the folder.
int64_t highestNumber(const std::string& folder) {
    return naming::getLastImg(naming::withTrailingSeparator(folder), kPrefix);
}

bool isMovie(Capture capture) {
    return capture == Capture::Movie || capture == Capture::CardMovie;
}

} // namespace

SoakShooter::SoakShooter(SoakRig& rig, SoakDisk& disk, SoakPlan& plan, std::string folder)
    : m_rig(rig), m_disk(disk), m_plan(plan), m_folder(std::move(folder)) {}

SoakShooter::~SoakShooter() = default;

int SoakShooter::liveViewFrames() const {
    return m_liveViewFramesBefore + (m_liveView ? m_liveView->frames() : 0);
}

bool SoakShooter::shoot(const SoakStep& step) {
    ++m_faults[static_cast<std::size_t>(step.fault)];
    actBefore(step);
    if (!m_failure.empty()) {
        return false;
    }
    armSimulatorFault(step);
    prepareCamera(step);
    const std::size_t before = producedFiles();
    const int items = release(step);
    m_shots += items;
    m_rig.made(items);
    if (step.fault == SoakFault::DiskFull) {
        return settleWithDiskFull(step, sizesSince(before));
    }
    return settle("the step's items");
}

bool SoakShooter::finish() {
    if (m_liveView && m_liveView->running()) {
        m_liveView->stop(false, m_rig.camera());
    }
    m_disk.free();
    return settle("the last items");
}

void SoakShooter::actBefore(const SoakStep& step) {
    switch (step.fault) {
    case SoakFault::NameClash:
        plantClashes(step);
        break;
    case SoakFault::NameRace:
        m_disk.takeNextName([this](const std::string& path) {
            plantFile(std::filesystem::path(path).filename().string());
        });
        break;
    case SoakFault::LiveView:
        toggleLiveView();
        break;
    case SoakFault::Replug:
        if (!replug()) {
            m_failure = "the camera could not be unplugged and plugged in again";
        }
        break;
    default:
        break;
    }
}

void SoakShooter::armSimulatorFault(const SoakStep& step) {
    Fault fault = acquireFault(Fault::Kind::ChunkFails);
    switch (step.fault) {
    case SoakFault::ChunkFails:
        if (isMovie(step.capture)) {
            fault.command = orv::kCmdGet;
            fault.param = orv::kCapMovieRead;
        }
        fault.afterChunks = isMovie(step.capture) ? step.afterChunks % 2 : step.afterChunks;
        fault.result = kFailed;
        SimControl::injectFault(fault);
        break;
    case SoakFault::BrokenRecord: {
        static constexpr Fault::Kind kBroken[] = {Fault::Kind::ChunkTooLong, Fault::Kind::ZeroTotal,
                                                  Fault::Kind::AbsurdTotal};
        fault = acquireFault(kBroken[step.brokenKind % 3]);
        fault.afterChunks = step.afterChunks;
        SimControl::injectFault(fault);
        break;
    }
    case SoakFault::AcquireRefused:
        fault = acquireFault(Fault::Kind::FailWithResult);
        fault.result = kBusy;
        SimControl::injectFault(fault);
        break;
    case SoakFault::AcquireSilent:
        fault.afterChunks = 0;
        fault.result = kFailed;
        SimControl::injectFault(fault);
        [[fallthrough]];
    case SoakFault::AcquireStuck:
        SimControl::injectFault(acquireFault(Fault::Kind::NeverComplete));
        break;
    default:
        break;
    }
}

// The card and the battery never run out; the quality and sizes follow the step.
void SoakShooter::prepareCamera(const SoakStep& step) {
    const int camera = m_rig.camera();
    if (SimControl::getUnsigned(camera, orv::kCapRemainContinuous) < 10) {
        SimControl::setUnsigned(camera, orv::kCapRemainContinuous, kShotsWhenRefilled);
    }
    if (SimControl::getInteger(camera, orv::kCapBatteryLevel) < 20) {
        SimControl::setInteger(camera, orv::kCapBatteryLevel, kFreshBattery);
    }
    uint32_t quality = kFine;
    switch (step.capture) {
    case Capture::Jpeg:
        quality = m_plan.between(kBasic, kFine);
        break;
    case Capture::RawOnly:
        quality = kRawOnly;
        break;
    case Capture::Pair:
        quality = m_plan.between(kRawBasic, kRawFine);
        break;
    case Capture::Burst:
        quality = m_plan.chance(0.5) ? kFine : kRawFine;
        break;
    default:
        break;
    }
    SimControl::setEnumIndex(camera, orv::kCapCompression, quality);
    SimControl::setJpegSize(step.jpegWidth, step.jpegHeight);
    SimControl::setRawSize(step.rawBytes);
}

int SoakShooter::release(const SoakStep& step) {
    const int camera = m_rig.camera();
    if (step.capture == Capture::Movie) {
        return SimControl::addMovieItem(camera, step.movieBytes) != 0 ? 1 : 0;
    }
    if (step.capture == Capture::CardMovie) {
        return SimControl::addCardMovie(camera) != 0 ? 1 : 0;
    }
    int made = 0;
    for (int i = 0; i < step.releases; ++i) {
        made += SimControl::pressShutter(camera) ? 1 : 0;
    }
    return made;
}

// The disk fills up inside one of the step's files (so the later file of
// a pair is cut as often as the first); once the program has said that a
// file could not be written, room is made again.
bool SoakShooter::settleWithDiskFull(const SoakStep& step, const std::vector<uint64_t>& sizes) {
    const int errorsBefore = m_rig.sightings().writeErrorLines;
    const std::size_t cut = sizes.empty() ? 0 : m_plan.between(0, sizes.size() - 1);
    uint64_t room = 0;
    for (std::size_t i = 0; i < cut; ++i) {
        room += sizes[i];
    }
    if (cut < sizes.size()) {
        room += static_cast<uint64_t>(static_cast<double>(sizes[cut]) * step.fraction);
    }
    m_disk.fill(room, step.hideShortage);
    const bool reported = m_rig.runUntil(
        [&] { return m_rig.settled() || m_rig.sightings().writeErrorLines > errorsBefore; },
        kSettleLimit);
    m_disk.free();
    if (!reported) {
        m_failure = "the program neither wrote nor reported the files of a full disk";
        return false;
    }
    return settle("the items kept while the disk was full");
}

bool SoakShooter::settle(const char* what) {
    const bool settled = m_rig.runUntil([this] { return m_rig.settled(); }, kSettleLimit);
    SimControl::clearFaults();
    // The simulator's record of entry calls is no memory of the program's.
    SimControl::clearCallLog();
    if (settled) {
        clearTakenItems();
    }
    if (!settled) {
        m_failure = std::string(what) + " did not arrive within " +
                    std::to_string(kSettleLimit.count()) + " s (" +
                    std::to_string(m_rig.pendingItems()) + " waiting)";
    }
    return settled;
}

// Files under the names the next pictures would take.
void SoakShooter::plantClashes(const SoakStep& step) {
    const int64_t next = highestNumber(m_folder) + 1;
    const int count = static_cast<int>(m_plan.between(1, 2));
    for (int i = 0; i < count; ++i) {
        const int64_t number = next + m_plan.between(0, 2);
        const char* extension = isMovie(step.capture) ? ".mov"
                                : m_plan.chance(0.5)  ? ".jpg"
                                                      : ".orw";
        plantFile(naming::ImgFileName("", kPrefix, number, extension));
    }
}

// A file of another program: a few random bytes, kept to be compared at the end.
void SoakShooter::plantFile(const std::string& name) {
    const std::filesystem::path path = std::filesystem::path(m_folder) / name;
    if (std::filesystem::exists(path)) {
        return;
    }
    std::vector<uint8_t> bytes(m_plan.between(1, 4096));
    for (uint8_t& byte : bytes) {
        byte = static_cast<uint8_t>(m_plan.between(0, 255));
    }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    m_planted[name] = digestBytes(bytes);
}

// Switched on through the program, ended by the program or by the body.
void SoakShooter::toggleLiveView() {
    if (!m_liveView) {
        m_liveView = std::make_unique<SoakLiveView>(m_rig.link());
    }
    if (m_liveView->running()) {
        m_liveView->stop(m_plan.chance(0.5), m_rig.camera());
    } else {
        m_liveView->start();
    }
}

// Only while nothing is in flight: the camera's card goes with it.
bool SoakShooter::replug() {
    if (m_liveView) {
        if (m_liveView->running()) {
            m_liveView->stop(false, m_rig.camera());
        }
        m_liveViewFramesBefore += m_liveView->frames();
        m_liveView.reset();
    }
    return m_rig.unplug() && m_rig.plugIn();
}

// The items the program took are deleted from the camera, as a user clears a
// card: the simulated card would otherwise grow with every shot, and the
// memory measured is the program's. The production log keeps their records;
// the items left on the card stay for the checks at the end.
void SoakShooter::clearTakenItems() {
    const std::vector<vsim::ProducedFile> files = SimControl::productionLog();
    for (; m_filesLookedAt < files.size(); ++m_filesLookedAt) {
        const vsim::ProducedFile& file = files[m_filesLookedAt];
        if (file.camera == m_rig.camera() && !SimControl::itemHeld(file.camera, file.itemId)) {
            SimControl::removeItem(file.camera, file.itemId);
        }
    }
}
