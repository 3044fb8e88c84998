#include "app/window/WindowSettings.h"

#include "app/window/MainWindowSize.h"

#include "images/ImageNaming.h"
#include "widgets/umEdit.h"

#include <QWidget>

#include <algorithm>

namespace windowsettings {

void applyPlacement(QWidget& window, const AppSettings& settings) {
    if (settings.height) {
        window.resize(window.width(),
                      std::min(*settings.height, availableScreenSize(window).height()));
    }
    if (settings.top) {
        window.move(window.x(), *settings.top);
    }
    if (settings.left) {
        window.move(*settings.left, window.y());
    }
    window.setWindowState(windowStateFromSaved(settings.windowState));
    window.update();
}

void applyCameraChoices(const AppSettings& settings, CameraGroupControls& camera,
                        ImageGroupControls& images) {
    camera.chLogAllDSLR->setChecked(settings.logAllDslr);
    camera.chDSLRAutoConnect->setChecked(settings.dslrAutoConnect);
    // The prefix is glued into a path: a stored "/" must not lead elsewhere.
    images.eImgPrefix->setText(
        QString::fromStdString(naming::cleanPrefix(settings.imgPrefix.toStdString())));
}

void applyImageChoices(const AppSettings& settings, ImageGroupControls& images) {
    images.eImageDir->setText(settings.imgDir);
    images.sbPreview->setChecked(settings.preview);
    images.chCloseImage->setChecked(settings.closePreview);
}

AppSettings collect(Qt::WindowStates state, const QRect& placement, const PageWidths& widths,
                    const WindowControls& controls) {
    AppSettings settings;
    settings.previewWidth = widths.previewWidth;
    settings.pagesWidth = widths.pagesWidth;
    settings.logAllDslr = controls.camera.chLogAllDSLR->isChecked();
    settings.dslrAutoConnect = controls.camera.chDSLRAutoConnect->isChecked();
    settings.imgPrefix = controls.images.eImgPrefix->text();
    settings.imgDir = controls.images.eImageDir->text();
    settings.preview = controls.images.sbPreview->isChecked();
    settings.closePreview = controls.images.chCloseImage->isChecked();
    return withWindowPlacement(settings, state, placement);
}

} // namespace windowsettings
