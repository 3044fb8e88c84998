#include "connection/SettingsFill.h"

#include "camera/CameraLink.h"
#include "camera/CapabilityValues.h"
#include "camera/ItemLists.h"
#include "camera/MicrophoneMode.h"
#include "camera/SourceShortcuts.h"
#include "connection/ComboFill.h"
#include "connection/CompensationScale.h"
#include "connection/ImageAreaList.h"
#include "connection/ShootingHandlers.h"

#include <QSignalBlocker>

#include <algorithm>
#include <cmath>

using namespace orv;

namespace {

// Exposure modes from "S" on set the shutter speed by hand.
constexpr int kFirstShutterMode = 2;
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

// The elements of an enumeration of unsigned values; empty otherwise.
std::vector<uint32_t> enumElements(CameraLink& link, uint32_t capId) {
    return link.shortcuts().elements(capId);
}

// The control type each kind works on.
template <typename Control> bool holds(const BoundControl& control) {
    const auto* held = std::get_if<Control*>(&control);
    return held && *held;
}

bool fitsKind(const SettingBinding& row) {
    switch (row.kind) {
    case FillKind::Compensation:
        return holds<QSlider>(row.control);
    case FillKind::MicLevel:
        return holds<QSpinBox>(row.control);
    case FillKind::Battery:
        return holds<QProgressBar>(row.control);
    default:
        return holds<QComboBox>(row.control);
    }
}

QComboBox* comboOf(const SettingBinding& row) {
    return std::get<QComboBox*>(row.control);
}

} // namespace

SettingsFill::SettingsFill(ShootingControls shooting, FocusControls focus, MovieControls movie,
                           CameraLink& link, ShootingHandlers& handlers)
    : m_shooting(shooting), m_focus(focus), m_movie(movie), m_link(link), m_handlers(handlers),
      m_bindings(SettingBindings(m_shooting, m_focus, m_movie)) {}

void SettingsFill::fill() {
    for (const SettingBinding& row : m_bindings) {
        apply(row);
    }
    disableUnsettable();
}

// A control whose capability the camera lacks or will not let be set would
// take a choice that never reaches the camera.
void SettingsFill::disableUnsettable() {
    for (const SettingBinding& row : m_bindings) {
        QComboBox* const* combo = std::get_if<QComboBox*>(&row.control);
        if (combo && *combo && row.kind != FillKind::MovieExtras && !settable(m_link, row.capId)) {
            (*combo)->setEnabled(false);
        }
    }
}

// A refresh follows a value the camera already holds, so a row that writes at
// connect runs as if it did not: the exposure mode row takes the camera's mode
// instead of writing the window's, the image size row only renews its hint,
// and the compensation scale moves without its handler.
void SettingsFill::refresh(uint32_t capId, Depth depth) {
    if (!m_link.CurrentSource()) {
        return;
    }
    for (const SettingBinding& row : m_bindings) {
        if (row.capId == capId) {
            SettingBinding reading = row;
            reading.writes = Writes::Nothing;
            if (depth == Depth::List) {
                apply(reading);
            } else {
                applyValue(reading);
            }
        }
    }
}

// A changed value moves only the selection: the items, the enabled state and
// the hints stay as the connect (or the last list change) left them.
void SettingsFill::applyValue(const SettingBinding& row) {
    if (!fitsKind(row)) {
        return;
    }
    switch (row.kind) {
    case FillKind::EnumList:
    case FillKind::ApertureList:
    case FillKind::IndexOnly:
    case FillKind::Flash:
    case FillKind::ZoomRates:
        fillIndexOnly(row);
        break;
    case FillKind::UnsignedIndex:
    case FillKind::SlotRow:
    case FillKind::MovieSize:
        fillUnsignedIndex(row);
        break;
    case FillKind::ImageArea:
        setComboIndex(comboOf(row), m_link.shortcuts().ccdDataMode());
        break;
    case FillKind::Battery:
        std::get<QProgressBar*>(row.control)
            ->setValue(std::clamp(m_link.shortcuts().batteryLevel(), 0, kFullBattery));
        break;
    case FillKind::MovieExtras:
        break;
    default:
        // The mode, image size, colour temperature, compensation, microphone,
        // AF mode and mic level rows read nothing but their value anyway.
        apply(row);
        break;
    }
}

bool SettingsFill::isBound(uint32_t capId) const {
    return std::any_of(m_bindings.begin(), m_bindings.end(),
                       [capId](const SettingBinding& row) { return row.capId == capId; });
}

std::vector<uint32_t> SettingsFill::boundCapabilities() const {
    std::vector<uint32_t> ids;
    for (const SettingBinding& row : m_bindings) {
        if (std::find(ids.begin(), ids.end(), row.capId) == ids.end()) {
            ids.push_back(row.capId);
        }
    }
    return ids;
}

void SettingsFill::apply(const SettingBinding& row) {
    // A row whose control is missing or of another type than its kind fills
    // is left out rather than touching the wrong widget.
    if (!fitsKind(row)) {
        return;
    }
    switch (row.kind) {
    case FillKind::EnumList:
        fillEnumList(row);
        break;
    case FillKind::IndexOnly:
        fillIndexOnly(row);
        break;
    case FillKind::UnsignedIndex:
        fillUnsignedIndex(row);
        break;
    case FillKind::SlotRow:
        fillSlotRow(row);
        break;
    case FillKind::ModeHandler:
        fillModeHandler(row);
        break;
    case FillKind::ApertureList:
        fillApertureList(row);
        break;
    case FillKind::ZoomRates:
        fillZoomRates(row);
        break;
    case FillKind::ImageSize:
        fillImageSize(row);
        break;
    case FillKind::ColorTemp:
        fillColorTemp(row);
        break;
    case FillKind::ImageArea:
        fillImageArea(row);
        break;
    case FillKind::Compensation:
        fillCompensation(row);
        break;
    case FillKind::MovieSize:
        fillMovieSize(row);
        break;
    case FillKind::MovieExtras:
        fillMovieExtras(row);
        break;
    case FillKind::Microphone:
        fillMicrophone(row);
        break;
    case FillKind::Flash:
        fillFlash(row);
        break;
    case FillKind::AfMode:
        fillAfMode(row);
        break;
    case FillKind::MicLevel:
        fillMicLevel(row);
        break;
    case FillKind::Battery:
        fillBattery(row);
        break;
    }
    if (QComboBox* const* combo = std::get_if<QComboBox*>(&row.control)) {
        applyEnable(row.enable, row.capId, *combo);
    }
}

void SettingsFill::applyEnable(Enable enable, uint32_t capId, QWidget* control) {
    switch (enable) {
    case Enable::Untouched:
        break;
    case Enable::WhenSettable:
        control->setEnabled(settable(m_link, capId));
        break;
    case Enable::InShutterModes:
        control->setEnabled(m_shooting.cbMode->currentIndex() >= kFirstShutterMode);
        break;
    }
}

void SettingsFill::refillForLiveView(bool photoLiveView) {
    if (photoLiveView) {
        refillStillExposure();
    }
    refillWhiteBalance(photoLiveView ? kCapLiveViewWbMode : kCapWbMode);
}

void SettingsFill::refillForMovie() {
    if (!m_link.CurrentSource()) {
        return;
    }
    ShootingControls& s = m_shooting;
    fillMovieList(s.cbAperture, kCapMovieAperture);
    fillMovieList(s.cbShutter, kCapMovieShutterSpeed);
    fillMovieList(s.cbISO, kCapMovieSensitivity);
    // The scale's steps are the movie compensation's from now on.
    SettbExpoCorr(m_link, s, kCapMovieExposureComp);
    refillWhiteBalance(kCapLiveViewWbMode);
    setComboIndex(s.cbPrimarySlot, unsignedSelection(m_link, kCapMovieDestination));
    s.cbPrimarySlot->setToolTip(QStringLiteral("Movie record destination"));
}

void SettingsFill::refillForStill() {
    refillStillExposure();
    refillWhiteBalance(kCapWbMode);
}

// The exposure lists, the compensation scale (laid out again: movie mode
// may have laid it out for the movie compensation) and the primary slot.
void SettingsFill::refillStillExposure() {
    if (!m_link.CurrentSource()) {
        return;
    }
    for (const uint32_t capId : {kCapAperture, kCapShutterSpeed, kCapSensitivity}) {
        refresh(capId);
    }
    SettbExpoCorr(m_link, m_shooting, kCapExposureComp);
    refresh(kCapPrimarySlot);
    m_shooting.cbPrimarySlot->setToolTip(QStringLiteral("Primary slot"));
}

void SettingsFill::refillWhiteBalance(uint32_t capId) {
    setComboItems(m_shooting.cbWBmode, LinesToItems(m_link.shortcuts().lines(capId)));
    setComboIndex(m_shooting.cbWBmode, m_link.shortcuts().index(capId));
}

void SettingsFill::fillMovieList(QComboBox* combo, uint32_t capId) {
    const std::string lines = m_link.shortcuts().lines(capId);
    setComboItems(combo,
                  LinesToItems(capId == kCapMovieAperture ? ApertureItemList(lines) : lines));
    setComboIndex(combo, m_link.shortcuts().index(capId));
    combo->setEnabled(settable(m_link, capId));
}

void SettingsFill::fillEnumList(const SettingBinding& row) {
    setComboItems(comboOf(row), LinesToItems(m_link.shortcuts().lines(row.capId)));
    fillIndexOnly(row);
}

void SettingsFill::fillIndexOnly(const SettingBinding& row) {
    setComboIndex(comboOf(row), m_link.shortcuts().index(row.capId));
}

void SettingsFill::fillUnsignedIndex(const SettingBinding& row) {
    setComboIndex(comboOf(row), unsignedSelection(m_link, row.capId));
}

// A card slot setting the camera does not let be set keeps its last selection.
void SettingsFill::fillSlotRow(const SettingBinding& row) {
    const bool enabled = settable(m_link, row.capId);
    comboOf(row)->setEnabled(enabled);
    if (enabled) {
        fillUnsignedIndex(row);
    }
}

// At connect the handler writes the mode the window shows; reading, the
// window takes the camera's mode and then does what the handler does after
// its write, and the shutter follows the mode as its own row does.
void SettingsFill::fillModeHandler(const SettingBinding& row) {
    if (row.writes == Writes::Camera) {
        m_handlers.cbModeChange();
        return;
    }
    fillIndexOnly(row);
    m_handlers.followExposureMode();
    applyEnable(Enable::InShutterModes, kCapShutterSpeed, m_shooting.cbShutter);
}

void SettingsFill::fillApertureList(const SettingBinding& row) {
    setComboItems(comboOf(row),
                  LinesToItems(ApertureItemList(m_link.shortcuts().lines(row.capId))));
    fillIndexOnly(row);
}

void SettingsFill::fillZoomRates(const SettingBinding& row) {
    const std::vector<uint32_t> zoomRates = enumElements(m_link, row.capId);
    setComboItems(comboOf(row), LinesToItems(ZoomRateItemList(zoomRates)));
    setComboIndex(comboOf(row), 0);
}

// The handler writes the selection back and renews the hint; reading, only
// the hint is renewed.
void SettingsFill::fillImageSize(const SettingBinding& row) {
    fillIndexOnly(row);
    if (row.writes == Writes::Camera) {
        m_handlers.cbImageSizeChange();
    } else {
        m_handlers.showImageSizeText();
    }
}

void SettingsFill::fillColorTemp(const SettingBinding& row) {
    QComboBox* combo = comboOf(row);
    const int32_t kelvin = m_link.shortcuts().colorTemperature();
    setComboIndex(combo, combo->findText(QString::number(kelvin)));
}

void SettingsFill::fillImageArea(const SettingBinding& row) {
    QComboBox* combo = comboOf(row);
    const ImageAreaList areas = ImageAreaItems(m_link.CameraType());
    setComboItems(combo, areas.items);
    const int area = m_link.shortcuts().ccdDataMode();
    setComboIndex(combo, area);
    combo->setEnabled(area >= 0 && areas.ownList);
}

// At connect a position set here runs the scale's handler when it changes;
// reading, the camera holds the value already and the handler stays quiet.
void SettingsFill::fillCompensation(const SettingBinding& row) {
    QSlider* scale = std::get<QSlider*>(row.control);
    const QSignalBlocker blocker(row.writes == Writes::Camera ? nullptr : scale);
    scale->setValue(static_cast<int>(m_link.shortcuts().rangeIndex(row.capId)));
}

void SettingsFill::fillMovieSize(const SettingBinding& row) {
    QComboBox* combo = comboOf(row);
    const bool movie = readable(m_link, row.capId);
    combo->setEnabled(movie);
    if (movie) {
        const int size = unsignedSelection(m_link, row.capId);
        setComboIndex(combo, m_link.LastEntryResult() < 0 ? -1 : size);
    }
}

// Usable with movie mode, which a readable movie size (the row's capability)
// stands for.
void SettingsFill::fillMovieExtras(const SettingBinding& row) {
    const bool movie = readable(m_link, row.capId);
    comboOf(row)->setEnabled(movie);
    if (movie && readable(m_link, kCapMovieQuality)) {
        setComboIndex(comboOf(row), unsignedSelection(m_link, kCapMovieQuality));
    }
    m_movie.ieMicLevel->setEnabled(movie);
    m_movie.lMovieTime->setVisible(movie);
}

void SettingsFill::fillMicrophone(const SettingBinding& row) {
    const uint32_t microphone = m_link.values().getUnsigned(m_link.CurrentSource(), row.capId);
    setComboIndex(comboOf(row), MicrophoneModeIndex(microphone));
    comboOf(row)->setEnabled(readable(m_link, row.capId));
}

void SettingsFill::fillFlash(const SettingBinding& row) {
    QComboBox* combo = comboOf(row);
    setComboItems(combo, LinesToItems(FlashModeItemList(enumElements(m_link, row.capId))));
    fillIndexOnly(row);
    combo->setEnabled(m_link.shortcuts().internalFlashStatus() < kFlashUnavailable);
}

void SettingsFill::fillAfMode(const SettingBinding& row) {
    QComboBox* afMode = comboOf(row);
    const uint32_t af = m_link.values().getUnsigned(m_link.CurrentSource(), row.capId);
    // An earlier connection may have removed "MF"; a camera focusing by
    // hand needs it back.
    const int afSelection = static_cast<int>(std::min<uint32_t>(af, kManualFocusMode));
    offerManualFocus(afMode, afSelection == kManualFocusMode);
    setComboIndex(afMode, afSelection);
    afMode->setEnabled(afSelection < kManualFocusMode);
    m_focus.bAF->setEnabled(afSelection < kManualFocusMode);
}

void SettingsFill::fillMicLevel(const SettingBinding& row) {
    QSpinBox* level = std::get<QSpinBox*>(row.control);
    {
        const QSignalBlocker blocker(level);
        const RangeRecord range = m_link.values().getRange(m_link.CurrentSource(), row.capId);
        level->setValue(static_cast<int>(std::lround(range.value)));
    }
    m_movie.ieMicLevel->setValue(level->value());
    level->setEnabled(readable(m_link, row.capId));
}

void SettingsFill::fillBattery(const SettingBinding& row) {
    QProgressBar* bar = std::get<QProgressBar*>(row.control);
    const int battery = std::clamp(m_link.shortcuts().batteryLevel(), 0, kFullBattery);
    bar->setValue(battery);
    bar->setToolTip(QStringLiteral("Battery level %1%").arg(battery));
}
