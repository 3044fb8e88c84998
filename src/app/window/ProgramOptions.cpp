#include "app/window/ProgramOptions.h"

#include "app/SimulateOption.h"

#include <QSettings>

namespace {

// Value of "--name VALUE" or "--name=VALUE"; sets `missing` when the option
// is given without a value.
std::optional<QString> optionValue(const QStringList& arguments, const QString& name,
                                   bool& missing) {
    const QString withValue = name + QLatin1Char('=');
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument.startsWith(withValue)) {
            return argument.mid(withValue.size());
        }
        if (argument == name) {
            if (i + 1 < arguments.size() && !arguments[i + 1].startsWith(QLatin1String("--"))) {
                return arguments[i + 1];
            }
            missing = true;
            return std::nullopt;
        }
    }
    return std::nullopt;
}

QString withTrailingSlash(QString base) {
    if (!base.endsWith(QLatin1Char('/'))) {
        base += QLatin1Char('/');
    }
    return base;
}

} // namespace

ProgramOptions parseProgramOptions(const QStringList& arguments,
                                   const QString& simulateEnvironment) {
    ProgramOptions options;
    options.simulate = simulatedModels(arguments, simulateEnvironment);
    for (const char* name : {"--log-file", "--screenshot"}) {
        bool missing = false;
        const std::optional<QString> value =
            optionValue(arguments, QString::fromLatin1(name), missing);
        if (missing || (value && value->isEmpty())) {
            options.error = QStringLiteral("%1 needs a file name").arg(QLatin1String(name));
            return options;
        }
        QString& target = QLatin1String(name) == QLatin1String("--log-file")
                              ? options.logFile
                              : options.screenshotPath;
        target = value.value_or(QString());
    }
    return options;
}

QString webBaseAddress(const QString& settingsFile, const QString& environmentValue,
                       const QString& fallback) {
    if (!environmentValue.trimmed().isEmpty()) {
        return withTrailingSlash(environmentValue.trimmed());
    }
    const QVariant stored =
        QSettings(settingsFile, QSettings::IniFormat).value(QStringLiteral("WebBase"));
    if (stored.typeId() == QMetaType::QString && !stored.toString().trimmed().isEmpty()) {
        return withTrailingSlash(stored.toString().trimmed());
    }
    return withTrailingSlash(fallback);
}
