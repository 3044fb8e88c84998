#include "ConnectionTestSupport.h"

#include "app/window/CameraGroupBuilder.h"
#include "app/window/FixedLists.h"
#include "app/window/ImageGroupBuilder.h"
#include "app/window/InfoPage.h"
#include "app/window/PreviewGroupBuilder.h"
#include "log/LogLine.h"

#include <QDir>
#include <QSignalBlocker>

namespace {

// Text with bold runs marked, from the first character after the stamp.
std::string withBold(const LogLine& line) {
    const size_t textStart = line.plain.find(": ") + 2;
    std::string out;
    bool bold = false;
    for (size_t r = 0; r < line.runs.size(); ++r) {
        const size_t start = static_cast<size_t>(line.runs[r].start);
        const size_t end = r + 1 < line.runs.size() ? static_cast<size_t>(line.runs[r + 1].start)
                                                    : line.plain.size();
        if (end <= textStart) {
            continue;
        }
        if (line.runs[r].style.bold != bold) {
            bold = line.runs[r].style.bold;
            out += bold ? "<b>" : "</b>";
        }
        out += line.plain.substr(std::max(start, textStart), end - std::max(start, textStart));
    }
    return bold ? out + "</b>" : out;
}

} // namespace

ConnectionControls::ConnectionControls() : root(std::make_unique<QWidget>()) {
    // The window's own builders, so the connection meets the controls as
    // the program has them; the colour temperatures come at window creation.
    mainpage::buildCameraGroup(root.get(), *this);
    mainpage::buildPreviewGroup(root.get(), *this);
    mainpage::buildImageGroup(root.get(), *this);
    infopage::buildInfoPage(root.get(), info);
    shooting.cbColorTemp->addItems(fixedlists::colorTemperatureItems());
    shooting.cbColorTemp->setCurrentIndex(-1);
}

void ConnectionTest::SetUp() {
    messages = std::make_unique<ObservedLog>();
    messages->mirror().setStderrEnabled(false);
    messages->setBeep([this] { ++beeps; });
    m_clock.setTimeOfDay(12, 34, 56);
    messages->setClock(m_clock);
    messages->setLogAllEvents([this] { return controls.camera.chLogAllDSLR->isChecked(); });
    link = std::make_unique<CameraLink>(messages.get());
    link->setClock(m_clock);
    link->setWaitLimit(std::chrono::milliseconds(2000));
    session = std::make_unique<CameraSession>(*link);
    auto downloadModule = [this](const QString& file) {
        queue.AddHTMLque(
            ModuleFileRequest(QStringLiteral("http://downloads.test/"), file, QDir::currentPath()));
        return true;
    };
    connection = std::make_unique<CameraConnection>(ConnectionContext{
        controls.camera, controls.shooting, controls.focus, controls.liveView, controls.movie,
        controls.info, *session, *messages, host, downloadModule});
    // The AF point follows the settings as the window wires it.
    focusPoint = std::make_unique<FocusPointDisplay>(controls.focus.iFocus,
                                                     controls.focus.iContrastAF, *session);
    QObject::connect(connection.get(), &CameraConnection::settingsRead,
                     [this] { focusPoint->cameraSettingsRead(); });
    messages->setErrorCodeReset([this] { connection->setPendingErrorCode(0); });
}

void ConnectionTest::TearDown() {
    focusPoint.reset();
    connection.reset();
    session.reset();
    link.reset();
    messages.reset();
}

void ConnectionTest::listCameras(const std::vector<std::string>& models, int selected) {
    QComboBox* selector = controls.camera.cbDSLR;
    const QSignalBlocker blocker(selector);
    selector->clear();
    for (const std::string& model : models) {
        selector->addItem(QString::fromStdString(model));
    }
    selector->setCurrentIndex(selected);
    // Detection enables Start once it has listed a camera, and the pictures
    // show it as available.
    controls.camera.bDSLRConnect->setEnabled(!models.empty());
    controls.camera.lAvailable->setVisible(!models.empty());
}

int ConnectionTest::connectTo(const std::string& model) {
    const int camera = vsim::SimControl::attach(model);
    EXPECT_GT(camera, 0);
    listCameras({model});
    connection->bDSLRConnectClick();
    return camera;
}

std::vector<std::string> ConnectionTest::logTexts() const {
    std::vector<std::string> texts;
    for (const LogLine& line : messages->lines()) {
        texts.push_back(withBold(line));
    }
    return texts;
}

bool ConnectionTest::logHas(const std::string& text) const {
    return logIndex(text) >= 0;
}

int ConnectionTest::logIndex(const std::string& text) const {
    const std::vector<std::string> texts = logTexts();
    for (size_t i = 0; i < texts.size(); ++i) {
        if (texts[i] == text) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::vector<std::string> ConnectionTest::errorTexts() const {
    std::vector<std::string> texts;
    for (const LogLine& line : messages->lines()) {
        if (line.error) {
            const std::string plain = line.plain;
            const std::string marker = "ERROR: ";
            const size_t at = plain.find(marker);
            texts.push_back(at == std::string::npos ? plain : plain.substr(at + marker.size()));
        }
    }
    return texts;
}
