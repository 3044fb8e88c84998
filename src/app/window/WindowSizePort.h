#pragma once
// The window as the page and width rules see it: its state and size, and
// the two constraints they change. TfMain implements it on the real window;
// tests use a small model of a window.

class WindowSizePort {
public:
    virtual ~WindowSizePort() = default;
    // Neither maximised nor minimised.
    virtual bool isNormal() const = 0;
    virtual int width() const = 0;
    virtual int height() const = 0;
    // May resize the window when it is narrower; the resize is reported back
    // through WindowLayoutRules::resized before this returns.
    virtual void setMinimumWidth(int width) = 0;
    virtual void setWidth(int width) = 0;
    virtual void setHeight(int height) = 0;
};
