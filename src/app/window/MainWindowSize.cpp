#include "app/window/MainWindowSize.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

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
    m_window.resize(std::min(width, available().width()), m_window.height());
}

void MainWindowSize::setHeight(int height) {
    m_window.resize(m_window.width(), std::min(height, available().height()));
}

QSize MainWindowSize::available() const {
    return availableScreenSize(m_window);
}

QSize availableScreenSize(const QWidget& window) {
    const QScreen* screen = window.screen();
    return screen ? screen->availableGeometry().size() : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

void MainWindowSize::lockWidth(bool locked) {
    m_window.setMaximumWidth(locked ? m_window.width() : QWIDGETSIZE_MAX);
}
