#include "app/window/CamPictures.h"

#include "app/window/MainPageGeometry.h"
#include "widgets/CameraOrdinal.h"

#include <QComboBox>
#include <QLabel>
#include <QPixmap>

namespace {

constexpr int kNoCameraLogoLeft = 10;
constexpr int kSerialLength = 7;

} // namespace

CamPictures::CamPictures(CamPictureControls controls, CameraIdentityReader identityReader)
    : m_controls(controls), m_identityReader(std::move(identityReader)) {}

QStringList CamPictures::modelNames() {
    return QString::fromLatin1(kModelList).split(QLatin1Char('|'), Qt::SkipEmptyParts);
}

// A name holding the separator would match across two list entries and
// point at a picture that does not exist.
bool CamPictures::isKnownModel(const QString& name) {
    return !name.isEmpty() && !name.contains(QLatin1Char('|')) &&
           QString::fromLatin1(kModelList)
               .contains(QLatin1Char('|') + name + QLatin1Char('|'), Qt::CaseSensitive);
}

QString CamPictures::pictureKey(const QString& name) {
    return isKnownModel(name) ? name : QString::fromLatin1(kNoCamera);
}

// Picture names are matched without regard to case; the files carry upper case.
QString CamPictures::photoResource(const QString& key) {
    return QStringLiteral(":/models/") + key.toUpper() + QStringLiteral(".jpg");
}

QString CamPictures::logoResource(const QString& key) {
    return QStringLiteral(":/models/") + key.toUpper() + QStringLiteral("LOGO.jpg");
}

void CamPictures::LoadCamPics(const QString& name) {
    const bool hasCamera = !name.isEmpty();
    m_controls.lAvailable->setVisible(hasCamera);
    m_controls.lConnectCam->setVisible(!hasCamera);
    const QString key = pictureKey(name);
    const bool model = key != QLatin1String(kNoCamera);
    showPicture(m_controls.iCamLogo, logoResource(key), model);
    if (!model) {
        m_controls.iCamLogo->move(kNoCameraLogoLeft, m_controls.iCamLogo->y());
    }
    showPicture(m_controls.iCamPic, photoResource(key), true);
    centre(m_controls.lConnectCam);
    // An unknown model still names itself on the Info page; only "no camera"
    // leaves those labels as they were.
    if (hasCamera) {
        refreshIdentity(name);
    }
}

void CamPictures::ShowCamPics(bool show) {
    m_controls.iCamPic->setVisible(show);
    m_controls.lAvailable->setVisible(show);
    const int top =
        show ? mainpage::kLogoTopIdle : m_controls.pLiveView->y() + mainpage::kLogoBelowLiveView;
    m_controls.iCamLogo->move(m_controls.iCamLogo->x(), top);
}

void CamPictures::showPicture(QLabel* label, const QString& resource, bool centred) {
    label->hide();
    const QPixmap picture(resource);
    label->setPixmap(picture);
    label->resize(picture.size());
    label->show();
    if (centred) {
        centre(label);
    }
}

void CamPictures::centre(QWidget* widget) const {
    const QWidget* parent = widget->parentWidget();
    if (parent == nullptr) {
        return;
    }
    widget->move((parent->width() - widget->width()) / 2 + 1, widget->y());
}

void CamPictures::refreshIdentity(const QString& name) {
    const QComboBox& list = *m_controls.cbDSLR;
    const QString selected = list.currentIndex() >= 0 ? list.currentText() : name;
    const int ordinal = cameraOrdinal(list);
    const CameraIdentity identity =
        m_identityReader ? m_identityReader(selected, ordinal) : CameraIdentity{};
    m_serial = identity.serial.left(kSerialLength);
    m_firmware = identity.firmware;
    m_controls.lCamNameVal->setText(QStringLiteral("Orvel ") + name);
    m_controls.lCamSerialVal->setText(m_serial);
    m_controls.lCamFirmwareVal->setText(m_firmware);
}
