// Requests with completion and wait: the time limit, requests given up on,
// and completions that arrive after their waiter has gone.
#include "CameraTestSupport.h"
#include "camera/CapabilityValues.h"

using vsim::SimControl;

namespace {

// Counts its own destruction, to see when a request's extra block goes.
class CountingExtra : public CompletionExtra {
public:
    explicit CountingExtra(int& destroyed) : m_destroyed(destroyed) {}
    ~CountingExtra() override { ++m_destroyed; }

private:
    int& m_destroyed;
};

} // namespace

TEST_F(CameraTest, CompletedRequestLeavesNothingBehind) {
    const int camera = connect("Y800");
    SimControl::setUnsigned(camera, orv::kCapMeteringMode, 2);
    EXPECT_EQ(link->values().getUnsigned(source(), orv::kCapMeteringMode), 2u);
    EXPECT_EQ(link->outstandingRequests(), 0u);
}

TEST_F(CameraTest, RequestThatNeverCompletesTimesOutAsFailure) {
    const int camera = connect("Y800");
    SimControl::setUnsigned(camera, orv::kCapMeteringMode, 2);
    link->setWaitLimit(std::chrono::milliseconds(30));
    SimControl::injectFault(
        {vsim::Fault::Kind::NeverComplete, orv::kCmdGet, orv::kCapMeteringMode, 0, 0, 1});
    EXPECT_EQ(link->values().getUnsigned(source(), orv::kCapMeteringMode), 0u);
    EXPECT_EQ(link->outstandingRequests(), 1u);
    EXPECT_EQ(log.errorLines, std::vector<std::string>{
                                  "CAMERA: Metering mode (0x8116) did not answer within 1 s."});
    // The record lives until the module is gone.
    EXPECT_TRUE(link->CloseCameraModule());
    EXPECT_EQ(link->outstandingRequests(), 0u);
}

TEST_F(CameraTest, LateCompletionFreesTheAbandonedRecord) {
    const int camera = connect("Y800");
    SimControl::setText(camera, orv::kCapLensInfo, "late lens");
    // The first idle of the wait fails, so the waiter gives up while the
    // module still owes the completion (and will write the text).
    SimControl::injectFault({vsim::Fault::Kind::FailIdle, orv::kCmdIdle, 0, 0, -1, 1});
    int destroyed = 0;
    ModuleRequest request(orv::kCmdGet, orv::kCapLensInfo, orv::kDtString);
    request.block.assign(256, 0);
    RequestOutcome outcome =
        link->Submit(source(), request, std::make_unique<CountingExtra>(destroyed));
    EXPECT_FALSE(outcome.completed);
    EXPECT_FALSE(outcome.ok());
    EXPECT_TRUE(request.block.empty()); // kept by the record for the module
    EXPECT_EQ(link->outstandingRequests(), 1u);
    EXPECT_EQ(destroyed, 0);
    // The next idle delivers the completion into the kept record.
    EXPECT_TRUE(link->IdlePump(source()));
    EXPECT_EQ(link->outstandingRequests(), 0u);
    EXPECT_EQ(destroyed, 1);
}

TEST_F(CameraTest, RefusedRequestIsNotWaitedFor) {
    connect("Y800");
    link->setWaitLimit(std::chrono::milliseconds(60000));
    SimControl::injectFault(
        {vsim::Fault::Kind::FailWithResult, orv::kCmdGet, orv::kCapLensInfo, 0, -9, 1});
    SimControl::clearCallLog();
    EXPECT_EQ(link->values().getText(source(), orv::kCapLensInfo), "");
    EXPECT_EQ(SimControl::countCalls(orv::kCmdIdle), 0);
    EXPECT_EQ(orv::resultByte(link->LastEntryResult()), -9);
    // If the module completes it anyway, the record goes then.
    EXPECT_TRUE(link->IdlePump(source()));
    EXPECT_EQ(link->outstandingRequests(), 0u);
}

TEST_F(CameraTest, ExtraBlockOfACompletedRequestIsFreed) {
    connect("Y800");
    int destroyed = 0;
    ModuleRequest request(orv::kCmdEnumChildren, 0, orv::kDtNone);
    EXPECT_TRUE(link->Submit(source(), request, std::make_unique<CountingExtra>(destroyed)).ok());
    EXPECT_EQ(destroyed, 1);
}

TEST_F(CameraTest, WaitLimitRunsOnTheLinksClock) {
    connect("Y800");
    link->setWaitLimit(std::chrono::milliseconds(30));
    SimControl::injectFault(
        {vsim::Fault::Kind::NeverComplete, orv::kCmdGet, orv::kCapMeteringMode, 0, 0, 1});
    const Clock::TimePoint start = m_clock.now();
    EXPECT_EQ(link->values().getUnsigned(source(), orv::kCapMeteringMode), 0u);
    // Three idle sleeps of 10 ms reach the limit; no real time passes.
    EXPECT_EQ(m_clock.sleeps(), 3);
    EXPECT_EQ(m_clock.now() - start, std::chrono::milliseconds(30));
}
