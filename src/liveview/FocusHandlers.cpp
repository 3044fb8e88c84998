#include "liveview/FocusHandlers.h"

#include "camera/CameraLink.h"
#include "camera/CapabilityValues.h"
#include "camera/SourceShortcuts.h"
#include "liveview/FocusPointDisplay.h"
#include "liveview/ManualFocusStrip.h"
#include "session/CameraSession.h"
#include "widgets/PaintBox.h"

#include <QSignalBlocker>

#include <algorithm>
#include <optional>

using namespace orv;

namespace {

// "MF" is the AF mode list's third item; a locked camera takes manual focus
// as its own value, two further on.
constexpr int kManualFocusItem = 2;
constexpr uint32_t kLockedManualFocusOffset = 2;

} // namespace

FocusHandlers::FocusHandlers(FocusControls focus, QToolButton* sbLock, FocusPointDisplay& point,
                             const CameraSession& session)
    : m_focus(focus), m_sbLock(sbLock), m_point(point), m_session(session) {
    const FocusControls& f = m_focus;
    if (f.iFocus) {
        m_connections.push_back(QObject::connect(
            f.iFocus, &PaintBox::mousePressed, f.iFocus,
            [this](QPoint pos, Qt::MouseButton /*button*/) { iFocusMouseDown(pos); }));
        m_connections.push_back(QObject::connect(f.iFocus, &PaintBox::doubleClicked, f.iFocus,
                                                 [this] { iFocusDblClick(); }));
    }
    if (f.iContrastAF) {
        m_connections.push_back(QObject::connect(
            f.iContrastAF, &PaintBox::mousePressed, f.iContrastAF,
            [this](QPoint pos, Qt::MouseButton button) { iContrastAFMouseDown(pos, button); }));
    }
    const struct {
        QPushButton* button;
        void (FocusHandlers::*handler)();
    } buttons[] = {
        {f.bAFUp, &FocusHandlers::bAFUpClick},
        {f.bAFDown, &FocusHandlers::bAFDownClick},
        {f.bAFLeft, &FocusHandlers::bAFLeftClick},
        {f.bAFRight, &FocusHandlers::bAFRightClick},
    };
    for (const auto& row : buttons) {
        if (row.button) {
            m_connections.push_back(QObject::connect(row.button, &QPushButton::clicked, row.button,
                                                     [this, h = row.handler] { (this->*h)(); }));
        }
    }
    const struct {
        QComboBox* combo;
        void (FocusHandlers::*handler)();
    } lists[] = {
        {f.cbAFmode, &FocusHandlers::cbAFmodeChange},
        {f.cbFocusAreaMode, &FocusHandlers::cbFocusAreaModeChange},
        {f.cbLVAF, &FocusHandlers::cbLVAFChange},
        {f.cbLVzoom, &FocusHandlers::cbLVzoomChange},
    };
    for (const auto& row : lists) {
        if (row.combo) {
            m_connections.push_back(QObject::connect(row.combo, &QComboBox::currentIndexChanged,
                                                     row.combo,
                                                     [this, h = row.handler] { (this->*h)(); }));
        }
    }
}

// The controls outlive this object in the window's tree.
FocusHandlers::~FocusHandlers() {
    for (const QMetaObject::Connection& connection : m_connections) {
        QObject::disconnect(connection);
    }
}

void FocusHandlers::iFocusMouseDown(QPoint pos) {
    const std::optional<AfCell> cell =
        AfPointAtPixel(static_cast<int>(m_session.afPointCount()), pos);
    if (cell) {
        choose(*cell);
    }
}

void FocusHandlers::iFocusDblClick() {
    choose(AfCell{0, 0});
}

void FocusHandlers::step(AfStep direction) {
    choose(StepAfPoint(static_cast<int>(m_session.afPointCount()),
                       AfCell{m_point.AfCol(), m_point.AfRow()}, direction));
}

void FocusHandlers::choose(AfCell cell) {
    m_point.setPoint(cell.col, cell.row);
    m_point.setAf();
}

void FocusHandlers::iContrastAFMouseDown(QPoint pos, Qt::MouseButton button) {
    PaintBox* strip = m_focus.iContrastAF;
    const std::optional<ManualFocusDrive> drive =
        ManualFocusDriveAt(pos.x(), strip->width(), button);
    if (!drive) {
        return;
    }
    DrawManualFocusBar(strip->canvas(), pos.x());
    strip->update();
    if (m_session.connected()) {
        CameraLink& link = m_session.link();
        link.values().setRangeByValue(link.CurrentSource(), kCapMfDriveStep, drive->step);
        link.values().setUnsigned(link.CurrentSource(), kCapMfDrive, drive->direction);
    }
}

void FocusHandlers::cbAFmodeChange() {
    const int item = m_focus.cbAFmode->currentIndex();
    if (item < 0) {
        return;
    }
    const bool locked = m_sbLock && m_sbLock->isChecked();
    const uint32_t offset = locked && item == kManualFocusItem ? kLockedManualFocusOffset : 0;
    writeUnsigned(kCapAfMode, static_cast<uint32_t>(item) + offset);
}

void FocusHandlers::cbFocusAreaModeChange() {
    writeIndex(kCapFocusAreaMode, m_focus.cbFocusAreaMode);
}

void FocusHandlers::cbLVAFChange() {
    const int item = m_focus.cbLVAF->currentIndex();
    if (item >= 0) {
        writeUnsigned(kCapLiveViewAfArea, static_cast<uint32_t>(item));
    }
}

void FocusHandlers::cbLVzoomChange() {
    writeIndex(kCapLiveViewZoom, m_focus.cbLVzoom);
}

void FocusHandlers::stepZoom(int steps) {
    QComboBox* zoom = m_focus.cbLVzoom;
    if (zoom->count() == 0) {
        return;
    }
    const int from = std::max(zoom->currentIndex(), 0);
    // The change handler writes the new selection.
    zoom->setCurrentIndex(std::clamp(from + steps, 0, zoom->count() - 1));
}

void FocusHandlers::selectZoom(int index) {
    QComboBox* zoom = m_focus.cbLVzoom;
    {
        const QSignalBlocker blocker(zoom);
        zoom->setCurrentIndex(index >= 0 && index < zoom->count() ? index : -1);
    }
    cbLVzoomChange();
}

void FocusHandlers::writeUnsigned(uint32_t capId, uint32_t value) {
    if (m_session.connected()) {
        CameraLink& link = m_session.link();
        link.values().setUnsigned(link.CurrentSource(), capId, value);
    }
}

// With nothing selected there is nothing to write.
void FocusHandlers::writeIndex(uint32_t capId, const QComboBox* combo) {
    if (m_session.connected() && combo->currentIndex() >= 0) {
        m_session.link().shortcuts().setIndex(capId, static_cast<uint32_t>(combo->currentIndex()));
    }
}
