// The tethering run in-process, where the test can act on the simulated
// camera's body: a picture taken on the camera lands without a sequence,
// and unplugging the camera ends the run cleanly.
#include "tether/TetherRun.h"
#include "VantoraTest.h"
#include "log/LogModel.h"
#include "simulated/SimulatedDeviceBackend.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

class TetherRunTest : public VantoraTest {
protected:
    ~TetherRunTest() override {
        m_run.reset();
        if (m_lines) {
            std::fclose(m_lines);
        }
        std::free(m_buffer);
    }

    void startRun() {
        m_lines = open_memstream(&m_buffer, &m_size);
        TetherSettings settings;
        settings.directory = tempPath(QStringLiteral("shoot"));
        m_run = std::make_unique<TetherRun>(settings, std::make_unique<SimulatedDeviceBackend>(),
                                            m_lines);
        QObject::connect(m_run.get(), &TetherRun::finished, [this](int code) { m_exit = code; });
        ASSERT_TRUE(m_run->start());
    }

    // Runs the event loop until `done` or a generous limit.
    template <typename Done> bool waitFor(Done done) {
        QDeadlineTimer deadline(20000);
        while (!done() && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return done();
    }

    std::string printed() {
        std::fflush(m_lines);
        return std::string(m_buffer, m_size);
    }

    std::unique_ptr<TetherRun> m_run;
    std::FILE* m_lines = nullptr;
    char* m_buffer = nullptr;
    std::size_t m_size = 0;
    std::optional<int> m_exit;
};

TEST_F(TetherRunTest, APictureTakenOnTheCameraLandsAndUnpluggingEndsTheRun) {
    const int camera = vsim::SimControl::attach("Y800");
    startRun();
    ASSERT_TRUE(vsim::SimControl::pressShutter(camera));
    const std::string expected = QDir(tempPath(QStringLiteral("shoot")))
                                     .filePath(QStringLiteral("Image_00001.jpg"))
                                     .toStdString() +
                                 "\n";
    ASSERT_TRUE(waitFor([&] { return printed() == expected; })) << printed();

    ASSERT_TRUE(vsim::SimControl::detach(camera));
    ASSERT_TRUE(waitFor([&] { return m_exit.has_value(); }));
    EXPECT_EQ(*m_exit, 0);
    const std::vector<LogLine>& lines = m_run->log().lines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const LogLine& line) {
        return line.plain.find("CAMERA Y800 control stopped.") != std::string::npos;
    }));
}

} // namespace
