// Connects that fail: a missing module file (reported, then downloaded) and
// a camera that cannot be opened; plus the error report itself.
#include "ConnectionTestSupport.h"

#include "camera/CameraTypes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <filesystem>

using namespace orv;
using vsim::SimControl;

class ConnectFailureTest : public ConnectionTest {};

TEST_F(ConnectFailureTest, MissingModuleIsReportedAndDownloaded) {
    QTemporaryDir modules;
    QTemporaryDir work;
    ASSERT_TRUE(modules.isValid() && work.isValid());
    // Only the transport library is there, not the model's module file.
    const std::filesystem::path transport = link->moduleDirectory() / "OrvPTP.so";
    ASSERT_TRUE(QFile::link(QString::fromStdString(transport.string()),
                            QDir(modules.path()).filePath("OrvPTP.so")));
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(work.path()));
    link->setModuleDirectory(modules.path().toStdString());
    SimControl::attach("Y800");
    listCameras({"Y800"});
    connection->bDSLRConnectClick();
    QDir::setCurrent(previous);

    EXPECT_EQ(errorTexts(), std::vector<std::string>{"DLL not found: Cam0006.omd"});
    EXPECT_EQ(connection->lastErrorText(), "DLL not found: Cam0006.omd");
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(connection->pendingErrorCode(), 0);
    const int error = logIndex("<b>ERROR: DLL not found: Cam0006.omd</b>");
    const int download = logIndex("Downloading Cam0006.omd");
    ASSERT_GE(download, 0);
    EXPECT_EQ(download, error + 1);

    ASSERT_EQ(queue.requests.size(), 1u);
    const HtmlRequest& request = queue.requests.front();
    EXPECT_EQ(request.url, "http://downloads.test/down/Cam0006.omd");
    EXPECT_EQ(request.fileName, QDir(work.path()).absoluteFilePath("Cam0006.omd"));
    EXPECT_TRUE(request.BinaryData);
    EXPECT_TRUE(request.isFile);
    EXPECT_EQ(request.kind, RequestKind::ModuleFile);

    EXPECT_FALSE(session->connected());
    EXPECT_EQ(controls.camera.lCamInfo->text(), "no cam");
    EXPECT_TRUE(controls.camera.bDSLRConnect->isEnabled());
    EXPECT_TRUE(controls.camera.cbDSLR->isEnabled());
    EXPECT_TRUE(controls.camera.lConnecting->isHidden());
    EXPECT_FALSE(controls.camera.lAvailable->isHidden());
}

TEST_F(ConnectFailureTest, CameraNotAvailableCarriesTheEntryResult) {
    SimControl::attach("Y800");
    listCameras({"Y800"});
    vsim::Fault fault;
    fault.command = kCmdOpen;
    fault.objectType = kObjModule;
    fault.result = -7;
    SimControl::injectFault(fault);
    connection->bDSLRConnectClick();

    EXPECT_EQ(errorTexts(), std::vector<std::string>{"CAMERA: Camera not available. (-7)"});
    EXPECT_EQ(beeps, 1);
    EXPECT_FALSE(session->connected());
    EXPECT_FALSE(SimControl::moduleOpen());
    EXPECT_FALSE(link->isLoaded());
    EXPECT_EQ(host.calls.back(), "ShowCamPics(1)");
    EXPECT_TRUE(controls.camera.lConnecting->isHidden());
    EXPECT_EQ(controls.camera.lCamInfo->text(), "no cam");
    EXPECT_TRUE(controls.camera.bDSLRConnect->isEnabled());
    EXPECT_FALSE(controls.camera.bLog->isEnabled());
    EXPECT_TRUE(controls.camera.pDSLRctrl->isHidden());
    EXPECT_TRUE(queue.requests.empty());
}

TEST_F(ConnectFailureTest, CameraOfAnotherModelIsNotAvailable) {
    SimControl::attach("Y4");
    listCameras({"Y800"});
    connection->bDSLRConnectClick();

    const std::vector<std::string> errors = errorTexts();
    ASSERT_EQ(errors.size(), 1u);
    std::string expected = "CAMERA: Camera not available.";
    if (link->LastEntryResult() != 0) {
        expected += " (" + std::to_string(link->LastEntryResult()) + ")";
    }
    EXPECT_EQ(errors.front(), expected);
    EXPECT_FALSE(session->connected());
}

TEST_F(ConnectFailureTest, FailedConnectDoesNotShowAnEarlierLens) {
    connectTo("Y800");
    connection->bDSLRDisconnClick();
    EXPECT_FALSE(session->lensText().empty()); // Stop keeps it
    SimControl::reset();
    SimControl::attach("Y4");
    connection->bDSLRConnectClick();
    EXPECT_EQ(controls.camera.lCamInfo->text(), "no cam");
}

TEST_F(ConnectFailureTest, ReportTexts) {
    connection->setPendingErrorCode(CameraConnection::kErrorNoInternet);
    connection->reportError();
    connection->setPendingErrorCode(0x2A);
    connection->reportError();
    const std::vector<std::string> expected = {"INTERNET: No internet access",
                                               "Unknown error code [002A]."};
    EXPECT_EQ(errorTexts(), expected);
    EXPECT_EQ(connection->pendingErrorCode(), 0);
    EXPECT_EQ(beeps, 2);
}

TEST_F(ConnectFailureTest, OnlyCameraMessagesCarryTheEntryResult) {
    // No module loaded: the entry call fails with -1.
    link->CallEntry(nullptr, kCmdIdle, 0, 0, 0, nullptr, 0);
    ASSERT_NE(link->LastEntryResult(), 0);
    connection->setPendingErrorCode(CameraConnection::kErrorCameraNotAvailable);
    connection->reportError();
    connection->setPendingErrorCode(CameraConnection::kErrorNoInternet);
    connection->reportError();
    const std::vector<std::string> expected = {"CAMERA: Camera not available. (-1)",
                                               "INTERNET: No internet access"};
    EXPECT_EQ(errorTexts(), expected);
}

TEST(ErrorCodeMessageTest, EveryCode) {
    EXPECT_EQ(ErrorCodeMessage(1, "x"), "INTERNET: No internet access");
    EXPECT_EQ(ErrorCodeMessage(6, "x"), "CAMERA: Camera not available.");
    EXPECT_EQ(ErrorCodeMessage(12, "Cam0001.omd"), "DLL not found: Cam0001.omd");
    EXPECT_EQ(ErrorCodeMessage(0, ""), "Unknown error code [0000].");
    EXPECT_EQ(ErrorCodeMessage(255, ""), "Unknown error code [00FF].");
}
