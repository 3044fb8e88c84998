#include "app/window/FixedLists.h"

namespace fixedlists {

QStringList colorTemperatureItems() {
    constexpr int kFirst = 2500;
    constexpr int kLast = 10000;
    constexpr int kStep = 100;
    QStringList items;
    for (int kelvin = kFirst; kelvin <= kLast; kelvin += kStep) {
        items << QString::number(kelvin);
    }
    return items;
}

} // namespace fixedlists
