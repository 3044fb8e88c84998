#include "app/window/PreviewGroupBuilder.h"

#include "app/window/AidsRowBuilder.h"
#include "app/window/MainPageGeometry.h"
#include "app/window/WidgetFactory.h"
#include "widgets/ImageView.h"
#include "widgets/NumEdit.h"
#include "widgets/PaintBox.h"

using widgets::make;
using widgets::makeList;

namespace mainpage {
namespace {

constexpr int kTop = 18;
constexpr int kControlPanelHeight = 54;
constexpr int kLiveViewHeight = 426;

void buildLiveViewPanelControls(QWidget* panel, LiveViewControls& lv, FocusControls& f) {
    lv.lImageInfo = make<QLabel>(panel, "lImageInfo", QRect(0, 4, 102, 17));
    lv.lLVtime = make<QLabel>(panel, "lLVtime", QRect(104, 4, 52, 17), "Remaining live view time");
    lv.lLVtime->setText(QStringLiteral("0:00:00"));
    f.cbLVzoom = make<QComboBox>(panel, "cbLVzoom", QRect(158, 2, 64, 22), "LiveView zoom");
    f.cbLVAF = makeList(panel, "cbLVAF", QRect(224, 2, 110, 22), "LiveView AF area mode",
                        {"Face priority", "Wide area", "Normal area", "Tracking"}, 0);
    lv.cbLVExpoPreview =
        make<QCheckBox>(panel, "cbLVExpoPreview", QRect(336, 4, 108, 18), "LV exposure preview");
    lv.cbLVExpoPreview->setText(QStringLiteral("Exp. preview"));
    // On the second row, beside the movie settings: the first row leaves it
    // no room in a window of the default width.
    f.iContrastAF = make<PaintBox>(panel, "iContrastAF", QRect(336, 30, 223, 17),
                                   "Click here to manual focus\r\nRight button: fine\r\n"
                                   "Left button: fast");
}

void buildMovieSettings(QWidget* panel, MovieControls& m) {
    constexpr int kRowTop = 28;
    m.cbMovieSize =
        makeList(panel, "cbMovieSize", QRect(0, kRowTop, 144, 22), "Movie size",
                 {"1920x1080 30fps", "1920x1080 25fps", "1920x1080 24fps", "1280x720 60fps",
                  "1280x720 50fps", "1280x720 30fps", "1280x720 25fps"},
                 0);
    m.cbMovieQuality = makeList(panel, "cbMovieQuality", QRect(148, kRowTop, 40, 22),
                                "Movie Quality\r\nN:normal\r\nH:High quality", {"N", "H"}, 0);
    m.cbMicLevelType = makeList(panel, "cbMicLevelType", QRect(192, kRowTop, 77, 22),
                                "Microphone level setting", {"Auto", "Off", "Manual"}, 2);
    m.ieMicLevel =
        make<TIntEdit>(panel, "ieMicLevel", QRect(273, kRowTop, TIntEdit::kDefaultWidth, 22),
                       "Microphone level manual setting");
    m.ieMicLevel->setReadOnly(true);
    m.ieMicLevel->setMaxLength(2);
    m.ieMicLevel->setValue(1);
    m.udMicLevel = make<QSpinBox>(panel, "udMicLevel", QRect(307, kRowTop, 18, 22));
    m.udMicLevel->setRange(1, 20);
    m.udMicLevel->setValue(1);
    m.udMicLevel->setEnabled(false);
}

} // namespace

void buildPreviewGroup(QWidget* page, WindowControls& controls) {
    LiveViewControls& lv = controls.liveView;
    lv.gbPreview =
        make<QGroupBox>(page, "gbPreview", QRect(kPreviewGroupLeft, kCameraGroupTop, 660, 560));
    lv.gbPreview->setTitle(QStringLiteral("Preview"));
    lv.pbLiveView = make<PaintBox>(lv.gbPreview, "pbLiveView",
                                   QRect(kLiveViewLeft, kTop, kLiveViewWidth, kLiveViewHeight));
    lv.pbLiveView->hide();
    lv.pbLV = make<PaintBox>(lv.gbPreview, "pbLV",
                             QRect(kLiveViewLeft + kLiveViewWidth, kTop, 8, kLiveViewHeight));
    lv.Image = make<ImageView>(lv.gbPreview, "Image",
                               QRect(kLiveViewLeft, kTop, kLiveViewWidth, kLiveViewHeight));
    lv.pLiveviewCtrl = make<QWidget>(
        lv.gbPreview, "pLiveviewCtrl",
        QRect(kLiveViewLeft, kTop + kLiveViewHeight + 4, kLiveViewWidth + 30, kControlPanelHeight));
    buildLiveViewPanelControls(lv.pLiveviewCtrl, lv, controls.focus);
    buildMovieSettings(lv.pLiveviewCtrl, controls.movie);
    lv.pLiveviewCtrl->hide();
    buildAidsRow(lv.gbPreview, controls.aids);
}

void layoutPreviewGroup(const LiveViewControls& lv, const LiveViewAidControls& aids) {
    const QRect area = lv.gbPreview->contentsRect();
    const int imageHeight = std::max(0, lv.gbPreview->height() - kTop - kControlPanelHeight - 8);
    lv.Image->setGeometry(kLiveViewLeft, kTop,
                          std::max(0, lv.gbPreview->width() - 2 * kLiveViewLeft), imageHeight);
    lv.pLiveviewCtrl->move(kLiveViewLeft, kTop + imageHeight + 4);
    // Between the live image and its control panel, where the centred
    // image leaves room.
    aids.pAids->move(kLiveViewLeft, kTop + imageHeight + 4 - kAidsRowHeight - 2);
    const int navigatorWidth =
        std::max(0, area.right() + 1 - lv.pbLiveView->x() - lv.pbLiveView->width());
    lv.pbLV->resize(navigatorWidth, lv.pbLV->height());
}

} // namespace mainpage
