#include "liveview/AidsPanel.h"

#include "liveview/FocusHandlers.h"
#include "liveview/LiveViewAids.h"
#include "widgets/ImageView.h"
#include "widgets/PaintBox.h"

#include <QAction>
#include <QSignalBlocker>

namespace {

int checkedValue(const QActionGroup* group, int fallback) {
    const QAction* action = group->checkedAction();
    return action != nullptr ? action->data().toInt() : fallback;
}

// Checks the entry carrying `value`, else the one carrying `fallback`.
int checkValue(QActionGroup* group, int value, int fallback) {
    for (int wanted : {value, fallback}) {
        for (QAction* action : group->actions()) {
            if (action->data().toInt() == wanted) {
                action->setChecked(true);
                return wanted;
            }
        }
    }
    return fallback;
}

} // namespace

AidsPanel::AidsPanel(Controls controls, LiveViewAids& model, FocusHandlers& focus, QObject* parent)
    : QObject(parent), m_c(controls), m_model(model), m_focus(focus) {
    const LiveViewAidControls& a = m_c.aids;
    for (QToolButton* button :
         {a.sbHistogram, a.sbWaveform, a.sbZebras, a.sbPeaking, a.sbFalseColour, a.sbSpot}) {
        connect(button, &QToolButton::toggled, this, &AidsPanel::settingsChanged);
    }
    for (QActionGroup* group : {a.agGuides, a.agHistogramKind, a.agZebraLevel, a.agShadowLevel,
                                a.agPeakingColour, a.agPeakingThreshold}) {
        connect(group, &QActionGroup::triggered, this, &AidsPanel::settingsChanged);
    }
    connect(a.sbMagnify, &QToolButton::clicked, this, &AidsPanel::sbMagnifyClick);
    PaintBox* image = m_c.liveView.pbLiveView;
    connect(image, &PaintBox::modifiedPress, this, &AidsPanel::pbLiveViewModifiedPress);
    connect(image, &PaintBox::mouseMoved, this, [this](QPoint at) { m_model.setPointer(at); });
    connect(image, &PaintBox::mouseLeft, this, [this] { m_model.setPointer(std::nullopt); });
    connect(m_c.liveView.Image, &ImageView::imageChanged, this, &AidsPanel::showStillHistogram);
    connect(m_c.cbLVzoom, &QComboBox::currentIndexChanged, this, &AidsPanel::zoomChanged);
    connect(m_c.liveView.sbLiveView, &QToolButton::toggled, this, &AidsPanel::liveViewToggled);
    liveViewToggled(m_c.liveView.sbLiveView->isChecked());
    settingsChanged();
}

AidSettings AidsPanel::settings() const {
    const LiveViewAidControls& a = m_c.aids;
    const AidSettings defaults;
    AidSettings s;
    s.histogram = a.sbHistogram->isChecked();
    s.histogramKind = static_cast<HistogramKind>(
        checkedValue(a.agHistogramKind, static_cast<int>(defaults.histogramKind)));
    s.waveform = a.sbWaveform->isChecked();
    s.zebras = a.sbZebras->isChecked();
    s.zebraLevel = checkedValue(a.agZebraLevel, defaults.zebraLevel);
    s.shadowLevel = checkedValue(a.agShadowLevel, defaults.shadowLevel);
    s.peaking = a.sbPeaking->isChecked();
    s.peakingColour = static_cast<PeakingColour>(
        checkedValue(a.agPeakingColour, static_cast<int>(defaults.peakingColour)));
    s.peakingThreshold = checkedValue(a.agPeakingThreshold, defaults.peakingThreshold);
    s.falseColour = a.sbFalseColour->isChecked();
    s.spot = a.sbSpot->isChecked();
    s.guides = 0;
    for (const QAction* action : a.agGuides->actions()) {
        if (action->isChecked()) {
            s.guides |= action->data().toInt();
        }
    }
    return s;
}

void AidsPanel::applySettings(const AidSettings& s) {
    const LiveViewAidControls& a = m_c.aids;
    const AidSettings defaults;
    {
        const QSignalBlocker blockers[] = {
            QSignalBlocker(a.sbHistogram),   QSignalBlocker(a.sbWaveform),
            QSignalBlocker(a.sbZebras),      QSignalBlocker(a.sbPeaking),
            QSignalBlocker(a.sbFalseColour), QSignalBlocker(a.sbSpot)};
        a.sbHistogram->setChecked(s.histogram);
        a.sbWaveform->setChecked(s.waveform);
        a.sbZebras->setChecked(s.zebras);
        a.sbPeaking->setChecked(s.peaking);
        a.sbFalseColour->setChecked(s.falseColour);
        a.sbSpot->setChecked(s.spot);
    }
    checkValue(a.agHistogramKind, static_cast<int>(s.histogramKind),
               static_cast<int>(defaults.histogramKind));
    checkValue(a.agZebraLevel, s.zebraLevel, defaults.zebraLevel);
    checkValue(a.agShadowLevel, s.shadowLevel, defaults.shadowLevel);
    checkValue(a.agPeakingColour, static_cast<int>(s.peakingColour),
               static_cast<int>(defaults.peakingColour));
    checkValue(a.agPeakingThreshold, s.peakingThreshold, defaults.peakingThreshold);
    for (QAction* action : a.agGuides->actions()) {
        action->setChecked((s.guides & action->data().toInt()) != 0);
    }
    settingsChanged();
}

void AidsPanel::settingsChanged() {
    const AidSettings s = settings();
    m_model.setSettings(s);
    // Moving over the image reports the pointer only while the spot meter
    // needs it.
    m_c.liveView.pbLiveView->setMouseTracking(s.spot);
    if (!s.spot) {
        m_model.setPointer(std::nullopt);
    }
    if (!s.anyOn()) {
        m_c.aids.lAidReadings->clear();
    }
    showStillHistogram();
}

void AidsPanel::showStillHistogram() {
    ImageView* still = m_c.liveView.Image;
    QImage overlay;
    const AidReadings readings = m_model.still(still->image(), overlay);
    still->setOverlay(overlay);
    if (m_c.liveView.pbLiveView->isHidden()) {
        m_c.aids.lAidReadings->setText(AidReadingsText(readings));
    }
}

int AidsPanel::fullSizeZoomIndex() const {
    return m_c.cbLVzoom->findText(QStringLiteral("100"), Qt::MatchStartsWith);
}

void AidsPanel::sbMagnifyClick() {
    QToolButton* button = m_c.aids.sbMagnify;
    const int full = fullSizeZoomIndex();
    if (button->isChecked()) {
        if (full < 0) {
            button->setChecked(false); // this camera offers no 100 % zoom
            return;
        }
        m_zoomBeforeMagnify = m_c.cbLVzoom->currentIndex();
        m_focus.selectZoom(full);
        return;
    }
    const int back =
        m_zoomBeforeMagnify >= 0 && m_zoomBeforeMagnify != full ? m_zoomBeforeMagnify : 0;
    m_zoomBeforeMagnify = -1;
    m_focus.selectZoom(back);
}

void AidsPanel::pbLiveViewModifiedPress() {
    if (m_c.aids.sbMagnify->isEnabled()) {
        m_c.aids.sbMagnify->click();
    }
}

// A zoom chosen by other means ends the magnifier; the zoom stays as chosen.
void AidsPanel::zoomChanged() {
    if (m_c.aids.sbMagnify->isChecked() && m_c.cbLVzoom->currentIndex() != fullSizeZoomIndex()) {
        m_c.aids.sbMagnify->setChecked(false);
        m_zoomBeforeMagnify = -1;
    }
}

void AidsPanel::liveViewToggled(bool on) {
    m_c.aids.sbMagnify->setEnabled(on);
    if (!on) {
        m_c.aids.sbMagnify->setChecked(false);
        m_zoomBeforeMagnify = -1;
    }
    if (!on && m_model.settings().anyOn()) {
        showStillHistogram();
    }
}
