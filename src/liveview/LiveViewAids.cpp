#include "liveview/LiveViewAids.h"

#include "liveview/LiveViewPainting.h"

#include <QPainter>

#include <algorithm>
#include <utility>

namespace {

QString percent(double share) {
    return QString::number(share * 100.0, 'f', 1) + QLatin1Char('%');
}

// Four swatches with their names, drawn once.
QImage drawLegend(const QFont& font) {
    const std::pair<uint32_t, const char*> bands[] = {
        {aidcolours::kClippedShadows, "Shadows"},
        {aidcolours::kMidGrey, "Mid grey"},
        {aidcolours::kSkin, "Skin"},
        {aidcolours::kClippedHighlights, "Highlights"}};
    const QFontMetrics metrics(font);
    const int swatch = metrics.height() - 4;
    int width = 4;
    for (const auto& band : bands) {
        width += swatch + 3 + metrics.horizontalAdvance(QLatin1String(band.second)) + 8;
    }
    QImage legend(width, metrics.height() + 2, QImage::Format_RGB32);
    legend.fill(0xFF202020);
    QPainter painter(&legend);
    painter.setFont(font);
    int x = 4;
    for (const auto& [colour, name] : bands) {
        painter.fillRect(x, 3, swatch, swatch, QColor::fromRgb(colour));
        x += swatch + 3;
        painter.setPen(Qt::white);
        painter.drawText(x, 1 + metrics.ascent(), QLatin1String(name));
        x += metrics.horizontalAdvance(QLatin1String(name)) + 8;
    }
    return legend;
}

} // namespace

QString AidReadingsText(const AidReadings& r) {
    QStringList parts;
    if (r.histogram) {
        parts << QStringLiteral("Clip %1 | %2")
                     .arg(percent(r.clipped.shadows), percent(r.clipped.highlights));
    }
    if (r.spotPercent >= 0) {
        parts << QStringLiteral("Spot %1%").arg(r.spotPercent);
    }
    return parts.join(QStringLiteral("  "));
}

LiveViewAids::LiveViewAids(QFont font) : m_font(std::move(font)) {}

const QImage& LiveViewAids::legend() {
    if (m_legend.isNull()) {
        m_legend = drawLegend(m_font);
    }
    return m_legend;
}

bool LiveViewAids::needsColours() const {
    const AidSettings& s = m_settings;
    return !s.falseColour || (s.histogram && s.histogramKind == HistogramKind::Rgb);
}

const AidReadings& LiveViewAids::apply(QImage& frame, QSize visible, LumaView decoded) {
    m_readings = AidReadings();
    const AidSettings& s = m_settings;
    if (!s.anyOn()) {
        return m_readings;
    }
    const int width = std::min(frame.width(), visible.width());
    const int height = std::min(frame.height(), visible.height());
    SpotReading spot;
    if (s.spot && m_pointer) {
        spot = decoded.valid() ? SpotMeter(decoded, m_pointer->x(), m_pointer->y())
                               : SpotMeter(frame, m_pointer->x(), m_pointer->y());
        m_readings.spotPercent = spot.percent;
    }
    if (s.needsLuma() || s.guides != 0) {
        if (s.histogram) {
            ClearHistogram(m_histogram, s.histogramKind == HistogramKind::Rgb);
        }
        const AidFramePass::Scopes scopes{s.histogram ? &m_histogram : nullptr,
                                          s.waveform ? &m_waveform : nullptr};
        m_guides.prepare(width, height, s.guides);
        m_readings.peakingPixels =
            m_pass.run(frame, s, scopes, decoded, s.guides != 0 ? &m_guides : nullptr);
    }
    if (s.histogram) {
        m_readings.histogram = true;
        m_readings.clipped = ClippedShare(m_histogram);
    }
    if (s.histogram) {
        DrawHistogram(frame, HistogramPlace(width, height), m_histogram);
    }
    if (s.waveform) {
        DrawWaveform(frame, WaveformPlace(width, height), m_waveform);
    }
    if (s.falseColour) {
        CopyInto(frame, legend(), 4, 4);
    }
    DrawSpot(frame, spot);
    return m_readings;
}

AidReadings LiveViewAids::still(const QImage& picture, QImage& overlay) {
    AidReadings readings;
    if (!m_settings.histogram || picture.isNull()) {
        overlay = QImage();
        return readings;
    }
    const QImage rgb =
        picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
            ? picture
            : picture.convertToFormat(QImage::Format_RGB32);
    Histogram histogram;
    CountHistogram(rgb, m_settings.histogramKind == HistogramKind::Rgb, histogram);
    overlay = QImage(kScopeWidth, kScopeHeight, QImage::Format_RGB32);
    overlay.fill(0xFF404040);
    DrawHistogram(overlay, {0, 0, kScopeWidth, kScopeHeight}, histogram);
    readings.histogram = true;
    readings.clipped = ClippedShare(histogram);
    return readings;
}
