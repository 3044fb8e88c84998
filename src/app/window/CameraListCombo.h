#pragma once
// The camera selector cbDSLR as camera detection sees it. Changes made from
// code never run the selector's change handler (the signals are blocked
// around them); detection shows the pictures itself where it needs them.
#include "app/CameraListControl.h"

class QComboBox;

class CameraListCombo final : public CameraListControl {
public:
    explicit CameraListCombo(QComboBox& combo) : m_combo(combo) {}

    int count() const override;
    std::string itemText(int index) const override;
    void addItem(const std::string& text) override;
    void removeItem(int index) override;
    void clear() override;
    int currentIndex() const override;
    void setCurrentIndex(int index) override;
    void repaint() override;

private:
    QComboBox& m_combo;
};
