#include "log/LogMirror.h"

#include <cstdio>

LogMirror::LogMirror() = default;
LogMirror::~LogMirror() = default;

bool LogMirror::setFile(const QString& path, QString* error) {
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Append)) {
        if (error != nullptr) {
            *error = file->errorString();
        }
        return false;
    }
    m_file = std::move(file);
    return true;
}

void LogMirror::closeFile() {
    m_file.reset();
}

QString LogMirror::filePath() const {
    return m_file ? m_file->fileName() : QString();
}

void LogMirror::write(const std::string& line) {
    if (m_toStderr) {
        std::fwrite(line.data(), 1, line.size(), stderr);
        std::fputc('\n', stderr);
    }
    if (m_file) {
        m_file->write(line.data(), static_cast<qint64>(line.size()));
        m_file->write("\n", 1);
        m_file->flush();
    }
}
