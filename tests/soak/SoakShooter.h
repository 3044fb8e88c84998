#pragma once
// One step of the shoot at a time: the camera set for the capture, the
// step's fault armed or acted out (on the simulator, the disk, the folder
// or the camera's cable), the releases, and the wait until the program has
// dealt with everything the camera made.
#include "SoakLedger.h"
#include "SoakPlan.h"

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

class SoakDisk;
class SoakLiveView;
class SoakRig;

class SoakShooter {
public:
    SoakShooter(SoakRig& rig, SoakDisk& disk, SoakPlan& plan, std::string folder);
    ~SoakShooter();

    // False when the program did not deal with the step's items in time, or
    // the camera could not be plugged in again; failure() says what.
    bool shoot(const SoakStep& step);
    // Live view off, the disk freed, and every item still waiting fetched.
    bool finish();

    int shots() const { return m_shots; }
    const std::array<int, kSoakFaultKinds>& faults() const { return m_faults; }
    const std::map<std::string, FileDigest>& planted() const { return m_planted; }
    int liveViewFrames() const;
    const std::string& failure() const { return m_failure; }

private:
    void actBefore(const SoakStep& step);
    void armSimulatorFault(const SoakStep& step);
    void prepareCamera(const SoakStep& step);
    int release(const SoakStep& step);
    bool settleWithDiskFull(const SoakStep& step, const std::vector<uint64_t>& sizes);
    bool settle(const char* what);
    void plantClashes(const SoakStep& step);
    void plantFile(const std::string& name);
    void toggleLiveView();
    bool replug();
    void clearTakenItems();

    SoakRig& m_rig;
    SoakDisk& m_disk;
    SoakPlan& m_plan;
    std::string m_folder;
    std::unique_ptr<SoakLiveView> m_liveView;
    int m_liveViewFramesBefore = 0;
    int m_shots = 0;
    std::array<int, kSoakFaultKinds> m_faults{};
    std::map<std::string, FileDigest> m_planted;
    std::string m_failure;
    std::size_t m_filesLookedAt = 0; // production log entries clearTakenItems() has seen
};
