#pragma once
// The chosen AF point (`AfCol`, `AfRow`) and `setAf`, which sends it to the
// camera and redraws the AF point picture `iFocus`. The picker's click and
// arrow handlers move the point and run setAf. Once a connection has read
// the camera's settings, it takes the camera's point and draws the manual
// focus strip `iContrastAF` empty.
#include <cstdint>

class CameraSession;
class PaintBox;

class FocusPointDisplay {
public:
    // setAf writes only while `session` is connected.
    FocusPointDisplay(PaintBox* iFocus, PaintBox* iContrastAF, const CameraSession& session);

    int AfCol() const { return m_col; }
    int AfRow() const { return m_row; }
    void setPoint(int col, int row);

    // The grid lookup: takes the point the camera reports in 0x8122
    // ("Focus preferred area"); unchanged when it is not a point of the layout.
    void readFromCamera();
    // Writes the chosen point's number to 0x8122 (when connected) and redraws.
    void setAf();
    // The camera moved its point: take it and redraw. Nothing is written:
    // the camera would answer a write with another change, and so on.
    void followCamera();
    // A connection has read the camera's settings: the camera's point is
    // shown (and written back) and the focus strip drawn empty.
    void cameraSettingsRead();

private:
    void draw(uint32_t layout);

    PaintBox* m_iFocus;
    PaintBox* m_iContrastAF;
    const CameraSession& m_session;
    int m_col = 0;
    int m_row = 0;
};

// Number of the point at (col, row) in the camera's 0x8122 enumeration for
// the layout, or 0 when there is no point there.
int32_t AfPointNumber(uint32_t afPointCount, int col, int row);
