#include "app/SimulateOption.h"

namespace {

constexpr char kOption[] = "--simulate";

std::vector<std::string> splitModels(const QString& text) {
    std::vector<std::string> models;
    for (const QString& piece : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString model = piece.trimmed();
        if (!model.isEmpty()) {
            models.push_back(model.toStdString());
        }
    }
    return models;
}

} // namespace

std::optional<std::vector<std::string>> simulatedModels(const QStringList& arguments,
                                                        const QString& environmentValue) {
    const QString option = QString::fromLatin1(kOption);
    const QString withValue = option + QLatin1Char('=');
    // arguments[0] is the program itself.
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument.startsWith(withValue)) {
            return splitModels(argument.mid(withValue.size()));
        }
        if (argument == option) {
            const bool hasValue = i + 1 < arguments.size() && !arguments[i + 1].startsWith("--");
            return hasValue ? splitModels(arguments[i + 1]) : std::vector<std::string>();
        }
    }
    if (!environmentValue.trimmed().isEmpty()) {
        return splitModels(environmentValue);
    }
    return std::nullopt;
}
