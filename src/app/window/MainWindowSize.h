#pragma once
// WindowSizePort on a real top-level window. Widening or narrowing from code
// first lifts the width lock of the narrow Main page; the window re-applies
// the lock after its own layout.
#include "app/window/WindowSizePort.h"

class QWidget;

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
    QWidget& m_window;
};
