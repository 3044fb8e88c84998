#include "camera/SourceShortcuts.h"

#include "camera/CameraLink.h"
#include "camera/CapabilityValues.h"
#include "camera/FocusPointGrid.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

using namespace orv;

namespace {

constexpr uint32_t kCcdModeBase = 3;
constexpr size_t kTerminateBlockBytes = 8;

} // namespace

SourceShortcuts::SourceShortcuts(CameraLink& link) : m_link(link) {}

CamObject* SourceShortcuts::source() const {
    return m_link.CurrentSource();
}

bool SourceShortcuts::setIndex(uint32_t capId, uint32_t index) {
    return m_link.values().setEnumIndex(source(), capId, index);
}

int32_t SourceShortcuts::index(uint32_t capId) {
    return m_link.values().getEnumIndex(source(), capId);
}

std::string SourceShortcuts::lines(uint32_t capId) {
    return m_link.values().getEnumLines(source(), capId);
}

std::string SourceShortcuts::text(uint32_t capId) {
    return m_link.values().getEnumText(source(), capId);
}

std::vector<uint32_t> SourceShortcuts::elements(uint32_t capId) {
    EnumRecord record{};
    std::vector<uint8_t> contents;
    if (!m_link.values().readEnumRecord(source(), capId, record) ||
        record.elementType != kElemUnsigned || record.bytesPerElement != sizeof(uint32_t) ||
        !m_link.values().readEnumContents(source(), capId, record, contents)) {
        return {};
    }
    std::vector<uint32_t> values(contents.size() / sizeof(uint32_t));
    std::memcpy(values.data(), contents.data(), values.size() * sizeof(uint32_t));
    return values;
}

int32_t SourceShortcuts::focusPreferredArea(int& horizontal, int& vertical) {
    const int32_t area = index(kCapFocusPreferredArea);
    FocusPointGrid(m_link.AfPointCount(), area, horizontal, vertical);
    return area;
}

bool SourceShortcuts::setMeteringMode(uint32_t value) {
    return m_link.values().setUnsigned(source(), kCapMeteringMode, value);
}

uint32_t SourceShortcuts::meteringMode() {
    return m_link.values().getUnsigned(source(), kCapMeteringMode);
}

uint32_t SourceShortcuts::internalFlashStatus() {
    return m_link.values().getUnsigned(source(), kCapInternalFlashStatus);
}

uint32_t SourceShortcuts::remainContinuous() {
    return m_link.values().getUnsigned(source(), kCapRemainContinuous);
}

bool SourceShortcuts::setCcdDataMode(uint32_t mode) {
    return m_link.values().setUnsigned(source(), kCapCcdDataMode, mode + kCcdModeBase);
}

int32_t SourceShortcuts::ccdDataMode() {
    return static_cast<int32_t>(m_link.values().getUnsigned(source(), kCapCcdDataMode)) -
           static_cast<int32_t>(kCcdModeBase);
}

bool SourceShortcuts::setRangeIndex(uint32_t capId, uint32_t index) {
    return m_link.values().setRangeIndex(source(), capId, index);
}

uint32_t SourceShortcuts::rangeIndex(uint32_t capId) {
    RangeRecord range{};
    return m_link.values().readRange(source(), capId, range) ? range.valueIndex : 0;
}

bool SourceShortcuts::setColorTemperature(double kelvin) {
    return m_link.values().setRangeByValue(source(), kCapWbColorTemp, kelvin);
}

int32_t SourceShortcuts::colorTemperature() {
    RangeRecord range{};
    if (!m_link.values().readRange(source(), kCapWbColorTemp, range)) {
        return 0;
    }
    return static_cast<int32_t>(std::lround(RangeValueForIndex(range, range.valueIndex)));
}

std::string SourceShortcuts::lensInfo() {
    return m_link.values().getText(source(), kCapLensInfo);
}

std::string SourceShortcuts::clockText() {
    DateTimeRecord dt{};
    m_link.values().getDateTime(source(), kCapClockDateTime, dt);
    char text[64];
    std::snprintf(text, sizeof(text), "%.4d.%.2d.%.2d. %.2d:%.2d:%.2d", dt.year, dt.month, dt.day,
                  dt.hour, dt.minute, dt.second);
    return text;
}

double SourceShortcuts::exposureStatus() {
    const double status = m_link.values().getFloat(source(), kCapExposureStatus);
    return std::isnan(status) ? 0.0 : std::clamp(status, -5.0, 5.0);
}

int32_t SourceShortcuts::batteryLevel() {
    return std::min(m_link.values().getInteger(source(), kCapBatteryLevel), 100);
}

bool SourceShortcuts::capture() {
    return m_link.values().start(source(), kCapCapture);
}

bool SourceShortcuts::terminateCapture(bool& captureFlag) {
    if (!CameraLink::FindCapability(source(), kCapTerminateCapture)) {
        return false;
    }
    captureFlag =
        !m_link.values().startWithBlock(source(), kCapTerminateCapture, kTerminateBlockBytes);
    return true;
}

bool SourceShortcuts::autoFocus(bool contrast) {
    if (contrast) {
        return m_link.values().setUnsignedInline(source(), kCapContrastAf, 0);
    }
    return m_link.values().start(source(), kCapAutoFocus);
}

bool SourceShortcuts::idle() {
    return source() && m_link.IdlePump(source());
}
