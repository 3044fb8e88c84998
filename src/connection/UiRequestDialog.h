#pragma once
// The module's questions to the user as a modal question box. Buttons follow
// the request kind; closing the box without a button (Escape, close box)
// answers "none".
#include "camera/UiRequestHandler.h"

#include <QMessageBox>

class QWidget;

class UiRequestDialog : public UiRequestHandler {
public:
    explicit UiRequestDialog(QWidget* parent = nullptr) : m_parent(parent) {}

    uint32_t ask(int kind, const std::string& message) override;

    // Buttons of a request kind; none for kinds the module does not define.
    static QMessageBox::StandardButtons buttonsFor(int kind);
    // Reply code for the button that closed the box (NoButton when none did).
    static uint32_t replyFor(int kind, QMessageBox::StandardButton pressed);

private:
    QWidget* m_parent;
};
