#pragma once
// Item lists that the window fills at start-up rather than at design time.
#include <QStringList>

namespace fixedlists {

// "2500", "2600", ... "10000": every multiple of 100 in that range.
QStringList colorTemperatureItems();

} // namespace fixedlists
