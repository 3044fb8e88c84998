#include "app/window/InfoPage.h"

#include "app/window/WidgetFactory.h"

using widgets::make;

namespace infopage {
namespace {

constexpr int kInfoWidth = 329;
constexpr int kTextsTop = 150;
constexpr int kRowHeight = 20;
constexpr int kValueLeft = 90;

QLabel* makeRow(QGroupBox* group, int row, const char* caption, const char* valueName) {
    const int top = 20 + row * kRowHeight;
    auto* label = make<QLabel>(group, "", QRect(8, top, kValueLeft - 12, 17));
    label->setText(QString::fromUtf8(caption));
    auto* value =
        make<QLabel>(group, valueName, QRect(kValueLeft, top, kInfoWidth - kValueLeft - 8, 17));
    QFont bold = value->font();
    bold.setBold(true);
    value->setFont(bold);
    return value;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QRect& geometry,
                        const char* caption) {
    auto* button = make<QPushButton>(parent, name, geometry);
    button->setText(QString::fromUtf8(caption));
    return button;
}

void buildIdentity(QGroupBox* group, InfoPageControls& c) {
    c.lCamNameVal = makeRow(group, 0, "Camera:", "lCamNameVal");
    c.lCamNameVal->resize(120, 17);
    c.lLensNameVal = make<QLabel>(group, "lLensNameVal", QRect(220, 20, 100, 17));
    c.lCamSerialVal = makeRow(group, 1, "Serial:", "lCamSerialVal");
    c.lCamFirmwareVal = makeRow(group, 2, "Firmware:", "lCamFirmwareVal");
    c.lCamTimeVal = makeRow(group, 3, "Camera time:", "lCamTimeVal");
    c.lPCTimeVal = makeRow(group, 4, "PC time:", "lPCTimeVal");
    c.bAdjustTime = makeButton(group, "bAdjustTime",
                               QRect(kValueLeft, 20 + 5 * kRowHeight + 2, 75, 23), "Adjust");
    c.bAdjustTime->setToolTip(QStringLiteral("Set the camera clock from the computer clock"));
    c.bAdjustTime->setEnabled(false);
}

void buildTexts(QGroupBox* info, InfoPageControls& c) {
    c.gbTexts = make<QGroupBox>(info, "gbTexts", QRect(4, kTextsTop, kInfoWidth - 8, 45));
    c.gbTexts->setTitle(QStringLiteral("Camera texts"));
    c.bSaveToCam = makeButton(c.gbTexts, "bSaveToCam", QRect(152, 16, 100, 23), "Save to camera");
    c.bRefresh = makeButton(c.gbTexts, "bRefresh", QRect(8, 16, 60, 23), "Refresh");
    c.bRefresh->hide();
    c.Button2 = makeButton(c.gbTexts, "Button2", QRect(72, 16, 60, 23), "Refresh");
    c.Button2->hide();
    c.gbTexts->hide();
}

void buildManualLens(QGroupBox* info, InfoPageControls& c) {
    c.gbManualLens = make<QGroupBox>(info, "gbManualLens", QRect(kInfoWidth, 16, 181, 273));
    c.gbManualLens->setTitle(QStringLiteral("Non CPU lens data"));
    c.bSaveManualLens =
        makeButton(c.gbManualLens, "bSaveManualLens", QRect(28, 242, 100, 23), "Save to camera");
    c.gbManualLens->hide();
}

} // namespace

void buildInfoPage(QWidget* page, InfoPageControls& controls) {
    controls.gbInfo = make<QGroupBox>(page, "gbInfo", QRect(4, 4, kInfoWidth, 560));
    controls.gbInfo->setTitle(QStringLiteral("Camera"));
    buildIdentity(controls.gbInfo, controls);
    buildTexts(controls.gbInfo, controls);
    buildManualLens(controls.gbInfo, controls);
}

void layoutInfoPage(const InfoPageControls& c) {
    constexpr int kBottomGap = 29;
    c.bSaveToCam->move(c.bSaveToCam->x(), c.gbTexts->height() - kBottomGap);
    c.bSaveManualLens->move(c.bSaveManualLens->x(), c.gbManualLens->height() - kBottomGap - 2);
    const QWidget* page = c.gbInfo->parentWidget();
    c.gbInfo->resize(c.gbInfo->width(), std::max(0, page->height() - 8));
}

} // namespace infopage
