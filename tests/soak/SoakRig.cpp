#include "SoakRig.h"

#include "SimControl.h"
#include "SoakDisk.h"
#include "log/LogModel.h"
#include "session/CameraSession.h"
#include "simulated/SimulatedDeviceBackend.h"
#include "tether/TetherRun.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QString>
#include <QTimer>

#include <array>
#include <csignal>
#include <cstdlib>

namespace {

// Fast enough that a long shoot takes minutes; the waits and limits inside
// the program stay as they are.
constexpr std::chrono::milliseconds kSoakPoll{10};
constexpr std::chrono::seconds kRunEnd{20};
constexpr std::chrono::milliseconds kWake{20};
constexpr std::array<double, 7> kSceneSteps{0.0, 1.0 / 3, 2.0 / 3, 1.0, -1.0 / 3, -2.0 / 3, -1.0};

bool contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

} // namespace

SoakRig::SoakRig(std::string folder, std::string model, SoakDisk& disk, SoakWatch& watch,
                 bool verbose)
    : m_folder(std::move(folder)), m_model(std::move(model)), m_disk(disk), m_watch(watch),
      m_verbose(verbose) {
    const cookie_io_functions_t io{nullptr, &SoakRig::writeLines, nullptr, nullptr};
    m_lines = fopencookie(this, "w", io);
}

SoakRig::~SoakRig() {
    m_run.reset();
    if (m_lines) {
        std::fclose(m_lines);
    }
}

ssize_t SoakRig::writeLines(void* cookie, const char* data, size_t size) {
    auto* self = static_cast<SoakRig*>(cookie);
    self->m_partialLine.append(data, size);
    std::size_t end = 0;
    while ((end = self->m_partialLine.find('\n')) != std::string::npos) {
        self->fileLine(self->m_partialLine.substr(0, end));
        self->m_partialLine.erase(0, end + 1);
    }
    return static_cast<ssize_t>(size);
}

void SoakRig::fileLine(const std::string& path) {
    m_watch.progress();
    ++m_sightings.printed[path];
}

bool SoakRig::plugIn() {
    m_camera = vsim::SimControl::attach(m_model);
    if (m_camera == 0) {
        std::fprintf(stderr, "vantora_soak: the simulator has no %s\n", m_model.c_str());
        return false;
    }
    // Each camera's own light: no two cameras take the same picture.
    vsim::SimControl::setSceneBrightness(m_camera, kSceneSteps[m_camera % kSceneSteps.size()]);
    TetherSettings settings;
    settings.directory = QString::fromStdString(m_folder);
    settings.pollInterval = kSoakPoll;
    m_made = 0;
    m_added = 0;
    m_finished = false;
    m_run = std::make_unique<TetherRun>(settings, std::make_unique<SimulatedDeviceBackend>(),
                                        m_lines, m_disk.fileSystem());
    m_run->log().mirror().setStderrEnabled(m_verbose);
    connect(&m_run->log(), &LogModel::lineAdded, this, [this](const LogLine& l) { logLine(l); });
    connect(&m_run->session(), &CameraSession::itemAdded, this, [this] { ++m_added; });
    connect(m_run.get(), &TetherRun::finished, this, [this] { m_finished = true; });
    if (!m_run->start()) {
        std::fprintf(stderr, "vantora_soak: the tethering run did not start\n");
        return false;
    }
    return true;
}

bool SoakRig::unplug() {
    for (const vsim::ProducedFile& file : vsim::SimControl::productionLog()) {
        if (file.camera == m_camera && vsim::SimControl::itemHeld(m_camera, file.itemId)) {
            m_sightings.heldAtUnplug.insert({m_camera, file.itemId});
        }
    }
    vsim::SimControl::detach(m_camera);
    const bool ended = runUntil([this] { return m_finished; }, kRunEnd);
    m_run.reset();
    return ended;
}

void SoakRig::endRun() {
    if (running()) {
        m_run->terminate(SIGTERM);
    }
}

CameraLink& SoakRig::link() {
    return m_run->session().link();
}

bool SoakRig::settled() const {
    return m_run != nullptr && m_added >= m_made && m_run->session().pendingItemCount() == 0;
}

int SoakRig::pendingItems() const {
    return m_run != nullptr ? m_run->session().pendingItemCount() : 0;
}

bool SoakRig::runUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    QDeadlineTimer deadline(limit);
    // Wakes the loop even when the run has no timer running (it has ended).
    QTimer wake;
    wake.start(kWake);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return done();
}

void SoakRig::logLine(const LogLine& line) {
    m_watch.progress();
    const std::string& plain = line.plain;
    if (line.error) {
        ++m_sightings.errorLines;
    }
    if (contains(plain, "is in use")) {
        ++m_sightings.clashLines;
    }
    if (contains(plain, "did not answer within")) {
        ++m_sightings.timeoutLines;
    }
    if (contains(plain, "not saved")) {
        ++m_sightings.writeErrorLines;
    }
    if (line.error && contains(plain, " is incomplete: ")) {
        notePartialMovie(plain);
    }
    if (line.error && contains(plain, "left on the camera")) {
        noteLeftOnCamera(plain);
    }
    if (m_lineWatcher) {
        m_lineWatcher(line);
    }
}

// "CAMERA: Item 00010005 sent broken image data (...); it is left on the camera."
void SoakRig::noteLeftOnCamera(const std::string& plain) {
    const std::size_t at = plain.find("Item ");
    if (at == std::string::npos) {
        return;
    }
    const std::string tag = plain.substr(at + 5, 8);
    char* end = nullptr;
    const unsigned long itemId = std::strtoul(tag.c_str(), &end, 16);
    if (end == tag.c_str() + tag.size()) {
        m_sightings.leftOnCamera[{m_camera, static_cast<uint32_t>(itemId)}] = plain;
    }
}

// "Movie /folder/Image_00012.mov is incomplete: 0 of ... bytes arrived (...)."
void SoakRig::notePartialMovie(const std::string& plain) {
    const std::size_t end = plain.find(" is incomplete: ");
    const std::size_t slash = plain.rfind('/', end);
    if (slash != std::string::npos) {
        m_sightings.partialMovies.insert(plain.substr(slash + 1, end - slash - 1));
    }
}
