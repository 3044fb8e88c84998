#pragma once
// Which addresses the program fetches from. What comes from the web ends up
// loaded as code (a camera module file), so it must come over an
// authenticated connection: https, or plain http to this machine only (a
// local mirror, the tests' server).
#include <QString>
#include <QUrl>

// Empty when `url` may be fetched; otherwise why not, in words for the log.
QString addressRefusal(const QUrl& url);
