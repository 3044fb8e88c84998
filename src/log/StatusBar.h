#pragma once
// The main window's status bar: panel 0 shows the state ("Ready." or a red
// "ERROR" badge), panel 1 the last logged message without markup. Only the
// message log writes to it.
#include <QColor>
#include <QFont>
#include <QStatusBar>
#include <QString>
#include <array>
#include <string>

class LogModel;

class StatusBar : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int kInitialPanelWidth = 50;
    static constexpr int kBadgeWidth = 54;
    static constexpr int kBadgeTextX = 8;
    static constexpr int kBadgeTextY = 3;
    static inline const QColor kBadgeColour{255, 0, 0};
    static inline const QColor kBadgeTextColour{255, 255, 0};

    explicit StatusBar(QWidget* parent = nullptr);

    // Shows every line `model` logs from now on: "Ready." with the message,
    // or the error badge for an error line.
    void follow(const LogModel& model);

    // Writes `text` (UTF-8, no tags) into panel 0 or 1 and leaves the error
    // state; "[...]" segments are hidden in the panel but kept in the hint.
    void slog(const std::string& text, int panel);
    // Back to the ready state: "Ready." in panel 0, panel 1 empty.
    void slogR();
    // Shows `text` as an error: badge in panel 0, bold font, text in panel 1.
    void erslog(const std::string& text);

    // State for the window and for tests.
    QString panelText(int panel) const;
    int panelWidth(int panel) const;
    bool errorShown() const { return m_errorShown; }
    QString hint() const { return toolTip(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void setBold(bool bold);
    int panel0Width(const QString& text);
    void drawErrorBadge(QPainter& painter, const QRect& rect);

    std::array<QString, 2> m_texts;
    // Last measured panel 0 text: every log line puts "Ready." back there.
    QString m_measuredText;
    QFont m_measuredFont;
    int m_measuredWidth = -1; // nothing measured yet
    std::array<int, 2> m_widths{kInitialPanelWidth, kInitialPanelWidth};
    bool m_errorShown = false;
};
