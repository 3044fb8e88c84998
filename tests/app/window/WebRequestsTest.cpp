// The window's web requests against a real server on the loopback address:
// a missing module file is downloaded, checked and connected through; what
// fails leaves one line and nothing else; requests run one at a time; the
// About photo is fetched and swapped in, or the old one stays.
#include "app/window/WebRequests.h"
#include "LocalWebServer.h"
#include "WindowTestSupport.h"
#include "app/window/AboutLayout.h"
#include "app/window/PhotoSwap.h"
#include "camera/ModuleLoader.h"
#include "connection/CameraConnection.h"
#include "connection/DeferredAction.h"
#include "log/StatusBar.h"

#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProgressBar>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// A page where the module file should be.
const QByteArray kHtmlPage =
    QByteArray("<!DOCTYPE html><html><head><title>Moved</title></head><body>") +
    QByteArray("The file you asked for has moved. ").repeated(60) + "</body></html>\n";

class WebRequestsTest : public WindowTest {
protected:
    void SetUp() override {
        // Nothing of the real user's: data, runtime folder and home are ours.
        for (const char* name : {"XDG_DATA_HOME", "XDG_RUNTIME_DIR", "HOME"}) {
            m_savedEnvironment.emplace_back(name, qgetenv(name));
        }
        for (const char* folder : {"data", "run", "home", "www/down", "modules"}) {
            ASSERT_TRUE(QDir().mkpath(tempPath(folder)));
        }
        QFile::setPermissions(tempPath("run"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_DATA_HOME", QFile::encodeName(tempPath("data")));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(tempPath("run")));
        qputenv("HOME", QFile::encodeName(tempPath("home")));
        // The module directory has the transport library but no module files.
        const QString modules =
            QString::fromStdString(ModuleLoader::defaultModuleDirectory().string());
        ASSERT_TRUE(QFile::link(modules + "/OrvPTP.so", tempPath("modules/OrvPTP.so")));
        m_simulatorLibrary = QFileInfo(modules + "/Cam0006.omd").canonicalFilePath();
        ASSERT_FALSE(m_simulatorLibrary.isEmpty());
    }

    void TearDown() override {
        m_server.stop();
        for (const auto& [name, value] : m_savedEnvironment) {
            qputenv(name, value);
        }
    }

    // What the server offers under "down/Cam0006.omd" and "getpic.php".
    void serveModule() {
        ASSERT_TRUE(QFile::copy(m_simulatorLibrary, tempPath("www/down/Cam0006.omd")));
    }
    void serve(const QString& name, const QByteArray& body) {
        QFile file(tempPath("www/" + name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(body);
    }
    void servePhoto(QColor colour) {
        QImage image(60, 40, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(tempPath("www/getpic.php"), "JPG"));
    }
    void startServer() { ASSERT_TRUE(m_server.start(tempPath("www"))) << "python3 is needed"; }

    std::unique_ptr<TfMain> window(const QString& base) {
        WindowServices s = services();
        s.moduleDirectory = tempPath("modules").toStdString();
        s.webBase = base;
        vsim::SimControl::attach("Y800");
        auto w = std::make_unique<TfMain>(s);
        start(*w);
        w->controls().timers.tCamSync->stop();
        return w;
    }

    // Runs the event loop until `done` holds; the limit only ends a test
    // that would otherwise hang.
    static bool waitFor(const std::function<bool()>& done) {
        QElapsedTimer waited;
        waited.start();
        while (!done()) {
            if (waited.elapsed() > 20000) {
                return false;
            }
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        return true;
    }
    static bool idle(TfMain& w) {
        return w.webRequests().queue().size() == 0 && !w.deferredAction().timer()->isActive();
    }

    static int count(TfMain& w, const std::function<bool(const std::string&)>& which) {
        int n = 0;
        for (const std::string& m : messages(w)) {
            n += which(m) ? 1 : 0;
        }
        return n;
    }
    static int errorLines(TfMain& w) {
        int n = 0;
        for (const LogLine& line : w.messageLog().lines()) {
            n += line.error ? 1 : 0;
        }
        return n;
    }
    QStringList userModuleFiles() const {
        return QDir(tempPath("data/Quillon Labs/Vantora/modules"))
            .entryList(QDir::Files | QDir::Hidden);
    }
    static bool mapped(const QString& path) {
        QFile maps("/proc/self/maps");
        return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(QFile::encodeName(path));
    }

    LocalWebServer m_server;
    QString m_simulatorLibrary;
    std::vector<std::pair<const char*, QByteArray>> m_savedEnvironment;
};

TEST_F(WebRequestsTest, MissingModuleIsDownloadedCheckedAndConnectedThrough) {
    serveModule();
    startServer();
    auto w = window(m_server.base());
    w->controls().camera.bDSLRConnect->click();
    EXPECT_TRUE(logged(*w, "ERROR: DLL not found: Cam0006.omd"));
    EXPECT_TRUE(logged(*w, "Downloading Cam0006.omd"));
    EXPECT_FALSE(w->session().connected());

    ASSERT_TRUE(waitFor([&] { return w->session().connected(); }));
    EXPECT_EQ(w->session().cameraName(), "Y800");
    // Saved in the user's module folder, not the working directory, with no
    // temporary file left beside it; the connect loaded this copy.
    const QString saved = tempPath("data/Quillon Labs/Vantora/modules/Cam0006.omd");
    EXPECT_EQ(userModuleFiles(), QStringList{"Cam0006.omd"});
    EXPECT_FALSE(QFile::exists("Cam0006.omd"));
    EXPECT_TRUE(mapped(saved));
    // The copy drives the same simulated camera the test attached.
    EXPECT_TRUE(vsim::SimControl::moduleOpen());
    EXPECT_TRUE(w->controls().images.ProgressBar->isHidden());
    EXPECT_EQ(errorLines(*w), 1);
}

// A 404, a web page in the module's place, no server, and an address that
// is not used: one line each, no error badge, no retry, nothing saved.
TEST_F(WebRequestsTest, FailedDownloadWritesOneLineAndNothingElse) {
    startServer();
    const QString local = m_server.base();
    const QString nobody = QStringLiteral("http://127.0.0.1:%1/").arg(LocalWebServer::freePort());
    const struct {
        QString base;
        QString servedAs; // empty: nothing under the module's name
        std::string reason;
    } cases[] = {
        {local, {}, "the server answered 404"},
        {local, "down/Cam0006.omd", "not a module file (no library header)"},
        {nobody, {}, "refused"},
        {"http://192.0.2.1/", {}, "only https addresses (or http on this computer)"},
    };
    for (const auto& failure : cases) {
        SCOPED_TRACE(failure.reason);
        QFile::remove(tempPath("www/down/Cam0006.omd"));
        if (!failure.servedAs.isEmpty()) {
            serve(failure.servedAs, kHtmlPage);
        }
        vsim::SimControl::reset();
        auto w = window(failure.base);
        w->controls().camera.bDSLRConnect->click();
        const std::string failed = "Download of Cam0006.omd failed: ";
        ASSERT_TRUE(waitFor([&] { return idle(*w) && !messages(*w).empty(); }));
        const auto isFailure = [&](const std::string& m) { return m.rfind(failed, 0) == 0; };
        ASSERT_EQ(count(*w, isFailure), 1);
        EXPECT_NE(messages(*w).back().find(failure.reason), std::string::npos)
            << messages(*w).back();
        EXPECT_FALSE(w->statusBarPanel().errorShown());
        EXPECT_EQ(errorLines(*w), 1) << "only the missing module itself";
        EXPECT_EQ(count(*w, [](const std::string& m) { return m == "Downloading Cam0006.omd"; }),
                  1);
        EXPECT_FALSE(w->session().connected());
        EXPECT_TRUE(userModuleFiles().isEmpty());
        EXPECT_TRUE(w->controls().images.ProgressBar->isHidden());
    }
}

// Two connects while the module is missing queue two downloads; the second
// starts only after the first has ended and the queue's timer has run. A
// click on the About panel meanwhile does nothing; one made as the first
// download ends waits its turn instead of starting that download again.
TEST_F(WebRequestsTest, RequestsRunOneAtATimeAfterTheTimer) {
    serveModule();
    servePhoto(Qt::red);
    startServer();
    auto w = window(m_server.base());
    HtmlQueue& queue = w->webRequests().queue();
    QTimer& hop = *w->controls().timers.tHTMLQueue;
    std::vector<std::string> steps;
    int turn = 0;
    QObject::connect(&queue, &HtmlQueue::requestStarted, [&](const HtmlRequest& r) {
        steps.push_back(QUrl(r.url).path().toStdString() + " turn " + std::to_string(turn));
    });
    QObject::connect(&queue, &HtmlQueue::requestEnded, [&] {
        steps.push_back("ended, " + std::to_string(queue.size()) + " queued" +
                        (hop.isActive() ? ", timer armed" : ""));
        if (steps.size() == 2) {
            w->webRequests().pAboutClick();
        }
    });
    w->controls().pages.PageControl->setCurrentIndex(static_cast<int>(Page::About));
    // Connect is pressed twice before anything arrives.
    w->connection().bDSLRConnectClick();
    w->connection().bDSLRConnectClick();
    EXPECT_EQ(queue.size(), 2u);
    QTest::mouseClick(w->controls().about.pAbout, Qt::LeftButton);
    EXPECT_EQ(queue.size(), 2u) << "no photo while a module downloads";

    ASSERT_TRUE(waitFor([&] {
        ++turn;
        return steps.size() == 6 && idle(*w) && !w->webRequests().photoSwap().running();
    }));
    ASSERT_EQ(steps.size(), 6u);
    EXPECT_EQ(steps[0], "/down/Cam0006.omd turn 0");
    EXPECT_EQ(steps[1], "ended, 2 queued, timer armed"); // then the photo is asked for
    EXPECT_EQ(steps[2].rfind("/down/Cam0006.omd turn ", 0), 0u);
    EXPECT_NE(steps[2], steps[0]) << "started in a later turn of the event loop";
    EXPECT_EQ(steps[3], "ended, 2 queued, timer armed");
    EXPECT_EQ(steps[4].rfind("/getpic.php turn ", 0), 0u);
    EXPECT_EQ(steps[5], "ended, 1 queued, timer armed");
    // The first download's retry connected; the second's found it open.
    EXPECT_TRUE(w->session().connected());
    EXPECT_EQ(errorLines(*w), 2);
}

TEST_F(WebRequestsTest, AboutPhotoIsSwappedInStepsOrKeptWhenNoneArrives) {
    EXPECT_EQ(aboutlayout::photoStep(10), QRect(25, 25, 154, 154));
    EXPECT_EQ(aboutlayout::photoStep(5), QRect(62, 62, 79, 79)); // 3750 / 100 + 25
    EXPECT_EQ(aboutlayout::photoStep(1), QRect(92, 92, 19, 19)); // 6750 / 100 + 25
    servePhoto(QColor(20, 200, 40));
    startServer();
    auto w = window(m_server.base());
    const AboutPageControls& about = w->controls().about;
    const qint64 original = about.iPhoto->pixmap().cacheKey();
    std::vector<int> sides;
    struct SideRecorder : QObject {
        std::vector<int>& sides;
        explicit SideRecorder(std::vector<int>& s) : sides(s) {}
        bool eventFilter(QObject* o, QEvent* e) override {
            if (e->type() == QEvent::Resize) {
                sides.push_back(static_cast<QWidget*>(o)->width());
            }
            return false;
        }
    } recorder(sides);
    // Shown, so that each step really resizes the panel.
    w->controls().pages.PageControl->setCurrentIndex(static_cast<int>(Page::About));
    QCoreApplication::processEvents();
    about.pPhoto->installEventFilter(&recorder);

    QTest::mouseClick(about.pAbout, Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return idle(*w) && !w->webRequests().photoSwap().running(); }));
    about.pPhoto->removeEventFilter(&recorder);
    const std::vector<int> expected{139, 124, 109, 94, 79, 64,  49,  34,  19,
                                    34,  49,  64,  79, 94, 109, 124, 139, 154};
    EXPECT_EQ(sides, expected);
    EXPECT_EQ(about.pPhoto->geometry(), QRect(25, 25, 154, 154));
    EXPECT_NE(about.iPhoto->pixmap().cacheKey(), original);
    const QImage shown = about.iPhoto->pixmap().toImage();
    EXPECT_GT(qGreen(shown.pixel(10, 10)), 150);
    EXPECT_EQ(about.pPhoto->frameShadow(), QFrame::Sunken);
    EXPECT_EQ(about.iPhoto->cursor().shape(), Qt::PointingHandCursor);
    const QString folder = w->webRequests().instanceFolder();
    EXPECT_EQ(
        folder,
        tempPath(
            QStringLiteral("run/test_window%1").arg(w->InstanceNo(), 3, 10, QLatin1Char('0'))));
    EXPECT_TRUE(QFile::exists(folder + "/randpic.jpg"));

    // A page instead of a picture: the photo stays, the bevel goes.
    const qint64 swapped = about.iPhoto->pixmap().cacheKey();
    serve("getpic.php", kHtmlPage);
    QTest::mouseClick(about.pAbout, Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return idle(*w); }));
    EXPECT_EQ(about.iPhoto->pixmap().cacheKey(), swapped);
    EXPECT_EQ(about.pPhoto->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(errorLines(*w), 0);

    // Nothing there at all: the old photo stays and the user is told.
    QFile::remove(tempPath("www/getpic.php"));
    QTest::mouseClick(about.pAbout, Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return idle(*w); }));
    EXPECT_EQ(about.iPhoto->pixmap().cacheKey(), swapped);
    EXPECT_TRUE(logged(*w, "ERROR: INTERNET: No internet access"));
    EXPECT_TRUE(w->statusBarPanel().errorShown());
    EXPECT_FALSE(QFile::exists(folder + "/randpic.jpg")) << "the old one went before the request";
}

} // namespace
