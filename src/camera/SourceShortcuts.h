#pragma once
// The settings the main window's controls read and write, always on the
// current source; without one they do nothing and give the default.
#include <cstdint>
#include <string>
#include <vector>

class CameraLink;
class CamObject;

class SourceShortcuts {
public:
    explicit SourceShortcuts(CameraLink& link);

    // Enumeration capabilities (ISO 0x8117, aperture 0x8113, shutter 0x8112,
    // WB 0x8118, focus area 0x8121, image size 0x8157, ...).
    bool setIndex(uint32_t capId, uint32_t index);
    int32_t index(uint32_t capId);     // -1 when unreadable
    std::string lines(uint32_t capId); // entries each ending in CR LF
    std::string text(uint32_t capId);  // the current entry as text
    // The elements of an enumeration of unsigned values; empty otherwise.
    std::vector<uint32_t> elements(uint32_t capId);

    // Focus preferred area (0x8122): the index read, with the offsets of its
    // AF point from the centre updated for the camera's AF layout.
    int32_t focusPreferredArea(int& horizontal, int& vertical);

    bool setMeteringMode(uint32_t value);
    uint32_t meteringMode();
    uint32_t internalFlashStatus();
    uint32_t remainContinuous();
    // The camera counts CCD data modes from 3.
    bool setCcdDataMode(uint32_t mode);
    int32_t ccdDataMode();

    // Ranges addressed by index (0x8115, movie exposure comp 0x8339).
    bool setRangeIndex(uint32_t capId, uint32_t index);
    uint32_t rangeIndex(uint32_t capId); // 0 when unreadable
    // WB tune colour temperature (0x8325) in kelvin, stored by index.
    bool setColorTemperature(double kelvin);
    int32_t colorTemperature();

    std::string lensInfo();
    // "yyyy.mm.dd. hh:nn:ss" of the camera clock (months from 1).
    std::string clockText();
    double exposureStatus(); // clamped to -5 ... +5
    int32_t batteryLevel();  // at most 100

    // Release; true when the capture started.
    bool capture();
    // Ends a capture when the camera offers it; `captureFlag` becomes the
    // negated result. False when the capability is missing.
    bool terminateCapture(bool& captureFlag);
    // Contrast AF (0x8240 := 0) when `contrast`, else the AutoFocus start.
    bool autoFocus(bool contrast);
    bool idle();

private:
    CamObject* source() const;

    CameraLink& m_link;
};
