#pragma once
// The About photo's change: the photo panel shrinks towards its middle in
// ten steps, the new picture goes in, and it grows back in ten more, one
// step per tick of its own timer, so the window keeps working meanwhile.
#include <QObject>
#include <QPixmap>
#include <QTimer>

class QFrame;
class QLabel;

class PhotoSwap : public QObject {
    Q_OBJECT
public:
    static constexpr int kStep_ms = 17;

    PhotoSwap(QFrame& pPhoto, QLabel& iPhoto, QObject* parent = nullptr);

    // Shows the JPEG picture in `fileName`. When it cannot be read, the old
    // photo stays and the panel loses its bevel.
    void replace(const QString& fileName);
    bool running() const { return m_timer.isActive(); }

signals:
    // The last step is done: the new photo is in place.
    void replaced();

private:
    void step();
    void place(int k);

    QFrame& m_pPhoto;
    QLabel& m_iPhoto;
    QTimer m_timer;
    QPixmap m_next;
    int m_tick = 0;
};
