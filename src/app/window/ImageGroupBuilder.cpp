#include "app/window/ImageGroupBuilder.h"

#include "app/window/MainPageGeometry.h"
#include "app/window/WidgetFactory.h"
#include "app/window/WindowLayoutRules.h"
#include "widgets/umEdit.h"

#include <QStyle>

using widgets::make;

namespace mainpage {
namespace {

QCheckBox* makeIndicator(QWidget* parent, const char* name, int left, int width,
                         const char* caption) {
    auto* box = make<QCheckBox>(parent, name, QRect(left, 72, width, 18));
    box->setText(QString::fromUtf8(caption));
    box->setEnabled(false);
    return box;
}

void buildDirectoryRow(QGroupBox* group, ImageGroupControls& g) {
    g.eImageDir = make<QLineEdit>(group, "eImageDir", QRect(8, 18, 226, 22), "Image directory");
    g.eImageDir->setMaxLength(200);
    g.bbOpenImageDir =
        make<QToolButton>(group, "bbOpenImageDir", QRect(236, 18, 24, 22), "Choose directory");
    g.bbOpenImageDir->setIcon(group->style()->standardIcon(QStyle::SP_DirOpenIcon));
}

void buildNumberRow(QGroupBox* group, ImageGroupControls& g) {
    g.lLast = make<QLabel>(group, "lLast", QRect(8, 46, 42, 17), "Show the last image number");
    g.lLast->setText(QStringLiteral("Prefix:"));
    g.eImgPrefix = make<TumEdit>(group, "eImgPrefix", QRect(50, 44, 110, 22), "Image prefix");
    g.eImgPrefix->setAlignment(Qt::AlignRight);
    g.eImgPrefix->setMaxLength(30);
    QFont bold = g.eImgPrefix->font();
    bold.setBold(true);
    g.eImgPrefix->setFont(bold);
    g.eImgPrefix->setText(QStringLiteral("Image_"));
    g.lActImg = make<QLabel>(group, "lActImg", QRect(164, 46, 48, 17), "Image number");
    g.lActImg->setFont(bold);
    g.lActImg->setText(QStringLiteral("00000"));
    g.udActImg = make<QSpinBox>(group, "udActImg", QRect(214, 44, 46, 22));
    g.udActImg->setMinimum(1);
}

void buildTypeRow(QGroupBox* group, ImageGroupControls& g) {
    // Each box as wide as its caption needs, so that none runs into the next.
    g.chJPG = makeIndicator(group, "chJPG", 8, 47, "JPG");
    g.chORW = makeIndicator(group, "chORW", 55, 57, "ORW");
    g.chTIF = makeIndicator(group, "chTIF", 112, 45, "TIF");
    g.chMOV = makeIndicator(group, "chMOV", 157, 56, "MOV");
    g.bViewJPG = make<QPushButton>(group, "bViewJPG", QRect(214, 70, 46, 22), "View the JPEG");
    g.bViewJPG->setText(QStringLiteral("View"));
    g.bViewJPG->setEnabled(false);
}

void buildPreviewRow(QGroupBox* group, ImageGroupControls& g) {
    g.sbPreview =
        make<QToolButton>(group, "sbPreview", QRect(8, 98, 70, 22), "Toggle preview window");
    g.sbPreview->setText(QStringLiteral("Preview"));
    g.sbPreview->setCheckable(true);
    g.sbPreview->setChecked(true);
    g.chCloseImage = make<QCheckBox>(group, "chCloseImage", QRect(82, 100, 134, 18));
    g.chCloseImage->setText(QStringLiteral("Close after 5 sec"));
    g.ProgressBar = make<QProgressBar>(group, "ProgressBar", QRect(218, 102, 42, 14));
    g.ProgressBar->setRange(0, 100);
    g.ProgressBar->setTextVisible(false);
    g.ProgressBar->hide();
}

} // namespace

void buildImageGroup(QWidget* page, WindowControls& controls) {
    ImageGroupControls& g = controls.images;
    g.gbImage = make<QGroupBox>(
        page, "gbImage",
        QRect(kCameraGroupLeft, kCameraGroupTop + WindowLayoutRules::kShortGroupHeight + kGroupGap,
              kCameraGroupWidth, kImageGroupHeight));
    g.gbImage->setTitle(QStringLiteral("Images"));
    buildDirectoryRow(g.gbImage, g);
    buildNumberRow(g.gbImage, g);
    buildTypeRow(g.gbImage, g);
    buildPreviewRow(g.gbImage, g);
}

} // namespace mainpage
