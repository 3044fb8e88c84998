#include "CameraPainter.h"

#include <QFont>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace {

struct BodyFrame {
    QRectF body;
    QPointF lensCentre;
    double lensRadius;
};

void paintBackdrop(QPainter& p, const QSize& size) {
    QLinearGradient backdrop(0, 0, 0, size.height());
    backdrop.setColorAt(0.0, QColor(0xfb, 0xfb, 0xfc));
    backdrop.setColorAt(0.75, QColor(0xe9, 0xea, 0xec));
    backdrop.setColorAt(1.0, QColor(0xdc, 0xdd, 0xe0));
    p.fillRect(QRect(QPoint(0, 0), size), backdrop);
}

void paintShadow(QPainter& p, const QRectF& body) {
    const QPointF centre(body.center().x(), body.bottom() + 4);
    QRadialGradient shadow(centre, body.width() * 0.6);
    shadow.setColorAt(0.0, QColor(0, 0, 0, 110));
    shadow.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.save();
    p.translate(centre);
    p.scale(1.0, 0.12);
    p.translate(-centre);
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.drawEllipse(centre, body.width() * 0.6, body.width() * 0.6);
    p.restore();
}

QLinearGradient bodyShade(const QRectF& r, const QColor& base) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0.0, base.lighter(190));
    g.setColorAt(0.08, base.lighter(130));
    g.setColorAt(0.5, base);
    g.setColorAt(1.0, base.darker(180));
    return g;
}

// Leather-like grain: fine dots from a fixed sequence, the same on every run.
void paintGrain(QPainter& p, const QRectF& area) {
    unsigned state = 12345u;
    p.save();
    p.setClipRect(area);
    for (int i = 0; i < static_cast<int>(area.width() * area.height() / 6); ++i) {
        state = state * 1103515245u + 12345u;
        const double x = area.left() + (state >> 8) % 1000 / 1000.0 * area.width();
        state = state * 1103515245u + 12345u;
        const double y = area.top() + (state >> 8) % 1000 / 1000.0 * area.height();
        p.setPen(QColor(255, 255, 255, 10 + static_cast<int>(state % 14)));
        p.drawPoint(QPointF(x, y));
    }
    p.restore();
}

void paintPrism(QPainter& p, const CameraLook& look, const BodyFrame& f) {
    const double cx = f.lensCentre.x();
    const double halfTop = look.popupFlash ? 30 : 24;
    const double halfBase = halfTop + 22;
    const double top = f.body.top() - (look.verticalGrip ? 34 : 30);
    QPainterPath prism;
    prism.moveTo(cx - halfBase, f.body.top() + 6);
    prism.lineTo(cx - halfTop, top + 4);
    prism.quadTo(cx - halfTop + 2, top, cx - halfTop + 8, top);
    prism.lineTo(cx + halfTop - 8, top);
    prism.quadTo(cx + halfTop - 2, top, cx + halfTop, top + 4);
    prism.lineTo(cx + halfBase, f.body.top() + 6);
    prism.closeSubpath();
    p.setPen(QPen(look.bodyColour.darker(220), 1));
    p.setBrush(bodyShade(prism.boundingRect(), look.bodyColour));
    p.drawPath(prism);
    // Hot shoe on the prism's roof.
    p.setBrush(QColor(0x8a, 0x8c, 0x90));
    p.drawRect(QRectF(cx - 12, top - 4, 24, 5));
    // Maker name on the prism front.
    QFont font(QStringLiteral("DejaVu Sans"), 8, QFont::Bold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    p.setFont(font);
    p.setPen(QColor(0xe8, 0xe8, 0xea));
    p.drawText(QRectF(cx - 40, top + 6, 80, 16), Qt::AlignCenter, QStringLiteral("ORVEL"));
}

void paintGrip(QPainter& p, const CameraLook& look, const BodyFrame& f) {
    const QRectF grip(f.body.left() - 3, f.body.top() - 4, 46, f.body.height() + 6);
    QLinearGradient g(grip.topLeft(), grip.topRight());
    g.setColorAt(0.0, look.bodyColour.lighter(160));
    g.setColorAt(0.25, look.bodyColour.darker(110));
    g.setColorAt(1.0, look.bodyColour.darker(160));
    p.setPen(QPen(look.bodyColour.darker(250), 1));
    p.setBrush(g);
    p.drawRoundedRect(grip, 14, 14);
    paintGrain(p, grip.adjusted(4, 12, -4, -6));
    // Shutter release on top of the grip.
    QRadialGradient button(QPointF(grip.left() + 22, grip.top() - 1), 9);
    button.setColorAt(0.0, QColor(0xf0, 0xf0, 0xf0));
    button.setColorAt(1.0, QColor(0x70, 0x72, 0x76));
    p.setBrush(button);
    p.drawEllipse(QPointF(grip.left() + 22, grip.top() - 1), 9, 3.5);
}

void paintVerticalGrip(QPainter& p, const CameraLook& look, const BodyFrame& f) {
    const QRectF base(f.body.left() + 4, f.body.bottom() - 6, f.body.width() - 8, 34);
    p.setPen(QPen(look.bodyColour.darker(250), 1));
    p.setBrush(bodyShade(base, look.bodyColour.darker(115)));
    p.drawRoundedRect(base, 10, 10);
    paintGrain(p, base.adjusted(8, 8, -80, -6));
    p.setBrush(QColor(0x9a, 0x9c, 0xa0));
    p.drawEllipse(QPointF(base.left() + 20, base.top() + 10), 6, 2.5);
}

void paintDial(QPainter& p, const BodyFrame& f) {
    const QRectF dial(f.body.right() - 46, f.body.top() - 9, 34, 9);
    QLinearGradient g(dial.topLeft(), dial.topRight());
    for (int i = 0; i <= 10; ++i) {
        g.setColorAt(i / 10.0, i % 2 ? QColor(0x30, 0x30, 0x33) : QColor(0x6a, 0x6c, 0x70));
    }
    p.setPen(QPen(QColor(0x18, 0x18, 0x1a), 1));
    p.setBrush(g);
    p.drawRoundedRect(dial, 2, 2);
}

void paintLens(QPainter& p, QPointF c, double r) {
    // Barrel with a ridged focus ring.
    QRadialGradient barrel(c, r);
    barrel.setColorAt(0.0, QColor(0x10, 0x10, 0x12));
    barrel.setColorAt(0.85, QColor(0x2c, 0x2c, 0x30));
    barrel.setColorAt(1.0, QColor(0x0a, 0x0a, 0x0c));
    p.setPen(QPen(QColor(0x08, 0x08, 0x0a), 1.2));
    p.setBrush(barrel);
    p.drawEllipse(c, r, r);
    p.setPen(QPen(QColor(0x44, 0x44, 0x48), 1));
    for (int i = 0; i < 72; ++i) {
        const double a = i * 2 * std::numbers::pi / 72;
        p.drawLine(QPointF(c.x() + std::cos(a) * r * 0.80, c.y() + std::sin(a) * r * 0.80),
                   QPointF(c.x() + std::cos(a) * r * 0.95, c.y() + std::sin(a) * r * 0.95));
    }
    // Silver trim ring.
    QLinearGradient trim(c - QPointF(r, r), c + QPointF(r, r));
    trim.setColorAt(0.0, QColor(0xf4, 0xf4, 0xf6));
    trim.setColorAt(0.5, QColor(0x80, 0x82, 0x86));
    trim.setColorAt(1.0, QColor(0xd0, 0xd2, 0xd6));
    p.setPen(QPen(QBrush(trim), std::max(1.0, r * 0.04)));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r * 0.76, r * 0.76);
    // Front element with coating tints and reflections.
    const double g = r * 0.66;
    QRadialGradient glass(c + QPointF(-g * 0.2, -g * 0.2), g * 1.2);
    glass.setColorAt(0.0, QColor(0x3a, 0x46, 0x6a));
    glass.setColorAt(0.45, QColor(0x12, 0x16, 0x2a));
    glass.setColorAt(1.0, QColor(0x02, 0x02, 0x06));
    p.setPen(QPen(QColor(0x05, 0x05, 0x08), 1));
    p.setBrush(glass);
    p.drawEllipse(c, g, g);
    p.setPen(QPen(QColor(0x9a, 0x5c, 0xc8, 120), std::max(1.0, r * 0.05)));
    p.drawArc(QRectF(c.x() - g * 0.7, c.y() - g * 0.7, g * 1.4, g * 1.4), 30 * 16, 70 * 16);
    p.setPen(QPen(QColor(0x4c, 0xc8, 0x8a, 90), std::max(1.0, r * 0.04)));
    p.drawArc(QRectF(c.x() - g * 0.5, c.y() - g * 0.5, g, g), 200 * 16, 60 * 16);
    QRadialGradient spot(c + QPointF(-g * 0.35, -g * 0.4), g * 0.35);
    spot.setColorAt(0.0, QColor(255, 255, 255, 210));
    spot.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(spot);
    p.drawEllipse(c + QPointF(-g * 0.35, -g * 0.4), g * 0.35, g * 0.35);
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawEllipse(c + QPointF(g * 0.3, g * 0.32), g * 0.06, g * 0.06);
}

void paintBodyHighlights(QPainter& p, const BodyFrame& f) {
    QLinearGradient sheen(f.body.topLeft(), f.body.topRight());
    sheen.setColorAt(0.0, QColor(255, 255, 255, 0));
    sheen.setColorAt(0.55, QColor(255, 255, 255, 40));
    sheen.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sheen);
    p.drawRoundedRect(QRectF(f.body.left() + 8, f.body.top() + 2, f.body.width() - 16, 6), 3, 3);
}

void paintModelName(QPainter& p, const CameraLook& look, const BodyFrame& f) {
    QFont font(QStringLiteral("DejaVu Sans"), 7, QFont::Bold);
    p.setFont(font);
    p.setPen(QColor(0xc8, 0xca, 0xce));
    const QRectF area(f.body.right() - 60, f.body.bottom() - 18, 52, 14);
    p.drawText(area, Qt::AlignRight | Qt::AlignVCenter, look.name);
    // Lens-release button and the AF-assist lamp.
    p.setPen(QPen(QColor(0x10, 0x10, 0x12), 1));
    p.setBrush(QColor(0x5a, 0x5c, 0x60));
    p.drawEllipse(f.lensCentre + QPointF(f.lensRadius + 10, f.lensRadius * 0.3), 4, 4);
    p.setBrush(QColor(0xd8, 0xa0, 0x60));
    p.drawEllipse(QPointF(f.body.left() + 52, f.body.top() + 14), 3, 3);
}

void paintUnknownMark(QPainter& p, const BodyFrame& f) {
    QFont font(QStringLiteral("DejaVu Sans"), static_cast<int>(f.lensRadius * 0.7), QFont::Bold);
    p.setFont(font);
    p.setPen(QColor(0xf0, 0xf0, 0xf2, 200));
    const QRectF area(f.lensCentre.x() - f.lensRadius, f.lensCentre.y() - f.lensRadius,
                      2 * f.lensRadius, 2 * f.lensRadius);
    p.drawText(area, Qt::AlignCenter, QStringLiteral("?"));
}

} // namespace

QImage CameraPainter::photo(const CameraLook& look) {
    QImage image(kPhotoWidth, look.photoHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    paintBackdrop(p, image.size());
    const double gripExtra = look.verticalGrip ? 28 : 0;
    const double left = (kPhotoWidth - look.bodyWidth) / 2.0 + 2;
    const double bottom = look.photoHeight - 26 - gripExtra;
    BodyFrame f{QRectF(left, bottom - look.bodyHeight, look.bodyWidth, look.bodyHeight), {}, 0};
    f.lensCentre = QPointF(f.body.center().x() + 14, f.body.center().y() + 6);
    f.lensRadius = look.lensRadius;
    paintShadow(p, f.body.adjusted(0, 0, 0, gripExtra));
    if (look.verticalGrip) {
        paintVerticalGrip(p, look, f);
    }
    paintPrism(p, look, f);
    p.setPen(QPen(look.bodyColour.darker(250), 1));
    p.setBrush(bodyShade(f.body, look.bodyColour));
    p.drawRoundedRect(f.body, 9, 9);
    paintBodyHighlights(p, f);
    paintDial(p, f);
    paintGrip(p, look, f);
    paintModelName(p, look, f);
    paintLens(p, f.lensCentre, f.lensRadius);
    if (look.unknown) {
        paintUnknownMark(p, f);
    }
    return image;
}

QImage CameraPainter::logo(const QString& modelName) {
    QFont mark(QStringLiteral("DejaVu Serif"), 24, QFont::Bold);
    mark.setItalic(true);
    QFont model(QStringLiteral("DejaVu Sans"), 17, QFont::Bold);
    const QString wordmark = QStringLiteral("Orvel");
    const int markWidth = QFontMetrics(mark).horizontalAdvance(wordmark);
    const int modelWidth = QFontMetrics(model).horizontalAdvance(modelName);
    const int width = std::min(kLogoMaxWidth, 12 + markWidth + 10 + modelWidth + 12);
    QImage image(width, kLogoHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    // A sweep under the wordmark.
    QLinearGradient sweep(12, 0, 12 + markWidth, 0);
    sweep.setColorAt(0.0, QColor(0x1b, 0x4f, 0xa8));
    sweep.setColorAt(1.0, QColor(0x5f, 0xb4, 0xe8));
    p.setPen(QPen(QBrush(sweep), 3, Qt::SolidLine, Qt::RoundCap));
    QPainterPath arc;
    arc.moveTo(10, 46);
    arc.quadTo(12 + markWidth / 2.0, 56, 14 + markWidth, 42);
    p.drawPath(arc);
    p.setFont(mark);
    p.setPen(QColor(0x12, 0x3a, 0x7a));
    p.drawText(QRect(12, 4, markWidth + 2, 42), Qt::AlignLeft | Qt::AlignVCenter, wordmark);
    p.setFont(model);
    p.setPen(QColor(0x30, 0x32, 0x36));
    p.drawText(QRect(12 + markWidth + 10, 8, modelWidth + 4, 40), Qt::AlignLeft | Qt::AlignVCenter,
               modelName);
    return image;
}

QImage CameraPainter::lensCloseUp(int size) {
    QImage image(size, size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintBackdrop(p, image.size());
    paintLens(p, QPointF(size / 2.0, size / 2.0), size * 0.46);
    return image;
}
