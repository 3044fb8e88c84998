#include "app/window/PhotoSwap.h"

#include "app/window/AboutLayout.h"
#include "images/JpegPicture.h"

#include <QFrame>
#include <QLabel>

namespace {

// The bevel's width on each side of the picture.
constexpr int kBevel = 2;

} // namespace

PhotoSwap::PhotoSwap(QFrame& pPhoto, QLabel& iPhoto, QObject* parent)
    : QObject(parent), m_pPhoto(pPhoto), m_iPhoto(iPhoto) {
    m_timer.setInterval(kStep_ms);
    connect(&m_timer, &QTimer::timeout, this, &PhotoSwap::step);
}

void PhotoSwap::replace(const QString& fileName) {
    const QRect full = aboutlayout::photoStep(aboutlayout::kPhotoSteps);
    jpeg::JpegDecoder decoder;
    const jpeg::Picture picture =
        decoder.decodeFile(fileName.toStdString(), full.size() - QSize(2 * kBevel, 2 * kBevel));
    if (!picture.ok() || picture.image.isNull()) {
        m_pPhoto.setFrameStyle(QFrame::NoFrame);
        return;
    }
    m_next = QPixmap::fromImage(picture.image);
    // A change that arrives during the last one starts again from the top.
    m_tick = 0;
    m_timer.start();
}

// Ticks 0 to 9 shrink (k = 10 ... 1), the picture changes, 10 to 19 grow
// (k = 1 ... 10).
void PhotoSwap::step() {
    const int steps = aboutlayout::kPhotoSteps;
    if (m_tick < steps) {
        place(steps - m_tick);
        if (m_tick == steps - 1) {
            m_iPhoto.setPixmap(m_next);
        }
    } else {
        place(m_tick - steps + 1);
    }
    ++m_tick;
    if (m_tick < 2 * steps) {
        return;
    }
    m_timer.stop();
    m_pPhoto.setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_iPhoto.setCursor(Qt::PointingHandCursor);
    m_iPhoto.setToolTip(QStringLiteral("Click for another photo"));
    emit replaced();
}

void PhotoSwap::place(int k) {
    const QRect at = aboutlayout::photoStep(k);
    m_pPhoto.setGeometry(at);
    m_iPhoto.setGeometry(kBevel, kBevel, std::max(0, at.width() - 2 * kBevel),
                         std::max(0, at.height() - 2 * kBevel));
}
