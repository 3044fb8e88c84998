#include "images/ImageBrowser.h"

#include "camera/LogSink.h"
#include "images/ImageNaming.h"
#include "widgets/WindowControls.h"
#include "widgets/umEdit.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QValidator>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

// The up-down control counts in 16-bit signed numbers.
constexpr int kStepperLimit = 32767;

class DirectoryDialogs : public DirectoryQuestions {
public:
    explicit DirectoryDialogs(QWidget* parent) : m_parent(parent) {}

    bool askCreate(const QString&) override {
        return QMessageBox::warning(m_parent, QStringLiteral("Vantora"),
                                    QStringLiteral("Directory not exist!\r\nDo you want to "
                                                   "create it?"),
                                    QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    }

    QString chooseDirectory(const QString& start) override {
        return QFileDialog::getExistingDirectory(m_parent, QStringLiteral("Select a directory"),
                                                 start, QFileDialog::ShowDirsOnly);
    }

private:
    QWidget* m_parent;
};

// Takes "/" and NUL out of whatever is typed or pasted: the prefix becomes
// part of a path and must not lead out of the image directory.
class PrefixValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override {
        for (int i = input.size() - 1; i >= 0; --i) {
            if (input[i] == QLatin1Char('/') || input[i] == QChar(0)) {
                input.remove(i, 1);
                pos -= i < pos ? 1 : 0;
            }
        }
        return Acceptable;
    }
};

std::string utf8(const QString& text) {
    return text.toStdString();
}

bool directoryExists(const QString& path) {
    return !path.isEmpty() && QDir(path).exists();
}

} // namespace

std::unique_ptr<DirectoryQuestions> makeDirectoryDialogs(QWidget* parent) {
    return std::make_unique<DirectoryDialogs>(parent);
}

ImageBrowser::ImageBrowser(const ImageGroupControls& controls, NamingState& naming, LogSink& log,
                           std::unique_ptr<DirectoryQuestions> questions, QObject* parent)
    : QObject(parent), m_c(controls), m_naming(naming), m_log(log),
      m_questions(std::move(questions)) {
    m_c.eImgPrefix->setValidator(new PrefixValidator(m_c.eImgPrefix)); // owned by the field
    connectControls();
}

ImageBrowser::~ImageBrowser() = default;

void ImageBrowser::connectControls() {
    m_c.eImageDir->installEventFilter(this);
    m_c.eImgPrefix->installEventFilter(this);
    m_c.lLast->installEventFilter(this);
    m_c.lActImg->installEventFilter(this);
    connect(m_c.bbOpenImageDir, &QToolButton::clicked, this, &ImageBrowser::bbOpenImageDirClick);
    connect(m_c.eImgPrefix, &QLineEdit::textChanged, this, &ImageBrowser::eImgPrefixChange);
    connect(m_c.eImgPrefix, &QLineEdit::returnPressed, this,
            [this] { eImgPrefixKeyPress(Qt::Key_Return); });
    connect(m_c.udActImg, &QSpinBox::valueChanged, this, [this](int position) {
        const int64_t shown = std::min<int64_t>(m_naming.ActImgNo(), kStepperLimit);
        if (position != shown) {
            udActImgClick(position < shown ? -1 : 1);
        }
    });
}

bool ImageBrowser::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::FocusOut && watched == m_c.eImageDir) {
        eImageDirExit();
    } else if (type == QEvent::FocusOut && watched == m_c.eImgPrefix) {
        eImgPrefixExit();
    } else if ((type == QEvent::MouseButtonPress && watched == m_c.lLast) ||
               (type == QEvent::MouseButtonDblClick && watched == m_c.lActImg)) {
        showLastNumber();
    }
    return QObject::eventFilter(watched, event);
}

void ImageBrowser::takePrefixFromField() {
    m_naming.setCurImgPrefix(utf8(m_c.eImgPrefix->text()));
}

void ImageBrowser::activate() {
    if (!m_naming.setCurImgDir(utf8(m_c.eImageDir->text()))) {
        m_c.eImageDir->setText(QString::fromStdString(m_naming.CurImgDir()));
    }
    m_naming.setActImgNo(m_naming.getLastImg());
    RefrImgTypes();
}

QString ImageBrowser::fieldDirectory() const {
    return QString::fromStdString(naming::withTrailingSeparator(utf8(m_c.eImageDir->text())));
}

void ImageBrowser::eImageDirExit() {
    // The question below takes the focus away from the field, which would
    // bring us back here.
    if (m_inDirectoryExit) {
        return;
    }
    m_inDirectoryExit = true;
    const QString text = m_c.eImageDir->text();
    if (text.isEmpty()) {
        // Nothing to go by: the directory in force stays, and the field says so.
        m_c.eImageDir->setText(QString::fromStdString(m_naming.CurImgDir()));
    } else {
        m_c.eImageDir->setText(fieldDirectory());
        if (!directoryExists(m_c.eImageDir->text()) && !offerToCreate(m_c.eImageDir->text())) {
            m_c.eImageDir->setFocus();
        }
        m_naming.setCurImgDir(utf8(m_c.eImageDir->text()));
    }
    m_naming.setActImgNo(m_naming.getLastImg());
    // The indicators belong to the shown number of this directory, not of the last one.
    RefrImgTypes();
    m_inDirectoryExit = false;
}

// False when the user declines; a failed creation is reported.
bool ImageBrowser::offerToCreate(const QString& directory) {
    if (!m_questions->askCreate(directory)) {
        return false;
    }
    std::error_code error;
    std::filesystem::create_directory(std::filesystem::path(utf8(directory)), error);
    if (error) {
        m_log.elog("Directory " + utf8(directory) + " not created: " + error.message());
    }
    return true;
}

void ImageBrowser::bbOpenImageDirClick() {
    const QString current = m_c.eImageDir->text();
    const QString start = directoryExists(current) ? current : QString();
    const QString chosen = m_questions->chooseDirectory(start);
    if (!chosen.isEmpty()) {
        m_c.eImageDir->setText(chosen);
    } else if (!directoryExists(current)) {
        m_c.eImageDir->clear();
    }
    eImageDirExit();
}

void ImageBrowser::eImgPrefixChange() {
    m_naming.setCurImgPrefix(utf8(m_c.eImgPrefix->text()));
    const int64_t last = naming::getLastImg(utf8(fieldDirectory()), m_naming.CurImgPrefix());
    m_naming.setImageCounter(last);
    m_naming.setActImgNo(last);
    showNumber();
}

void ImageBrowser::eImgPrefixExit() {
    m_naming.setActImgNo(m_naming.getLastImg());
    showNumber();
    RefrImgTypes();
}

void ImageBrowser::eImgPrefixKeyPress(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        m_c.udActImg->setFocus();
    }
}

void ImageBrowser::udActImgClick(int step) {
    const int64_t shown = m_naming.ActImgNo();
    const bool canMove = step < 0 ? shown > 1 : shown < m_naming.ImageCounter();
    if (canMove) {
        const naming::ImageFolder folder = naming::ImageFolder::scan(m_naming.CurImgDir());
        const int64_t found =
            folder.FindImgNo(m_naming.CurImgPrefix(), shown, step, m_naming.ImageCounter());
        if (found > 0) {
            m_naming.setActImgNo(found);
        }
    }
    RefrImgTypes();
}

void ImageBrowser::showLastNumber() {
    m_naming.setActImgNo(m_naming.ImageCounter());
    RefrImgTypes();
}

void ImageBrowser::showNumber() {
    m_c.lActImg->setText(
        QString::fromStdString(naming::ZeroPad(m_naming.ActImgNo(), naming::kNumberWidth)));
}

void ImageBrowser::RefrImgTypes() {
    const naming::ImageFolder folder = naming::ImageFolder::scan(m_naming.CurImgDir());
    const std::string& prefix = m_naming.CurImgPrefix();
    const int64_t shown = m_naming.ActImgNo();
    QCheckBox* const boxes[] = {m_c.chJPG, m_c.chORW, m_c.chTIF, m_c.chMOV};
    for (std::size_t i = 0; i < naming::shownExtensions().size(); ++i) {
        boxes[i]->setChecked(folder.find(prefix, shown, naming::shownExtensions()[i]) != nullptr);
    }
    m_c.bViewJPG->setEnabled(m_c.chJPG->isChecked());
    showNumber();
    const QSignalBlocker blocker(m_c.udActImg);
    m_c.udActImg->setRange(
        1, static_cast<int>(std::clamp<int64_t>(m_naming.ImageCounter(), 1, kStepperLimit)));
    m_c.udActImg->setValue(static_cast<int>(std::clamp<int64_t>(shown, 1, kStepperLimit)));
}

QString ImageBrowser::shownJpeg() const {
    const naming::ImageFolder folder = naming::ImageFolder::scan(m_naming.CurImgDir());
    const std::string& prefix = m_naming.CurImgPrefix();
    const std::string* name = folder.find(prefix, m_naming.ActImgNo(), ".jpg");
    return name ? QString::fromStdString(m_naming.CurImgDir() + *name) : QString();
}
