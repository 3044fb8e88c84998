// The tethering options of the command line.
#include "app/window/ProgramOptions.h"

#include <cmath>

namespace {

constexpr double kLongestInterval_s = 24.0 * 3600.0;

// The value of "--name VALUE" or "--name=VALUE"; null when there is none.
QString optionValue(const QStringList& arguments, qsizetype& index, const QString& name) {
    const QString& argument = arguments[index];
    if (argument.size() > name.size()) {
        return argument.mid(name.size() + 1);
    }
    if (index + 1 < arguments.size()) {
        return arguments[++index];
    }
    return QString();
}

// Seconds above 0 (and at most a day); false when the text is none.
bool readSeconds(const QString& text, double& seconds) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || value <= 0 || value > kLongestInterval_s) {
        return false;
    }
    seconds = value;
    return true;
}

// "MODEL" or "MODEL,N" with N from 1.
bool readCamera(const QString& text, TetherOptions& tether) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() > 2 || parts.front().trimmed().isEmpty()) {
        return false;
    }
    tether.cameraModel = parts.front().trimmed().toStdString();
    if (parts.size() == 2) {
        bool ok = false;
        tether.cameraOrdinal = parts.back().trimmed().toInt(&ok);
        return ok && tether.cameraOrdinal >= 1;
    }
    return true;
}

bool readFrames(const QString& text, TetherOptions& tether) {
    bool ok = false;
    tether.frames = text.toInt(&ok);
    tether.sequence = true;
    return ok && tether.frames >= 1;
}

// Reads the value of option `name` into `tether`; an error text when it is wrong.
QString readValue(const QString& name, const QString& value, TetherOptions& tether) {
    if (name == QLatin1String("--tether")) {
        tether.directory = value;
        return value.isEmpty() ? QStringLiteral("--tether needs a folder") : QString();
    }
    if (name == QLatin1String("--prefix")) {
        tether.prefix = value;
        return value.isEmpty() || value.contains(QLatin1Char('/'))
                   ? QStringLiteral("--prefix needs a file name prefix without \"/\"")
                   : QString();
    }
    if (name == QLatin1String("--camera")) {
        return readCamera(value, tether) ? QString()
                                         : QStringLiteral("--camera needs MODEL or MODEL,N");
    }
    if (name == QLatin1String("--hook")) {
        tether.hook = value;
        return value.trimmed().isEmpty() ? QStringLiteral("--hook needs a command") : QString();
    }
    if (name == QLatin1String("--hook-timeout")) {
        return readSeconds(value, tether.hookTimeout_s)
                   ? QString()
                   : QStringLiteral("--hook-timeout needs seconds above 0");
    }
    if (name == QLatin1String("--frames")) {
        return readFrames(value, tether) ? QString()
                                         : QStringLiteral("--frames needs a number from 1");
    }
    tether.sequence = true;
    return readSeconds(value, tether.interval_s)
               ? QString()
               : QStringLiteral("--interval needs seconds above 0 (at most a day)");
}

bool isTetherOption(const QString& name) {
    static const QStringList kNames = {QStringLiteral("--tether"),       QStringLiteral("--prefix"),
                                       QStringLiteral("--camera"),       QStringLiteral("--hook"),
                                       QStringLiteral("--hook-timeout"), QStringLiteral("--frames"),
                                       QStringLiteral("--interval")};
    return kNames.contains(name);
}

} // namespace

bool readTetherOption(const QStringList& arguments, qsizetype& index, ProgramOptions& options) {
    const QString name = arguments[index].section(QLatin1Char('='), 0, 0);
    if (!isTetherOption(name)) {
        return false;
    }
    if (!options.tether) {
        options.tether = TetherOptions{};
    }
    const QString value = optionValue(arguments, index, name);
    const QString error = readValue(name, value, *options.tether);
    if (!error.isEmpty()) {
        options.error = error;
    }
    return true;
}

void checkTetherOptions(ProgramOptions& options) {
    if (options.tether && options.tether->directory.isEmpty()) {
        options.error = QStringLiteral("--prefix, --camera, --hook, --frames and --interval "
                                       "go with --tether DIR");
    }
}
