#pragma once
// The "Non CPU lens data" rows of the Info page: focal length and maximum
// aperture for each of the nine lens numbers the camera keeps for lenses
// without a processor, and the lens number in use. The camera shows one
// lens at a time through the lens number, so reading and writing walk the
// numbers and end on the one the camera should keep.
#include "widgets/OwnedWidgets.h"

#include <QPointer>

#include <cstdint>
#include <vector>

class CameraLink;
class QComboBox;
class QGroupBox;
class QRadioButton;

class ManualLensRows {
public:
    ManualLensRows(QGroupBox* group, CameraLink& link);

    // The nine rows, read from the camera; false (and no rows) when the
    // camera keeps no manual-lens data.
    bool make();
    void free();
    // Writes every lens's pair, then the lens number whose radio button is
    // checked (0 when none is).
    void save();
    bool exists() const { return !m_rows.empty(); }

private:
    struct Row {
        QPointer<QComboBox> focal;
        QPointer<QComboBox> aperture;
        QPointer<QRadioButton> radio;
    };

    void addRow(int lens, const QStringList& focalItems, const QStringList& apertureItems,
                bool current);
    bool selectLens(uint32_t lens);

    QGroupBox* m_group;
    CameraLink& m_link;
    OwnedWidgets m_widgets;
    std::vector<Row> m_rows;
};
