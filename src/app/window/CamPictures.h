#pragma once
// The photograph and name logo of the camera model chosen in the camera
// list, shown in the "Camera control" group, plus the identity labels of the
// "Info" page that follow the same choice.
#include "session/CameraIdentity.h"

#include <QString>
#include <QStringList>

class QComboBox;
class QLabel;
class QWidget;

// The controls the pictures and identity texts go to (not owned).
struct CamPictureControls {
    QLabel* iCamPic = nullptr;
    QLabel* iCamLogo = nullptr;
    QLabel* lAvailable = nullptr;
    QLabel* lConnectCam = nullptr;
    QLabel* lCamNameVal = nullptr;
    QLabel* lCamSerialVal = nullptr;
    QLabel* lCamFirmwareVal = nullptr;
    const QWidget* pLiveView = nullptr;
    const QComboBox* cbDSLR = nullptr;
};

class CamPictures {
public:
    // Models with their own pictures, "|"-separated with "|" at both ends.
    static constexpr const char* kModelList =
        "|Y3|Y3S|Y3X|Y4|Y90|Y300|Y300S|Y700|Y800|Y800E|Y5000|Y5100|Y7000|";
    static constexpr const char* kNoCamera = "nocam";

    CamPictures(CamPictureControls controls, CameraIdentityReader identityReader);

    // Every model of kModelList, in list order.
    static QStringList modelNames();
    static bool isKnownModel(const QString& name);
    // The picture key for a camera list entry: the name itself, or "nocam".
    static QString pictureKey(const QString& name);
    // Resource paths of the photograph and the logo for a picture key.
    static QString photoResource(const QString& key);
    static QString logoResource(const QString& key);

    // Shows the pictures for a camera list entry; empty: no camera.
    void LoadCamPics(const QString& name);
    // true while no camera connection is open, false while one is.
    void ShowCamPics(bool show);

    // Serial (first seven characters) and firmware of the last lookup.
    const QString& serialText() const { return m_serial; }
    const QString& firmwareText() const { return m_firmware; }

private:
    void showPicture(QLabel* label, const QString& resource, bool centred);
    void centre(QWidget* widget) const;
    void refreshIdentity(const QString& name);

    CamPictureControls m_controls;
    CameraIdentityReader m_identityReader;
    QString m_serial;
    QString m_firmware;
};
