#pragma once
// The tethering run under test and the simulated camera it is tethered to:
// plugs the camera in and starts a run on it, unplugs it (which ends the
// run, as it ends `vantora --tether`) and plugs in a fresh one, and runs the
// event loop until the program has dealt with every item the camera made.
// What the program says on the way (log lines, received files) is kept for
// the checks at the end.
#include "SoakWatch.h"

#include <QObject>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>

class CameraLink;
class SoakDisk;
class TetherRun;
struct LogLine;

// An item of one camera: the camera's handle and the item's id.
using CameraItem = std::pair<int, uint32_t>;

// What the program said during the shoot.
struct SoakSightings {
    std::map<std::string, int> printed;             // received-file lines, by path
    std::map<CameraItem, std::string> leftOnCamera; // the line giving the reason
    std::set<CameraItem> heldAtUnplug;              // still on an unplugged camera's card
    std::set<std::string> partialMovies;            // kept in part, by file name
    int errorLines = 0;
    int clashLines = 0;   // a number in use, the item moved on
    int timeoutLines = 0; // a request that did not answer in time
    int writeErrorLines = 0;
};

class SoakRig : public QObject {
public:
    SoakRig(std::string folder, std::string model, SoakDisk& disk, SoakWatch& watch, bool verbose);
    ~SoakRig() override;

    // Attaches a camera and starts a tethering run on it; false (and why on
    // standard error) when the run does not start.
    bool plugIn();
    // Unplugs the camera once nothing is in flight and waits for the run's
    // end; the items still on its card are noted first.
    bool unplug();
    // Ends the run as a termination request does.
    void endRun();

    int camera() const { return m_camera; }
    bool running() const { return m_run != nullptr && !m_finished; }
    CameraLink& link();
    // The camera just made `items` new items.
    void made(int items) { m_made += items; }
    // Every item made is announced and fetched, kept or given up on.
    bool settled() const;
    int pendingItems() const;
    // Runs the event loop until `done` or `limit`; false at the limit.
    bool runUntil(const std::function<bool()>& done, std::chrono::milliseconds limit);
    // Called for every log line of the run, after the rig read it.
    void setLineWatcher(std::function<void(const LogLine&)> watcher) {
        m_lineWatcher = std::move(watcher);
    }

    const SoakSightings& sightings() const { return m_sightings; }

private:
    static ssize_t writeLines(void* cookie, const char* data, size_t size);
    void fileLine(const std::string& path);
    void logLine(const LogLine& line);
    void noteLeftOnCamera(const std::string& plain);
    void notePartialMovie(const std::string& plain);

    std::string m_folder;
    std::string m_model;
    SoakDisk& m_disk;
    SoakWatch& m_watch;
    bool m_verbose;
    int m_camera = 0;
    std::FILE* m_lines = nullptr;
    std::string m_partialLine;
    std::unique_ptr<TetherRun> m_run;
    bool m_finished = false;
    int m_made = 0;
    int m_added = 0;
    SoakSightings m_sightings;
    std::function<void(const LogLine&)> m_lineWatcher;
};
