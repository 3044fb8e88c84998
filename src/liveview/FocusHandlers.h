#pragma once
// The handlers of the focus controls: picking the AF point on the picture
// `iFocus` and with the arrow buttons, the manual-focus strip `iContrastAF`,
// and the AF mode, focus area mode, live view AF area and live view zoom
// lists. Each list writes its capability on every change the user makes; a
// selection set from code (signals blocked) writes nothing. Writes go to the
// camera only while a connection is open; the picture and the arrows still
// move and redraw the chosen point without one.
#include "liveview/AfPointPicking.h"
#include "widgets/WindowControls.h"

#include <QMetaObject>
#include <QPoint>

#include <cstdint>
#include <vector>

class CameraSession;
class FocusPointDisplay;

class FocusHandlers {
public:
    // Connects the controls of `focus` to their handlers. `sbLock` says
    // whether the camera is locked (manual focus then goes to the camera as
    // its locked value).
    FocusHandlers(FocusControls focus, QToolButton* sbLock, FocusPointDisplay& point,
                  const CameraSession& session);
    ~FocusHandlers();

    FocusHandlers(const FocusHandlers&) = delete;
    FocusHandlers& operator=(const FocusHandlers&) = delete;

    // Chooses the point under the click (any button); a click between the
    // boxes changes nothing. Moving the mouse over the picture does nothing.
    void iFocusMouseDown(QPoint pos);
    // Chooses the centre point.
    void iFocusDblClick();
    void bAFUpClick() { step(AfStep::Up); }
    void bAFDownClick() { step(AfStep::Down); }
    void bAFLeftClick() { step(AfStep::Left); }
    void bAFRightClick() { step(AfStep::Right); }
    // Drives the lens focus: the step first, then the direction.
    void iContrastAFMouseDown(QPoint pos, Qt::MouseButton button);

    void cbAFmodeChange();
    void cbFocusAreaModeChange();
    void cbLVAFChange();
    // Writes the zoom the list shows as the camera's zoom rate index.
    void cbLVzoomChange();
    // The wheel over the live image: moves the zoom selection `steps` items
    // on (negative: back), kept within the list, and writes it when it moved.
    void stepZoom(int steps);
    // Selects zoom `index` and writes it even when it was selected already,
    // for code that needs a known zoom (full view is index 0).
    void selectZoom(int index);

private:
    void step(AfStep direction);
    void choose(AfCell cell);
    void writeUnsigned(uint32_t capId, uint32_t value);
    void writeIndex(uint32_t capId, const QComboBox* combo);

    FocusControls m_focus;
    QToolButton* m_sbLock;
    FocusPointDisplay& m_point;
    const CameraSession& m_session;
    std::vector<QMetaObject::Connection> m_connections;
};
