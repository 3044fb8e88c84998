#pragma once
// Small helpers that create the window's controls the way a form designer
// would: a named child at a fixed place, with its caption, hint and items.
// Every control is owned by its Qt parent, which deletes it with the window.
#include <QComboBox>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace widgets {

// Texts keep the program's CR LF line breaks; Qt shows LF only.
QString displayText(const char* text);

// A child of `parent` named `name`, placed at `geometry`.
template <typename T> T* make(QWidget* parent, const char* name, const QRect& geometry) {
    // Owned by `parent` through Qt's object tree.
    T* widget = new T(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

// As make(), with the tool tip set (empty hint: none).
template <typename T>
T* make(QWidget* parent, const char* name, const QRect& geometry, const char* hint) {
    T* widget = make<T>(parent, name, geometry);
    if (hint != nullptr && *hint != '\0') {
        widget->setToolTip(displayText(hint));
    }
    return widget;
}

// A drop-down list with fixed items and a design-time selection (-1: none).
QComboBox* makeList(QWidget* parent, const char* name, const QRect& geometry, const char* hint,
                    const QStringList& items, int selected);

} // namespace widgets
