#pragma once
// Controls made at run time inside a parent that would otherwise keep them
// until it dies. They are destroyed when cleared or when this goes, and a
// control its parent has destroyed already is skipped, whichever goes first.
#include <QPointer>
#include <QWidget>

#include <vector>

class OwnedWidgets {
public:
    OwnedWidgets() = default;
    OwnedWidgets(const OwnedWidgets&) = delete;
    OwnedWidgets& operator=(const OwnedWidgets&) = delete;
    ~OwnedWidgets() { clear(); }

    // A new control of type T inside `parent`, at `geometry`.
    template <typename T> T* make(QWidget* parent, const QRect& geometry) {
        auto* widget = new T(parent); // parent-owned; destroyed by clear() at the latest
        widget->setGeometry(geometry);
        m_widgets.emplace_back(widget);
        return widget;
    }

    void clear() {
        for (QPointer<QWidget>& widget : m_widgets) {
            delete widget.data();
        }
        m_widgets.clear();
    }

    bool empty() const { return m_widgets.empty(); }

private:
    std::vector<QPointer<QWidget>> m_widgets;
};
