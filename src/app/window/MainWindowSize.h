#pragma once
// WindowSizePort on a real top-level window. Widening or narrowing from code
// first lifts the width lock of the narrow Main page; the window re-applies
// the lock after its own layout.
#include "app/window/WindowSizePort.h"

#include <QSize>

class QWidget;

// Room on the window's screen: no computed or restored size goes beyond it,
// whatever the width rules or the settings file ask for.
QSize availableScreenSize(const QWidget& window);

class MainWindowSize : public WindowSizePort {
public:
    explicit MainWindowSize(QWidget& window);

    bool isNormal() const override;
    int width() const override;
    int height() const override;
    void setMinimumWidth(int width) override;
    void setWidth(int width) override;
    void setHeight(int height) override;

    // Fixes the current width (heights stay free), or frees it again.
    void lockWidth(bool locked);

private:
    QSize available() const;

    QWidget& m_window;
};
