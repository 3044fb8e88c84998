#pragma once
// A paint box: the window draws on its own canvas (a QImage) and the widget
// shows that canvas as it is. Mouse presses, moves and double clicks are
// passed on as signals so the handlers can live outside the widget.
#include <QImage>
#include <QWidget>

class PaintBox : public QWidget {
    Q_OBJECT
public:
    explicit PaintBox(QWidget* parent = nullptr);

    // The canvas, resized (and cleared to white) to the widget's size.
    QImage& canvas();
    const QImage& canvas() const { return m_canvas; }

signals:
    void mousePressed(QPoint pos, Qt::MouseButton button);
    void mouseMoved(QPoint pos);
    void doubleClicked(QPoint pos);
    // A press with Ctrl, Shift or Alt held, after mousePressed.
    void modifiedPress(QPoint pos, Qt::KeyboardModifiers modifiers);
    void mouseLeft();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QImage m_canvas;
};
