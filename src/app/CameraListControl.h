#pragma once
// The camera selector as the detection sees it: a list of model names with
// one selected entry. The main window adapts its combo box to it; selecting
// from code does not run the selector's change handler.
#include <string>

class CameraListControl {
public:
    virtual ~CameraListControl() = default;

    virtual int count() const = 0;
    virtual std::string itemText(int index) const = 0;
    virtual void addItem(const std::string& text) = 0;
    // Removing the selected entry selects a neighbour, as a combo box does.
    virtual void removeItem(int index) = 0;
    virtual void clear() = 0;
    // -1 when nothing is selected.
    virtual int currentIndex() const = 0;
    virtual void setCurrentIndex(int index) = 0;
    virtual void repaint() = 0;
};

// Text of the selected entry; empty when none is selected.
std::string currentText(const CameraListControl& list);

// Index of the first entry equal to text, or -1.
int findItem(const CameraListControl& list, const std::string& text);
