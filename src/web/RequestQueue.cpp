#include "web/RequestQueue.h"

#include <QDir>

HtmlRequest ModuleFileRequest(const QString& base, const QString& moduleFile,
                              const QString& directory) {
    HtmlRequest request;
    request.url = base + QStringLiteral("down/") + moduleFile;
    request.fileName = QDir(directory).absoluteFilePath(moduleFile);
    request.BinaryData = true;
    request.isFile = true;
    request.kind = RequestKind::ModuleFile;
    return request;
}
