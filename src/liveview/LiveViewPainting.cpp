#include "liveview/LiveViewPainting.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

namespace {

void fillRows(QImage& image, int left, int top, int right, int bottom, QRgb colour) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, image.width());
    bottom = std::min(bottom, image.height());
    if (right <= left) {
        return;
    }
    for (int y = top; y < bottom; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::fill(line + left, line + right, colour);
    }
}

void blit(QImage& target, const QImage& source, int left, int top) {
    const int x0 = std::max(left, 0);
    const int x1 = std::min(left + source.width(), target.width());
    if (x1 <= x0) {
        return;
    }
    for (int y = std::max(top, 0); y < std::min(top + source.height(), target.height()); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(y - top));
        auto* to = reinterpret_cast<QRgb*>(target.scanLine(y));
        std::memcpy(to + x0, from + (x0 - left), sizeof(QRgb) * size_t(x1 - x0));
    }
}

// Every colour byte becomes byte * 7 div 8.
void darken(QImage& image, const PixelBox& b) {
    const int left = std::max(b.left, 0);
    const int right = std::min(b.right, image.width());
    for (int y = std::max(b.top, 0); y < std::min(b.bottom, image.height()); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = left; x < right; ++x) {
            const QRgb p = line[x];
            line[x] = qRgb(qRed(p) * 7 / 8, qGreen(p) * 7 / 8, qBlue(p) * 7 / 8);
        }
    }
}

void drawSoundColumn(QImage& image, const std::array<PixelBox, kSoundMeterSegments>& boxes,
                     const SoundMeterColumn& colours) {
    for (size_t i = 0; i < boxes.size(); ++i) {
        const PixelBox& b = boxes[i];
        fillRows(image, b.left, b.top, b.right, b.bottom, 0xFF000000u | colours[i]);
    }
}

} // namespace

void DrawSoundMeter(QImage& image, const LiveViewFields& fields) {
    const SoundMeterPlace place = SoundMeterLayout(image.height());
    darken(image, place.band);
    drawSoundColumn(image, place.left,
                    SoundMeterColours(fields.soundLevelLeft, fields.soundPeakLeft));
    drawSoundColumn(image, place.right,
                    SoundMeterColours(fields.soundLevelRight, fields.soundPeakRight));
}

void FramePixelBox(QImage& image, const PixelBox& b, QRgb colour) {
    if (b.right <= b.left || b.bottom <= b.top) {
        return;
    }
    fillRows(image, b.left, b.top, b.right, b.top + 1, colour);
    fillRows(image, b.left, b.bottom - 1, b.right, b.bottom, colour);
    fillRows(image, b.left, b.top, b.left + 1, b.bottom, colour);
    fillRows(image, b.right - 1, b.top, b.right, b.bottom, colour);
}

void FillPixelBox(QImage& image, const PixelBox& b, QRgb fill, QRgb outline) {
    fillRows(image, b.left, b.top, b.right, b.bottom, fill);
    FramePixelBox(image, b, outline);
}

void CopyInto(QImage& target, const QImage& source, int left, int top) {
    blit(target, source, left, top);
}

FaceLabels::FaceLabels(const QFont& font) {
    const QFontMetrics metrics(font);
    for (int i = 0; i < LiveViewFields::kMaxFaces; ++i) {
        const QString text = QString::number(i + 1) + QLatin1Char(' ');
        QImage& label = m_labels[static_cast<size_t>(i)];
        label = QImage(std::max(1, metrics.horizontalAdvance(text)), std::max(1, metrics.height()),
                       QImage::Format_RGB32);
        label.fill(lvcolours::kFace);
        QPainter painter(&label);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(0, metrics.ascent(), text);
    }
}

const QImage& FaceLabels::label(int number) const {
    return m_labels[static_cast<size_t>(std::clamp(number, 1, LiveViewFields::kMaxFaces) - 1)];
}

void DrawLiveImageFrames(QImage& image, const OverlayFrames& frames, const FaceLabels& labels) {
    if (!frames.valid) {
        return;
    }
    if (!frames.faces) {
        FramePixelBox(image, frames.boxes[0],
                      frames.inFocus ? lvcolours::kInFocus : lvcolours::kAfFrame);
        return;
    }
    for (int i = 0; i < frames.count; ++i) {
        const PixelBox& box = frames.boxes[static_cast<size_t>(i)];
        FramePixelBox(image, box, lvcolours::kFace);
        blit(image, labels.label(i + 1), box.left + 2, box.top);
    }
}

void DrawNavigator(QImage& image, const NavigatorGeometry& nav) {
    if (!nav.valid) {
        return;
    }
    using namespace lvcolours;
    FillPixelBox(image, {0, 0, image.width(), nav.height}, kNavigatorBack, kOutline);
    FillPixelBox(image, nav.shown, kNavigatorShown, kOutline);
    const QRgb colour = nav.frames.faces ? kFace : kAfFrame;
    for (int i = 0; i < nav.frames.count; ++i) {
        FramePixelBox(image, nav.frames.boxes[static_cast<size_t>(i)], colour);
    }
}
