#pragma once
// The still picture of the preview area: scaled to fit the widget with its
// proportions kept, centred, on the widget's background. An overlay (a
// scope of the picture) can be shown at its bottom left corner, unscaled.
#include <QImage>
#include <QWidget>

class ImageView : public QWidget {
    Q_OBJECT
public:
    explicit ImageView(QWidget* parent = nullptr);

    void setImage(QImage image);
    const QImage& image() const { return m_image; }
    void setOverlay(QImage overlay);
    const QImage& overlay() const { return m_overlay; }

    // The rectangle the picture occupies inside a widget of the given size.
    static QRect fittedRect(QSize picture, QSize area);

signals:
    void imageChanged();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
    QImage m_overlay;
};
