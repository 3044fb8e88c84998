// Stop and the deferred-action timer.
#include "ConnectionTestSupport.h"

#include "camera/CameraTypes.h"
#include "connection/DeferredAction.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

using namespace orv;
using vsim::SimControl;

class DisconnectTest : public ConnectionTest {};

TEST_F(DisconnectTest, StopEndsLiveViewThenUnlocksThenLogs) {
    const int camera = connectTo("Y800");
    SimControl::setBoolean(camera, kCapLockCamera, true);
    controls.liveView.sbLiveView->setChecked(true);
    controls.movie.sbMovie->setChecked(true);
    SimControl::clearCallLog();
    std::vector<std::string> order;
    QObject::connect(connection.get(), &CameraConnection::liveViewReleased, [&] {
        order.push_back("live view released, locks " +
                        std::to_string(SimControl::countCalls(kCmdSet, kCapLockCamera)));
    });
    QObject::connect(connection.get(), &CameraConnection::movieReleased,
                     [&] { order.push_back("movie released"); });
    messages->onLog = [&](const std::string& text) {
        order.push_back(text + ", locks " +
                        std::to_string(SimControl::countCalls(kCmdSet, kCapLockCamera)));
    };
    host.calls.clear();
    connection->bDSLRDisconnClick();

    const std::vector<std::string> expected = {"live view released, locks 0", "movie released",
                                               "CAMERA <b>Y800</b> control stopped., locks 1"};
    EXPECT_EQ(order, expected);
    EXPECT_FALSE(SimControl::getBoolean(camera, kCapLockCamera));
    EXPECT_FALSE(controls.liveView.sbLiveView->isChecked());
    EXPECT_FALSE(controls.movie.sbMovie->isChecked());
}

TEST_F(DisconnectTest, StopClosesTheModuleAndShowsNoCamera) {
    connectTo("Y800");
    host.calls.clear();
    connection->bDSLRDisconnClick();

    EXPECT_FALSE(session->connected());
    EXPECT_EQ(session->cameraName(), "no cam");
    EXPECT_EQ(controls.camera.lCamInfo->text(), "no cam");
    EXPECT_FALSE(SimControl::moduleOpen());
    EXPECT_FALSE(link->isLoaded());
    const CameraGroupControls& cam = controls.camera;
    EXPECT_TRUE(cam.bDSLRConnect->isEnabled());
    EXPECT_FALSE(cam.bDSLRDisconn->isEnabled());
    EXPECT_FALSE(cam.bLog->isEnabled());
    EXPECT_TRUE(cam.cbDSLR->isEnabled());
    EXPECT_TRUE(cam.pDSLRctrl->isHidden());
    EXPECT_TRUE(cam.pExtraCtrl->isHidden());
    EXPECT_TRUE(cam.pLiveView->isHidden());
    const std::vector<std::string> expected = {"ShowCamPics(1)", "setCameraConnected(0)",
                                               "FormResize"};
    EXPECT_EQ(host.calls, expected);
    EXPECT_FALSE(host.windowConnected);
}

TEST_F(DisconnectTest, StopWithoutConnectionOnlyRefreshesLabels) {
    SimControl::clearCallLog();
    controls.camera.lCamInfo->setText("stale");
    connection->bDSLRDisconnClick();
    EXPECT_EQ(controls.camera.lCamInfo->text(), "no cam");
    EXPECT_TRUE(messages->lines().empty());
    EXPECT_TRUE(SimControl::callLog().empty());
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(DisconnectTest, ReconnectAfterStop) {
    connectTo("Y800");
    connection->bDSLRDisconnClick();
    connection->bDSLRConnectClick();
    EXPECT_TRUE(session->connected());
    EXPECT_EQ(session->cameraName(), "Y800");
}

TEST_F(DisconnectTest, ConnectionSignalsFrameTheSession) {
    std::vector<std::string> events;
    QObject::connect(session.get(), &CameraSession::opened, [&] { events.push_back("started"); });
    QObject::connect(session.get(), &CameraSession::closed, [&] { events.push_back("stopped"); });
    connectTo("Y800");
    connection->bDSLRDisconnClick();
    EXPECT_EQ(events, (std::vector<std::string>{"started", "stopped"}));
}

namespace {

// Runs the event loop until `done` or a generous limit passes.
template <typename Predicate> bool processUntil(Predicate done) {
    QDeadlineTimer limit(5000);
    while (!done() && !limit.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return done();
}

} // namespace

TEST(DeferredActionTest, ConnectActionRunsOnceAfterArming) {
    DeferredAction deferred;
    int connects = 0;
    deferred.setConnectAction([&] { ++connects; });
    deferred.arm(DeferredAction::Action::Connect, 100);
    EXPECT_TRUE(deferred.timer()->isActive());
    EXPECT_EQ(deferred.timer()->interval(), 100);
    EXPECT_EQ(connects, 0);
    ASSERT_TRUE(processUntil([&] { return connects > 0; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(connects, 1);
    EXPECT_FALSE(deferred.timer()->isActive());
    EXPECT_EQ(deferred.pendingAction(), DeferredAction::Action::Connect);
}

TEST(DeferredActionTest, UsesTheWindowTimerAndRunsOnlyTheArmedAction) {
    QTimer windowTimer;
    windowTimer.setInterval(100);
    DeferredAction deferred(&windowTimer);
    int connects = 0;
    int closes = 0;
    deferred.setConnectAction([&] { ++connects; });
    deferred.setClosePreviewAction([&] { ++closes; });
    deferred.TimerTimer(); // nothing armed yet
    deferred.arm(DeferredAction::Action::ClosePreview, 5000);
    EXPECT_TRUE(windowTimer.isActive());
    EXPECT_EQ(windowTimer.interval(), 5000);
    deferred.TimerTimer();
    EXPECT_FALSE(windowTimer.isActive());
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(connects, 0);
}

TEST_F(DisconnectTest, DeferredConnectStartsTheConnection) {
    SimControl::attach("Y800");
    listCameras({"Y800"});
    DeferredAction deferred;
    deferred.setConnectAction([this] { connection->bDSLRConnectClick(); });
    deferred.arm(DeferredAction::Action::Connect, 1);
    ASSERT_TRUE(processUntil([this] { return session->connected(); }));
    EXPECT_EQ(session->cameraName(), "Y800");
}
