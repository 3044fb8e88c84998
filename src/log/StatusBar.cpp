#include "log/StatusBar.h"

#include "log/LogModel.h"

#include "log/TaggedText.h"

#include <QPaintEvent>
#include <QPainter>

namespace {
constexpr int kPanelGap = 2;
constexpr int kTextMargin = 2;
} // namespace

StatusBar::StatusBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("StatusBar"));
}

void StatusBar::follow(const LogModel& model) {
    connect(&model, &LogModel::statusText, this, [this](const std::string& text, bool error) {
        if (error) {
            erslog(text);
        } else {
            slogR();
            slog(text, 1);
        }
    });
}

void StatusBar::slog(const std::string& text, int panel) {
    if (panel != 0 && panel != 1) {
        return;
    }
    setBold(false);
    m_errorShown = false;
    m_texts[static_cast<std::size_t>(panel)] =
        QStringLiteral(" ") + QString::fromStdString(StripBrackets(text)) + QStringLiteral(" ");
    if (panel == 0) {
        m_widths[0] = panel0Width(m_texts[0]);
    } else {
        setToolTip(QString::fromStdString(text));
    }
    update();
}

void StatusBar::slogR() {
    slog("Ready.", 0);
    slog("", 1);
}

void StatusBar::erslog(const std::string& text) {
    setBold(true);
    m_errorShown = true;
    const QString stripped = QString::fromStdString(StripBrackets(text));
    m_texts[1] = QStringLiteral(" ") + stripped;
    setToolTip(stripped);
    // The badge has a fixed width; set it here rather than while painting so
    // the layout is right before the first paint.
    m_widths[0] = kBadgeWidth;
    update();
}

QString StatusBar::panelText(int panel) const {
    if (panel == 0 && m_errorShown) {
        return QStringLiteral("ERROR");
    }
    return panel == 0 || panel == 1 ? m_texts[static_cast<std::size_t>(panel)] : QString();
}

int StatusBar::panelWidth(int panel) const {
    return panel == 0 || panel == 1 ? m_widths[static_cast<std::size_t>(panel)] : 0;
}

QSize StatusBar::sizeHint() const {
    const QSize base = QStatusBar::sizeHint();
    return {base.width(), std::max(base.height(), fontMetrics().height() + 2 * kBadgeTextY)};
}

QSize StatusBar::minimumSizeHint() const {
    const QSize base = QStatusBar::minimumSizeHint();
    return {base.width(), std::max(base.height(), fontMetrics().height() + 2 * kBadgeTextY)};
}

void StatusBar::setBold(bool bold) {
    QFont f = font();
    if (f.bold() != bold) {
        f.setBold(bold);
        setFont(f);
    }
}

// The panel fits the text plus one "m"; measured again only when the text or
// the font changed.
int StatusBar::panel0Width(const QString& text) {
    if (m_measuredWidth < 0 || text != m_measuredText || font() != m_measuredFont) {
        m_measuredText = text;
        m_measuredFont = font();
        m_measuredWidth = fontMetrics().horizontalAdvance(text + QStringLiteral("m"));
    }
    return m_measuredWidth;
}

void StatusBar::drawErrorBadge(QPainter& painter, const QRect& rect) {
    painter.fillRect(rect, kBadgeColour);
    painter.setPen(kBadgeTextColour);
    const QRect textRect(kBadgeTextX, kBadgeTextY, rect.right() - kBadgeTextX,
                         height() - kBadgeTextY);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     QStringLiteral("ERROR"));
}

void StatusBar::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QRect panel0(0, 0, m_widths[0], height());
    const QRect panel1(m_widths[0] + kPanelGap, 0, width() - m_widths[0] - kPanelGap, height());
    if (m_errorShown) {
        drawErrorBadge(painter, panel0);
    } else {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(panel0.adjusted(kTextMargin, 0, 0, 0),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_texts[0]);
    }
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(m_widths[0], 2, m_widths[0], height() - 3);
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect textRect = panel1.adjusted(kTextMargin, 0, -kTextMargin, 0);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     fontMetrics().elidedText(m_texts[1], Qt::ElideRight, textRect.width()));
}
