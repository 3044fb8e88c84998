#pragma once
// Serial number and firmware version texts of one attached camera, as the
// device layer reads them (empty when a value is missing or not text).
#include <QString>

#include <functional>

struct CameraIdentity {
    QString serial;
    QString firmware;
};

// Reads the identity of the `ordinal`-th attached camera named `name`.
using CameraIdentityReader = std::function<CameraIdentity(const QString& name, int ordinal)>;
