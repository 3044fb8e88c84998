#include "connection/ManualLensRows.h"

#include "camera/CameraLink.h"
#include "camera/CapabilityValues.h"
#include "camera/ItemLists.h"
#include "camera/SourceShortcuts.h"
#include "connection/ComboFill.h"
#include "connection/InfoRowLayout.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

using namespace orv;
using namespace inforows;

ManualLensRows::ManualLensRows(QGroupBox* group, CameraLink& link) : m_group(group), m_link(link) {}

bool ManualLensRows::make() {
    free();
    if (m_group == nullptr ||
        !CameraLink::CapabilitySupports(m_link.CurrentSource(), kCapManualLensNo, kOpSet)) {
        return false;
    }
    const uint32_t current = m_link.values().getUnsigned(m_link.CurrentSource(), kCapManualLensNo);
    SourceShortcuts& camera = m_link.shortcuts();
    const QStringList focal =
        LinesToItems(ManualFocalLengthItemList(camera.elements(kCapManualFocalLength)));
    const QStringList aperture =
        LinesToItems(ManualApertureItemList(camera.elements(kCapManualAperture)));
    for (uint32_t lens = 0; lens < kManualLenses; ++lens) {
        addRow(static_cast<int>(lens), focal, aperture, lens == current);
    }
    for (uint32_t lens = 0; lens < kManualLenses; ++lens) {
        selectLens(lens);
        const Row& row = m_rows[lens];
        setComboIndex(row.aperture, camera.index(kCapManualAperture));
        setComboIndex(row.focal, camera.index(kCapManualFocalLength));
    }
    selectLens(current);
    return true;
}

void ManualLensRows::addRow(int lens, const QStringList& focalItems,
                            const QStringList& apertureItems, bool current) {
    const LensRowPlace place = lensRowPlace(lens);
    auto* label = m_widgets.make<QLabel>(m_group, place.label);
    label->setText(QString::number(lens + 1) + QLatin1Char('.'));
    Row row;
    row.focal = m_widgets.make<QComboBox>(m_group, place.focal);
    setComboItems(row.focal, focalItems);
    row.aperture = m_widgets.make<QComboBox>(m_group, place.aperture);
    setComboItems(row.aperture, apertureItems);
    row.radio = m_widgets.make<QRadioButton>(m_group, place.radio);
    row.radio->setChecked(current);
    for (QWidget* w : {static_cast<QWidget*>(label), static_cast<QWidget*>(row.focal),
                       static_cast<QWidget*>(row.aperture), static_cast<QWidget*>(row.radio)}) {
        w->show();
    }
    m_rows.push_back(row);
}

bool ManualLensRows::selectLens(uint32_t lens) {
    return m_link.values().setUnsigned(m_link.CurrentSource(), kCapManualLensNo, lens);
}

void ManualLensRows::free() {
    m_rows.clear();
    m_widgets.clear();
}

void ManualLensRows::save() {
    if (m_rows.size() != kManualLenses) {
        return;
    }
    const std::vector<Row> rows = m_rows;
    for (const Row& row : rows) {
        if (!row.focal || !row.aperture || !row.radio) {
            return;
        }
    }
    std::vector<bool> checked;
    for (uint32_t lens = 0; lens < kManualLenses; ++lens) {
        const Row& row = rows[lens];
        selectLens(lens);
        // A list without a selection leaves that value as the camera has it.
        if (const int index = row.aperture->currentIndex(); index >= 0) {
            m_link.shortcuts().setIndex(kCapManualAperture, static_cast<uint32_t>(index));
        }
        if (const int index = row.focal->currentIndex(); index >= 0) {
            m_link.shortcuts().setIndex(kCapManualFocalLength, static_cast<uint32_t>(index));
        }
        checked.push_back(row.radio->isChecked());
    }
    selectLens(lensNumberToKeep(checked));
}
