#pragma once
// The camera list of a program without a window: the names the detection
// puts in, and the entry selected.
#include "app/CameraListControl.h"

#include <string>
#include <vector>

class CameraNameList : public CameraListControl {
public:
    int count() const override { return static_cast<int>(m_names.size()); }
    std::string itemText(int index) const override;
    void addItem(const std::string& text) override { m_names.push_back(text); }
    void removeItem(int index) override;
    void clear() override;
    int currentIndex() const override { return m_current; }
    void setCurrentIndex(int index) override;
    void repaint() override {}

    const std::vector<std::string>& names() const { return m_names; }

private:
    std::vector<std::string> m_names;
    int m_current = -1;
};
