#pragma once
// The "Camera texts" rows of the Info page: one per text the camera lets
// the program read and write (user comment, copyright, artist, ...), one
// per element of the bank and preset name arrays, and "Save to camera",
// which writes them all back with the enable switches of the user comment
// and the copyright.
#include "widgets/OwnedWidgets.h"

#include <QPointer>

#include <cstdint>
#include <string>
#include <vector>

class CameraLink;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace orv {
struct CapabilityInfo;
}

class TextRows {
public:
    // Rows go into `group`; values come from the link's current source.
    TextRows(QGroupBox* group, CameraLink& link);

    // Rows for the current source's capabilities, after any earlier ones
    // are gone; returns how many there are.
    int make();
    void free();
    // Writes every row to the camera, in row order.
    void save();
    int count() const { return static_cast<int>(m_rows.size()); }

private:
    struct Row {
        uint32_t key = 0;
        // An array other than the name arrays is shown as one text that
        // cannot go back into its elements: it is not written.
        bool writable = true;
        QPointer<QLabel> label;
        QPointer<QLineEdit> edit;
        QPointer<QCheckBox> enable;
    };

    void addRows(const orv::CapabilityInfo& info);
    Row& addRow(uint32_t key, const QString& label, const std::string& value);
    void addEnableBox(Row& row, const QString& description);
    void saveRow(const Row& row);
    void writeElement(uint32_t capId, uint32_t element, const std::string& text);

    QGroupBox* m_group;
    CameraLink& m_link;
    OwnedWidgets m_widgets;
    std::vector<Row> m_rows;
};
