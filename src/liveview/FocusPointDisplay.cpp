#include "liveview/FocusPointDisplay.h"

#include "camera/AfLayout.h"
#include "camera/CameraLink.h"
#include "camera/CapabilityValues.h"
#include "camera/SourceShortcuts.h"
#include "liveview/AfPointDrawing.h"
#include "liveview/ManualFocusStrip.h"
#include "session/CameraSession.h"
#include "widgets/PaintBox.h"

#include <optional>

int32_t AfPointNumber(uint32_t afPointCount, int col, int row) {
    const std::optional<AfLayout> layout = AfLayout::forPointCount(afPointCount);
    return layout ? layout->numberAt(col, row) : 0;
}

FocusPointDisplay::FocusPointDisplay(PaintBox* iFocus, PaintBox* iContrastAF,
                                     const CameraSession& session)
    : m_iFocus(iFocus), m_iContrastAF(iContrastAF), m_session(session) {}

void FocusPointDisplay::setPoint(int col, int row) {
    m_col = col;
    m_row = row;
}

void FocusPointDisplay::readFromCamera() {
    m_session.link().shortcuts().focusPreferredArea(m_col, m_row);
}

void FocusPointDisplay::setAf() {
    const uint32_t layout = m_session.afPointCount();
    if (!HasAfLayout(static_cast<int>(layout))) {
        return;
    }
    const int32_t number = AfPointNumber(layout, m_col, m_row);
    if (m_session.connected() && number > 0) {
        m_session.link().shortcuts().setIndex(orv::kCapFocusPreferredArea,
                                              static_cast<uint32_t>(number));
    }
    draw(layout);
}

void FocusPointDisplay::followCamera() {
    readFromCamera();
    const uint32_t layout = m_session.afPointCount();
    if (HasAfLayout(static_cast<int>(layout))) {
        draw(layout);
    }
}

void FocusPointDisplay::draw(uint32_t layout) {
    if (m_iFocus) {
        DrawAfPoints(m_iFocus->canvas(), static_cast<int>(layout), m_col, m_row);
        m_iFocus->update();
    }
}

void FocusPointDisplay::cameraSettingsRead() {
    readFromCamera();
    setAf();
    if (m_iContrastAF) {
        DrawManualFocusStrip(m_iContrastAF->canvas());
        m_iContrastAF->update();
    }
}
