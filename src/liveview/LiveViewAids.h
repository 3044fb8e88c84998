#pragma once
// The live view aids of one frame, in the order that keeps each honest: the
// readings (spot meter, histogram, waveform) from the frame as decoded, then
// what paints its pixels (false colour, zebras, peaking) in the same pass,
// then what is drawn over them (guides, scopes, legend, the spot box). Aids
// that are off cost nothing; with all of them off a frame is not touched.
#include "liveview/AidSettings.h"
#include "liveview/Guides.h"
#include "liveview/LumaPlane.h"
#include "liveview/PixelAids.h"
#include "liveview/Scopes.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

#include <optional>

struct AidReadings {
    bool histogram = false; // the clipped shares below are measured
    ClippedShares clipped;
    int spotPercent = -1;  // -1: no spot reading
    int peakingPixels = 0; // marked on every fourth row
    bool operator==(const AidReadings&) const = default;
};

// The readings as the Aids row shows them, e.g. "Clip 0.0% | 10.0%  Spot 50%";
// empty when nothing is measured.
QString AidReadingsText(const AidReadings& readings);

class LiveViewAids {
public:
    explicit LiveViewAids(QFont font = QFont());

    void setSettings(const AidSettings& settings) { m_settings = settings; }
    const AidSettings& settings() const { return m_settings; }
    // The pointer over the live image, for the spot meter (none: off it).
    void setPointer(std::optional<QPoint> pointer) { m_pointer = pointer; }

    // Applies the aids to `frame`, of which the window shows the top-left
    // `visible` part (scopes and guides are placed in it). `decoded` is the
    // frame's luminance as the decoder left it, when it has it.
    const AidReadings& apply(QImage& frame, QSize visible, LumaView decoded = {});
    // Whether the frame's colours are needed: false colour paints every
    // pixel from the luminance alone, unless the RGB histogram counts them.
    bool needsColours() const;
    // The histogram of a still picture, drawn on a scope-sized image of its
    // own (null when the histogram is off).
    AidReadings still(const QImage& picture, QImage& overlay);

    const Histogram& histogram() const { return m_histogram; }
    const Waveform& waveform() const { return m_waveform; }

private:
    const QImage& legend();

    AidSettings m_settings;
    QFont m_font;
    std::optional<QPoint> m_pointer;
    AidFramePass m_pass;
    GuidePlan m_guides;
    Histogram m_histogram;
    Waveform m_waveform;
    QImage m_legend;
    AidReadings m_readings;
};
