#include "liveview/FocusPointDisplay.h"

#include "camera/CameraLink.h"
#include "camera/CapabilityValues.h"
#include "camera/FocusPointGrid.h"
#include "camera/SourceShortcuts.h"
#include "liveview/AfPointDrawing.h"
#include "liveview/ManualFocusStrip.h"
#include "session/CameraSession.h"
#include "widgets/PaintBox.h"

int32_t AfPointNumber(uint32_t afPointCount, int col, int row) {
    // The camera layer's grid is the one table of point numbers; search it
    // backwards rather than keep a second copy.
    for (int32_t number = 1; number <= static_cast<int32_t>(afPointCount); ++number) {
        int horizontal = 0;
        int vertical = 0;
        if (FocusPointGrid(afPointCount, number, horizontal, vertical) && horizontal == col &&
            vertical == row) {
            return number;
        }
    }
    return 0;
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
