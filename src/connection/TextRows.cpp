#include "connection/TextRows.h"

#include "camera/CameraLink.h"
#include "camera/CapabilityValues.h"
#include "camera/ValueText.h"
#include "connection/InfoRowLayout.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <cstring>

using namespace orv;
using namespace inforows;

namespace {

QString descriptionOf(const CapabilityInfo& info) {
    return QString::fromUtf8(info.description, static_cast<qsizetype>(strnlen(
                                                   info.description, sizeof info.description)));
}

bool editable(const CapabilityInfo& info) {
    return (info.valueType == kVtString || info.valueType == kVtArray) &&
           (info.operations & kOpGet) != 0 && (info.operations & kOpSet) != 0;
}

// The switch that says whether a text goes into every picture.
uint32_t enableSwitchOf(uint32_t key) {
    switch (key) {
    case kCapUserComment:
        return kCapEnableComment;
    case kCapCopyrightInfo:
        return kCapEnableCopyright;
    default:
        return 0;
    }
}

} // namespace

TextRows::TextRows(QGroupBox* group, CameraLink& link) : m_group(group), m_link(link) {}

int TextRows::make() {
    free();
    CamObject* source = m_link.CurrentSource();
    if (source == nullptr || m_group == nullptr) {
        return 0;
    }
    // A copy: the camera's events during the reads may refresh the list.
    const std::vector<CapabilityInfo> capabilities = source->capabilities();
    for (const CapabilityInfo& info : capabilities) {
        if (editable(info)) {
            addRows(info);
        }
    }
    return count();
}

void TextRows::addRows(const CapabilityInfo& info) {
    CamObject* source = m_link.CurrentSource();
    const QString description = descriptionOf(info);
    if (info.valueType == kVtArray && isNameArray(info.id)) {
        // A camera with fewer names than four gets a row for each it has.
        const std::vector<std::string> names = m_link.values().getTextArray(source, info.id);
        const uint32_t rows =
            std::min<uint32_t>(kNameArrayRows, static_cast<uint32_t>(names.size()));
        for (uint32_t e = 0; e < rows; ++e) {
            Row& row =
                addRow(rowKey(info.id, e), description + elementSuffix(info.id, e), names[e]);
            addEnableBox(row, description);
        }
        return;
    }
    Row& row =
        addRow(rowKey(info.id, 0), description, trimBlanks(CapabilityValueText(source, &info)));
    if (info.valueType == kVtArray) {
        row.writable = false;
        row.edit->setReadOnly(true);
    }
    addEnableBox(row, description);
}

TextRows::Row& TextRows::addRow(uint32_t key, const QString& label, const std::string& value) {
    const TextRowPlace place = textRowPlace(count());
    Row row;
    row.key = key;
    row.label = m_widgets.make<QLabel>(m_group, place.label);
    row.label->setText(label);
    row.edit = m_widgets.make<QLineEdit>(m_group, place.edit);
    const RowText text = rowText(value);
    // The limit first: a text longer than the limit would be cut.
    row.edit->setMaxLength(text.maxLength);
    row.edit->setText(text.shown);
    row.enable = m_widgets.make<QCheckBox>(m_group, place.enableBox);
    row.enable->hide();
    row.label->show();
    row.edit->show();
    m_rows.push_back(row);
    return m_rows.back();
}

void TextRows::addEnableBox(Row& row, const QString& description) {
    row.enable->setToolTip(QStringLiteral("Enable ") + description);
    const uint32_t enableSwitch = enableSwitchOf(row.key);
    CamObject* source = m_link.CurrentSource();
    if (enableSwitch == 0 || !CameraLink::CapabilitySupports(source, enableSwitch, kOpSet)) {
        return;
    }
    row.enable->setChecked(m_link.values().getBoolean(source, enableSwitch));
    row.enable->show();
}

void TextRows::free() {
    m_rows.clear();
    m_widgets.clear();
}

void TextRows::save() {
    // A copy: a row list rebuilt meanwhile must not be walked half old.
    const std::vector<Row> rows = m_rows;
    for (const Row& row : rows) {
        if (row.edit) {
            saveRow(row);
        }
    }
}

void TextRows::saveRow(const Row& row) {
    const uint32_t capId = rowCapability(row.key);
    CamObject* source = m_link.CurrentSource();
    const CapabilityInfo* info = CameraLink::FindCapability(source, capId);
    if (info == nullptr) {
        return;
    }
    const std::string text = row.edit->text().toStdString();
    if (info->valueType == kVtString) {
        m_link.values().setText(source, capId, text);
    } else if (info->valueType == kVtArray && row.writable) {
        writeElement(capId, rowElement(row.key), text);
    }
    if (const uint32_t enableSwitch = enableSwitchOf(row.key); enableSwitch != 0 && row.enable) {
        // The setter leaves a switch alone that the camera does not let us set.
        m_link.values().setBoolean(m_link.CurrentSource(), enableSwitch, row.enable->isChecked());
    }
}

// Only the row's own element changes; the others go back as the camera
// gave them.
void TextRows::writeElement(uint32_t capId, uint32_t element, const std::string& text) {
    CamObject* source = m_link.CurrentSource();
    ArrayRecord record{};
    std::vector<uint8_t> contents; // ours until the array is written back
    if (!m_link.values().getArray(source, capId, record, contents) ||
        record.elementType != kElemText256 || record.bytesPerElement == 0 ||
        element >= record.elementCount ||
        contents.size() < (size_t{element} + 1) * record.bytesPerElement) {
        return;
    }
    const size_t size = record.bytesPerElement;
    const std::string cut = CutUtf8(text, size - 1);
    uint8_t* field = contents.data() + size_t{element} * size;
    std::fill(field, field + size, uint8_t{0});
    std::memcpy(field, cut.data(), cut.size());
    m_link.values().setArray(m_link.CurrentSource(), capId, record, contents);
}
