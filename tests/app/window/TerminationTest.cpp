// A termination request (SIGTERM, SIGINT) closes the window the ordinary
// way, and the signal handlers that were there before come back.
#include "WindowTestSupport.h"
#include "app/TerminationSignals.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QSettings>

#include <gtest/gtest.h>

#include <csignal>

namespace {

constexpr int kCloseLimit_ms = 5000;

volatile std::sig_atomic_t g_seen = 0;

extern "C" void recordSignal(int signalNumber) {
    g_seen = signalNumber;
}

using TerminationTest = WindowTest;

TEST_F(TerminationTest, SigtermClosesTheWindowAndTheSettingsAreWritten) {
    auto window = makeWindow();
    start(*window);
    TerminationSignals termination;
    ASSERT_TRUE(termination.handling());
    QObject::connect(&termination, &TerminationSignals::received, window.get(), &QWidget::close);
    ASSERT_FALSE(QFileInfo::exists(settingsFile()));

    std::raise(SIGTERM);
    const QDeadlineTimer limit(kCloseLimit_ms);
    while (window->isVisible() && !limit.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }

    EXPECT_FALSE(window->isVisible());
    ASSERT_TRUE(QFileInfo::exists(settingsFile()));
    EXPECT_EQ(QSettings(settingsFile(), QSettings::IniFormat).value("ImgPrefix").toString(),
              "Image_");
    // A second request would take the previous way.
    EXPECT_FALSE(termination.handling());
}

TEST(TerminationSignalsTest, ThePreviousHandlersComeBack) {
    struct sigaction record {};
    record.sa_handler = recordSignal;
    sigemptyset(&record.sa_mask);
    struct sigaction original {};
    sigaction(SIGINT, &record, &original);
    struct sigaction during {};
    {
        TerminationSignals termination;
        sigaction(SIGINT, nullptr, &during);
    }
    struct sigaction after {};
    sigaction(SIGINT, nullptr, &after);
    g_seen = 0;
    std::raise(SIGINT);
    sigaction(SIGINT, &original, nullptr);

    EXPECT_NE(during.sa_handler, recordSignal);
    EXPECT_EQ(after.sa_handler, recordSignal);
    EXPECT_EQ(g_seen, SIGINT);
}

} // namespace
