#include "app/window/ProgramOptions.h"

#include "app/SimulateOption.h"
#include "app/window/AidSettingsMapping.h"

#include <QSettings>

namespace {

const QLatin1String kSimulate("--simulate");
const QLatin1String kLogFile("--log-file");
const QLatin1String kScreenshot("--screenshot");
const QLatin1String kAids("--aids");

// Whether arguments[index] can be the value of the option before it.
bool hasValueAt(const QStringList& arguments, qsizetype index) {
    return index < arguments.size() && !arguments[index].startsWith(QLatin1String("--"));
}

QString* fileTarget(ProgramOptions& options, const QString& name) {
    if (name == kLogFile) {
        return &options.logFile;
    }
    return name == kScreenshot ? &options.screenshotPath : nullptr;
}

// "--name VALUE" or "--name=VALUE" into `target`; returns the index of the
// last argument used.
qsizetype readFileValue(const QStringList& arguments, qsizetype index, const QString& name,
                        QString& target, QString& error) {
    const QString& argument = arguments[index];
    qsizetype last = index;
    if (argument.size() > name.size()) {
        target = argument.mid(name.size() + 1);
    } else if (hasValueAt(arguments, index + 1)) {
        last = index + 1;
        target = arguments[last];
    }
    if (target.isEmpty()) {
        error = QStringLiteral("%1 needs a file name").arg(name);
    }
    return last;
}

// "--aids a,b,c" (or "--aids=a,b,c"; empty: none); every name must be known.
qsizetype readAids(const QStringList& arguments, qsizetype index, ProgramOptions& options) {
    const QString& argument = arguments[index];
    qsizetype last = index;
    QString list;
    if (argument.size() > kAids.size()) {
        list = argument.mid(kAids.size() + 1);
    } else if (hasValueAt(arguments, index + 1)) {
        last = index + 1;
        list = arguments[last];
    }
    const QStringList names = list.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString& name : names) {
        if (!isAidName(name.trimmed())) {
            options.error = QStringLiteral("unknown aid %1 for --aids").arg(name);
        }
    }
    QStringList trimmed;
    for (const QString& name : names) {
        trimmed << name.trimmed();
    }
    options.aids = trimmed;
    return last;
}

// A switch without a value; "--help=x" is an error.
bool readSwitch(const QString& argument, const QString& name, bool& target, QString& error) {
    if (argument.section(QLatin1Char('='), 0, 0) != name) {
        return false;
    }
    if (argument != name) {
        error = QStringLiteral("%1 takes no value").arg(name);
    }
    target = true;
    return true;
}

// Reads arguments[index] into `options`; returns the index of the last
// argument used.
qsizetype readArgument(const QStringList& arguments, qsizetype index, ToolkitArguments toolkit,
                       ProgramOptions& options) {
    const QString& argument = arguments[index];
    const QString name = argument.section(QLatin1Char('='), 0, 0);
    if (argument == QLatin1String("-h")) {
        options.showHelp = true;
        return index;
    }
    if (readSwitch(argument, QStringLiteral("--help"), options.showHelp, options.error) ||
        readSwitch(argument, QStringLiteral("--version"), options.showVersion, options.error) ||
        readSwitch(argument, QStringLiteral("--live-view"), options.liveView, options.error)) {
        return index;
    }
    if (name == kSimulate) {
        // simulatedModels() reads the value; here it is only stepped over.
        return argument == kSimulate && hasValueAt(arguments, index + 1) ? index + 1 : index;
    }
    if (name == kAids) {
        return readAids(arguments, index, options);
    }
    if (qsizetype last = index; readTetherOption(arguments, last, options)) {
        return last;
    }
    if (QString* target = fileTarget(options, name)) {
        return readFileValue(arguments, index, name, *target, options.error);
    }
    if (argument.startsWith(QLatin1String("--"))) {
        options.error = QStringLiteral("unknown option %1").arg(name);
    } else if (toolkit == ToolkitArguments::Removed) {
        options.error = argument.startsWith(QLatin1Char('-'))
                            ? QStringLiteral("unknown option %1").arg(argument)
                            : QStringLiteral("unexpected argument %1").arg(argument);
    }
    return index;
}

QString withTrailingSlash(QString base) {
    if (!base.endsWith(QLatin1Char('/'))) {
        base += QLatin1Char('/');
    }
    return base;
}

} // namespace

ProgramOptions parseProgramOptions(const QStringList& arguments, const QString& simulateEnvironment,
                                   ToolkitArguments toolkit) {
    ProgramOptions options;
    options.simulate = simulatedModels(arguments, simulateEnvironment);
    // arguments[0] is the program itself.
    for (qsizetype i = 1; i < arguments.size() && options.error.isEmpty(); ++i) {
        i = readArgument(arguments, i, toolkit, options);
    }
    if (options.error.isEmpty()) {
        checkTetherOptions(options);
    }
    return options;
}

QString programHelp(const std::vector<std::string>& simulatedModels) {
    QStringList models;
    for (const std::string& model : simulatedModels) {
        models << QString::fromStdString(model);
    }
    return QStringLiteral(
               "Usage: vantora [OPTION]...\n"
               "Remote-controls an Orvel digital SLR over USB.\n"
               "\n"
               "Options:\n"
               "  --simulate MODEL[,MODEL...]  use simulated cameras of these models instead\n"
               "                               of the USB bus (no model: none plugged in yet)\n"
               "  --log-file PATH              also write every log line to PATH\n"
               "  --screenshot PATH            connect, save a picture of the window, quit\n"
               "  --live-view                  with --screenshot: switch live view on first\n"
               "  --aids NAME[,NAME...]        switch on these live view aids (the others off):\n"
               "                               histogram, rgb-histogram, waveform, zebras,\n"
               "                               peaking, false-colour, spot, thirds, golden,\n"
               "                               cross, diagonals\n"
               "\n"
               "Tethering without a window:\n"
               "  --tether DIR                 receive every picture and movie of the camera\n"
               "                               into DIR (made when missing) and print one line\n"
               "                               per file; Ctrl+C ends it\n"
               "  --prefix P                   file names P00001.jpg and on (default Image_)\n"
               "  --camera MODEL[,N]           the N-th attached camera of MODEL (default: the\n"
               "                               first camera found)\n"
               "  --hook CMD                   run the shell command CMD for each received file,\n"
               "                               with the file's path as its argument and\n"
               "                               VANTORA_FILE, VANTORA_NUMBER, VANTORA_KIND set\n"
               "  --hook-timeout S             stop a hook that runs longer (default 60 s)\n"
               "  --frames N                   take N pictures, then end (with --interval: one\n"
               "                               every S seconds; alone: one after the other)\n"
               "  --interval S                 take a picture every S seconds (until Ctrl+C\n"
               "                               unless --frames is given)\n"
               "\n"
               "Other options:\n"
               "  -h, --help                   show this help and exit\n"
               "  --version                    show the version and exit\n"
               "\n"
               "Environment:\n"
               "  VANTORA_SIMULATE   models to simulate when --simulate is not given\n"
               "  VANTORA_WEB_BASE   where missing module files are downloaded from\n"
               "                     (overrides the WebBase setting)\n"
               "\n"
               "Simulated models: %1\n")
        .arg(models.join(QStringLiteral(", ")));
}

QString versionLine(const char* version) {
    return QStringLiteral("Vantora ") + QLatin1String(version);
}

QString usageLine() {
    return QStringLiteral(
        "usage: vantora [--simulate MODEL[,MODEL...]] [--log-file PATH] "
        "[--screenshot PATH [--live-view]] [--aids NAME,...] [--help] [--version]\n"
        "       vantora --tether DIR [--prefix P] [--camera MODEL[,N]] [--hook CMD]\n"
        "               [--hook-timeout S] [--frames N] [--interval S] [--simulate MODEL]");
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
