#include "connection/SettingsFill.h"

#include "camera/CameraLink.h"
#include "camera/CapabilityValues.h"
#include "camera/ItemLists.h"
#include "camera/SourceShortcuts.h"
#include "connection/ComboFill.h"
#include "connection/ImageAreaList.h"
#include "connection/ShootingHandlers.h"

#include <QSignalBlocker>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

using namespace orv;

namespace {

// Exposure modes from "S" on set the shutter speed by hand.
constexpr int kFirstShutterMode = 2;
// AF modes from this value on are manual focus ("MF").
constexpr uint32_t kManualFocusMode = 2;
// Microphone settings above this come in a second, equivalent set.
constexpr uint32_t kMicrophoneKinds = 3;
// An internal flash status from this value on means the flash cannot fire.
constexpr uint32_t kFlashUnavailable = 2;
constexpr int kFullBattery = 100;

bool readable(const CameraLink& link, uint32_t capId) {
    return CameraLink::CapabilitySupports(link.CurrentSource(), capId, kOpGet);
}

bool settable(const CameraLink& link, uint32_t capId) {
    return CameraLink::CapabilitySupports(link.CurrentSource(), capId, kOpSet);
}

int unsignedSelection(CameraLink& link, uint32_t capId) {
    return static_cast<int>(link.values().getUnsigned(link.CurrentSource(), capId));
}

// An enumeration's list and current index into a combo box.
void fillFromEnumeration(CameraLink& link, QComboBox* combo, uint32_t capId) {
    setComboItems(combo, LinesToItems(link.shortcuts().lines(capId)));
    setComboIndex(combo, link.shortcuts().index(capId));
}

// The elements of an enumeration of unsigned values; empty otherwise.
std::vector<uint32_t> enumElements(CameraLink& link, uint32_t capId) {
    CamObject* source = link.CurrentSource();
    EnumRecord record{};
    std::vector<uint8_t> contents;
    if (!link.values().readEnumRecord(source, capId, record) ||
        record.elementType != kElemUnsigned || record.bytesPerElement != 4 ||
        !link.values().readEnumContents(source, capId, record, contents)) {
        return {};
    }
    std::vector<uint32_t> elements(contents.size() / 4);
    std::memcpy(elements.data(), contents.data(), elements.size() * 4);
    return elements;
}

} // namespace

SettingsFill::SettingsFill(ShootingControls shooting, FocusControls focus, MovieControls movie,
                           CameraLink& link, ShootingHandlers& handlers)
    : m_shooting(shooting), m_focus(focus), m_movie(movie), m_link(link), m_handlers(handlers) {}

void SettingsFill::fill() {
    fillExposure();
    fillImage();
    fillMovie();
    fillFlashAndFocus();
    fillCardsAndPower();
}

// Rows 1 to 6: sensitivity, exposure mode, aperture, shutter, live view zoom.
void SettingsFill::fillExposure() {
    ShootingControls& s = m_shooting;
    fillFromEnumeration(m_link, s.cbISO, kCapSensitivity);
    s.cbISO->setEnabled(settable(m_link, kCapSensitivity));
    // Writes the mode the window shows before the camera's own is read back.
    m_handlers.cbModeChange();
    setComboItems(s.cbAperture,
                  LinesToItems(ApertureItemList(m_link.shortcuts().lines(kCapAperture))));
    setComboIndex(s.cbAperture, m_link.shortcuts().index(kCapAperture));
    s.cbAperture->setEnabled(settable(m_link, kCapAperture));
    fillFromEnumeration(m_link, s.cbShutter, kCapShutterSpeed);
    s.cbShutter->setEnabled(s.cbMode->currentIndex() >= kFirstShutterMode);
    setComboIndex(s.cbMode, m_link.shortcuts().index(kCapExposureMode));
    const std::vector<uint32_t> zoomRates = enumElements(m_link, kCapLiveViewZoom);
    setComboItems(m_focus.cbLVzoom, LinesToItems(ZoomRateItemList(zoomRates)));
    setComboIndex(m_focus.cbLVzoom, 0);
}

// Rows 7 to 13: compression, image size, RAW bits, white balance, colour
// temperature, image area, exposure compensation.
void SettingsFill::fillImage() {
    ShootingControls& s = m_shooting;
    fillFromEnumeration(m_link, s.cbCompression, kCapCompression);
    setComboIndex(s.cbImageSize, m_link.shortcuts().index(kCapImageSize));
    m_handlers.cbImageSizeChange();
    setComboIndex(s.cbRAWbit, unsignedSelection(m_link, kCapRawBitMode));
    s.cbRAWbit->setEnabled(settable(m_link, kCapRawBitMode));
    fillFromEnumeration(m_link, s.cbWBmode, kCapWbMode);
    const int32_t kelvin = m_link.shortcuts().colorTemperature();
    setComboIndex(s.cbColorTemp, s.cbColorTemp->findText(QString::number(kelvin)));
    const ImageAreaList areas = ImageAreaItems(m_link.CameraType());
    setComboItems(s.cbCCDmode, areas.items);
    const int area = m_link.shortcuts().ccdDataMode();
    setComboIndex(s.cbCCDmode, area);
    s.cbCCDmode->setEnabled(area >= 0 && areas.ownList);
    // A position set here runs the scale's handler when it changes.
    s.tbExpoCorr->setValue(static_cast<int>(m_link.shortcuts().rangeIndex(kCapExposureComp)));
}

// Rows 14 to 16: movie size and quality, microphone.
void SettingsFill::fillMovie() {
    MovieControls& m = m_movie;
    const bool movie = readable(m_link, kCapMovieScreenSize);
    m.cbMovieSize->setEnabled(movie);
    if (movie) {
        const int size = unsignedSelection(m_link, kCapMovieScreenSize);
        setComboIndex(m.cbMovieSize, m_link.LastEntryResult() < 0 ? -1 : size);
    }
    m.cbMovieQuality->setEnabled(movie);
    m.ieMicLevel->setEnabled(movie);
    m.lMovieTime->setVisible(movie);
    uint32_t microphone = m_link.values().getUnsigned(m_link.CurrentSource(), kCapMovieMicrophone);
    if (microphone > kMicrophoneKinds) {
        microphone -= kMicrophoneKinds;
    }
    setComboIndex(m.cbMicLevelType, static_cast<int>(microphone));
    m.cbMicLevelType->setEnabled(readable(m_link, kCapMovieMicrophone));
}

// Rows 17 to 20: flash, metering, AF mode, focus area.
void SettingsFill::fillFlashAndFocus() {
    ShootingControls& s = m_shooting;
    setComboItems(s.cbFlashMode,
                  LinesToItems(FlashModeItemList(enumElements(m_link, kCapFlashMode))));
    setComboIndex(s.cbFlashMode, m_link.shortcuts().index(kCapFlashMode));
    s.cbFlashMode->setEnabled(m_link.shortcuts().internalFlashStatus() < kFlashUnavailable);
    setComboIndex(s.cbMeteringMode, static_cast<int>(m_link.shortcuts().meteringMode()));

    QComboBox* afMode = m_focus.cbAFmode;
    const uint32_t af = m_link.values().getUnsigned(m_link.CurrentSource(), kCapAfMode);
    const QSignalBlocker blocker(afMode);
    if (af < kManualFocusMode) {
        if (afMode->count() > static_cast<int>(kManualFocusMode)) {
            afMode->removeItem(kManualFocusMode);
        }
    } else if (afMode->count() == static_cast<int>(kManualFocusMode)) {
        // An earlier connection removed "MF"; this camera focuses by hand.
        afMode->addItem(QStringLiteral("MF"));
    }
    const int afSelection = static_cast<int>(std::min(af, kManualFocusMode));
    setComboIndex(afMode, afSelection);
    afMode->setEnabled(afSelection < static_cast<int>(kManualFocusMode));
    m_focus.bAF->setEnabled(afSelection < static_cast<int>(kManualFocusMode));

    fillFromEnumeration(m_link, m_focus.cbFocusAreaMode, kCapFocusAreaMode);
    m_focus.cbFocusAreaMode->setEnabled(settable(m_link, kCapFocusAreaMode));
}

// Rows 21 to 28: RAW and JPEG compression, colour space, card slots,
// microphone level, battery.
void SettingsFill::fillCardsAndPower() {
    ShootingControls& s = m_shooting;
    setComboIndex(s.cbRawCompress, unsignedSelection(m_link, kCapRawCompressEx));
    setComboIndex(s.cbJPEGCompress, unsignedSelection(m_link, kCapJpegCompressionPolicy));
    setComboIndex(s.cbColorSpace, unsignedSelection(m_link, kCapImageColorSpace));
    const struct {
        QComboBox* combo;
        uint32_t capId;
    } slotRows[] = {{s.cbSlot2Mode, kCapSlot2SaveMode},
                    {s.cbPrimarySlot, kCapPrimarySlot},
                    {s.cbSaveMedia, kCapSaveMedia}};
    for (const auto& slot : slotRows) {
        const bool enabled = settable(m_link, slot.capId);
        slot.combo->setEnabled(enabled);
        if (enabled) {
            setComboIndex(slot.combo, unsignedSelection(m_link, slot.capId));
        }
    }
    {
        const QSignalBlocker blocker(m_movie.udMicLevel);
        const RangeRecord level =
            m_link.values().getRange(m_link.CurrentSource(), kCapMovieMicValue);
        m_movie.udMicLevel->setValue(static_cast<int>(std::lround(level.value)));
    }
    m_movie.udMicLevel->setEnabled(readable(m_link, kCapMovieMicValue));
    const int battery = std::clamp(m_link.shortcuts().batteryLevel(), 0, kFullBattery);
    s.pbBatteryLevel->setValue(battery);
    s.pbBatteryLevel->setToolTip(QStringLiteral("Battery level %1%").arg(battery));
}
