#include "app/window/WidgetFactory.h"

namespace widgets {

QString displayText(const char* text) {
    QString result = QString::fromUtf8(text);
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return result;
}

QComboBox* makeList(QWidget* parent, const char* name, const QRect& geometry, const char* hint,
                    const QStringList& items, int selected) {
    auto* list = make<QComboBox>(parent, name, geometry, hint);
    list->addItems(items);
    list->setCurrentIndex(selected);
    return list;
}

} // namespace widgets
