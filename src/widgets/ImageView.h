#pragma once
// The still picture of the preview area: scaled to fit the widget with its
// proportions kept, centred, on the widget's background.
#include <QImage>
#include <QWidget>

class ImageView : public QWidget {
    Q_OBJECT
public:
    explicit ImageView(QWidget* parent = nullptr);

    void setImage(QImage image);
    const QImage& image() const { return m_image; }

    // The rectangle the picture occupies inside a widget of the given size.
    static QRect fittedRect(QSize picture, QSize area);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
};
