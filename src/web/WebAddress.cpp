#include "web/WebAddress.h"

#include <QHostAddress>

namespace {

bool isLoopbackHost(const QString& host) {
    if (host.compare(QStringLiteral("localhost"), Qt::CaseInsensitive) == 0) {
        return true;
    }
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

} // namespace

QString addressRefusal(const QUrl& url) {
    if (!url.isValid() || url.host().isEmpty()) {
        return QStringLiteral("not a web address: ") + url.toString();
    }
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("https")) {
        return {};
    }
    if (scheme == QLatin1String("http") && isLoopbackHost(url.host())) {
        return {};
    }
    return QStringLiteral("only https addresses (or http on this computer) are used, not ") +
           url.toString(QUrl::RemoveUserInfo);
}
