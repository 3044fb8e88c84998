#include "app/window/MainWindowSize.h"

#include <QWidget>

MainWindowSize::MainWindowSize(QWidget& window) : m_window(window) {}

bool MainWindowSize::isNormal() const {
    return (m_window.windowState() &
            (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)) == 0;
}

int MainWindowSize::width() const {
    return m_window.width();
}

int MainWindowSize::height() const {
    return m_window.height();
}

void MainWindowSize::setMinimumWidth(int width) {
    lockWidth(false);
    m_window.setMinimumWidth(width);
}

void MainWindowSize::setWidth(int width) {
    lockWidth(false);
    m_window.resize(width, m_window.height());
}

void MainWindowSize::setHeight(int height) {
    m_window.resize(m_window.width(), height);
}

void MainWindowSize::lockWidth(bool locked) {
    m_window.setMaximumWidth(locked ? m_window.width() : QWIDGETSIZE_MAX);
}
