#include "app/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryFile>
#include <QVariant>

#include <utility>

namespace {

// Integers are 32-bit; INI files hand everything back as text, so an integer
// is a text that parses completely as one.
std::optional<int> readInt(const QSettings& s, const QString& name) {
    const QVariant v = s.value(name);
    if (v.typeId() == QMetaType::QString) {
        bool ok = false;
        const int value = v.toString().toInt(&ok, 10);
        return ok ? std::optional<int>(value) : std::nullopt;
    }
    if (v.typeId() == QMetaType::Int) {
        return v.toInt();
    }
    return std::nullopt;
}

// Booleans are stored as integers, true when not 0.
std::optional<bool> readBool(const QSettings& s, const QString& name) {
    const std::optional<int> value = readInt(s, name);
    return value ? std::optional<bool>(*value != 0) : std::nullopt;
}

// A text value; lists and other variants are the wrong type.
std::optional<QString> readString(const QSettings& s, const QString& name) {
    const QVariant v = s.value(name);
    if (v.typeId() == QMetaType::QString) {
        return v.toString();
    }
    return std::nullopt;
}

// An integer within what its control offers; anything else is no value.
std::optional<int> readIntIn(const QSettings& s, const QString& name, int lowest, int highest) {
    const std::optional<int> value = readInt(s, name);
    return value && *value >= lowest && *value <= highest ? value : std::nullopt;
}

constexpr char kTimeFormat[] = "HH:mm:ss";

std::optional<QTime> readTime(const QSettings& s, const QString& name) {
    const std::optional<QString> text = readString(s, name);
    const QTime time = text ? QTime::fromString(*text, QLatin1String(kTimeFormat)) : QTime();
    return time.isValid() ? std::optional<QTime>(time) : std::nullopt;
}

template <typename T> void assignIfPresent(T& target, const std::optional<T>& value) {
    if (value) {
        target = *value;
    }
}

void readAids(const QSettings& s, SavedAids& a) {
    const auto read = [&s](const char* name) { return readInt(s, QString::fromLatin1(name)); };
    const auto flag = [&s](const char* name) { return readBool(s, QString::fromLatin1(name)); };
    assignIfPresent(a.histogram, read("AidHistogram"));
    assignIfPresent(a.waveform, flag("AidWaveform"));
    assignIfPresent(a.zebras, flag("AidZebras"));
    assignIfPresent(a.zebraLevel, read("AidZebraLevel"));
    assignIfPresent(a.shadowLevel, read("AidShadowLevel"));
    assignIfPresent(a.peaking, flag("AidPeaking"));
    assignIfPresent(a.peakingColour, read("AidPeakingColour"));
    assignIfPresent(a.peakingThreshold, read("AidPeakingThreshold"));
    assignIfPresent(a.guides, read("AidGuides"));
    assignIfPresent(a.spot, flag("AidSpot"));
    assignIfPresent(a.falseColour, flag("AidFalseColour"));
}

void writeAids(QSettings& s, const SavedAids& a) {
    const std::pair<const char*, int> values[] = {{"AidHistogram", a.histogram},
                                                  {"AidWaveform", a.waveform ? 1 : 0},
                                                  {"AidZebras", a.zebras ? 1 : 0},
                                                  {"AidZebraLevel", a.zebraLevel},
                                                  {"AidShadowLevel", a.shadowLevel},
                                                  {"AidPeaking", a.peaking ? 1 : 0},
                                                  {"AidPeakingColour", a.peakingColour},
                                                  {"AidPeakingThreshold", a.peakingThreshold},
                                                  {"AidGuides", a.guides},
                                                  {"AidSpot", a.spot ? 1 : 0},
                                                  {"AidFalseColour", a.falseColour ? 1 : 0}};
    for (const auto& [name, value] : values) {
        s.setValue(QString::fromLatin1(name), value);
    }
}

void readSequence(const QSettings& s, SavedSequence& q) {
    const auto read = [&s](const char* name, int lowest, int highest) {
        return readIntIn(s, QString::fromLatin1(name), lowest, highest);
    };
    const auto flag = [&s](const char* name) { return readBool(s, QString::fromLatin1(name)); };
    const auto time = [&s](const char* name) { return readTime(s, QString::fromLatin1(name)); };
    assignIfPresent(q.frames, read("SeqFrames", 1, SavedSequence::kMaxFrames));
    assignIfPresent(q.unlimited, flag("SeqUnlimited"));
    assignIfPresent(q.interval_ms, read("SeqInterval", 0, SavedSequence::kMaxTime_ms));
    assignIfPresent(q.startAtTime, flag("SeqStartAtTime"));
    assignIfPresent(q.startDelay_ms, read("SeqStartDelay", 0, SavedSequence::kMaxTime_ms));
    assignIfPresent(q.startTime, time("SeqStartTime"));
    assignIfPresent(q.stopAtTime, flag("SeqStopAtTime"));
    assignIfPresent(q.stopTime, time("SeqStopTime"));
    assignIfPresent(q.kind, read("SeqKind", 0, 2));
    assignIfPresent(q.bracketFrames, read("SeqBracketFrames", 2, SavedSequence::kMaxBracketFrames));
    assignIfPresent(q.bracketStep, read("SeqBracketStep", 0, SavedSequence::kBracketSteps - 1));
    assignIfPresent(q.bulbLength_ms,
                    read("SeqBulbLength", SavedSequence::kMinBulb_ms, SavedSequence::kMaxTime_ms));
    assignIfPresent(q.fileTimeout_s, read("SeqFileTimeout", 1, SavedSequence::kMaxTimeout_s));
}

void writeSequence(QSettings& s, const SavedSequence& q) {
    const std::pair<const char*, int> values[] = {{"SeqFrames", q.frames},
                                                  {"SeqUnlimited", q.unlimited ? 1 : 0},
                                                  {"SeqInterval", q.interval_ms},
                                                  {"SeqStartAtTime", q.startAtTime ? 1 : 0},
                                                  {"SeqStartDelay", q.startDelay_ms},
                                                  {"SeqStopAtTime", q.stopAtTime ? 1 : 0},
                                                  {"SeqKind", q.kind},
                                                  {"SeqBracketFrames", q.bracketFrames},
                                                  {"SeqBracketStep", q.bracketStep},
                                                  {"SeqBulbLength", q.bulbLength_ms},
                                                  {"SeqFileTimeout", q.fileTimeout_s}};
    for (const auto& [name, value] : values) {
        s.setValue(QString::fromLatin1(name), value);
    }
    s.setValue(QStringLiteral("SeqStartTime"), q.startTime.toString(QLatin1String(kTimeFormat)));
    s.setValue(QStringLiteral("SeqStopTime"), q.stopTime.toString(QLatin1String(kTimeFormat)));
}

// QSettings keeps every file it has parsed for the rest of the process and
// parses it again only once it has changed on disk, so only the first
// reader of a damaged file hears of the damage. The verdict is taken from a
// private copy of the bytes, which no reader has seen. A file that cannot
// be read or copied counts as damaged.
bool isDamaged(const QString& path) {
    QFile file(path);
    QTemporaryFile copy(QDir::tempPath() + QStringLiteral("/vantora-settings-XXXXXX.ini"));
    if (!file.open(QIODevice::ReadOnly) || !copy.open()) {
        return true;
    }
    const QByteArray bytes = file.readAll();
    if (copy.write(bytes) != bytes.size() || !copy.flush()) {
        return true;
    }
    return QSettings(copy.fileName(), QSettings::IniFormat).status() != QSettings::NoError;
}

} // namespace

SettingsStore::SettingsStore()
    : m_filePath(QSettings(QSettings::IniFormat, QSettings::UserScope,
                           QStringLiteral("Quillon Labs"), QStringLiteral("Vantora"))
                     .fileName()) {}

SettingsStore::SettingsStore(QString filePath) : m_filePath(std::move(filePath)) {}

AppSettings SettingsStore::RegRead(const QString& defaultImageDir) const {
    AppSettings settings;
    settings.imgDir = defaultImageDir;
    // Opened without creating: a first run reads nothing and writes nothing.
    if (!QFileInfo(m_filePath).isFile() || isDamaged(m_filePath)) {
        return settings;
    }
    QSettings s(m_filePath, QSettings::IniFormat);
    if (s.status() != QSettings::NoError) {
        return settings; // unreadable: the defaults hold
    }
    settings.height = readInt(s, QStringLiteral("Height"));
    settings.top = readInt(s, QStringLiteral("Top"));
    settings.left = readInt(s, QStringLiteral("Left"));
    settings.width = readInt(s, QStringLiteral("Width"));
    assignIfPresent(settings.windowState, readInt(s, QStringLiteral("WindowState")));
    assignIfPresent(settings.logAllDslr, readBool(s, QStringLiteral("logAllDSLR")));
    assignIfPresent(settings.dslrAutoConnect, readBool(s, QStringLiteral("DSLRAutoConnect")));
    assignIfPresent(settings.imgPrefix, readString(s, QStringLiteral("ImgPrefix")));
    assignIfPresent(settings.imgDir, readString(s, QStringLiteral("ImgDir")));
    assignIfPresent(settings.preview, readBool(s, QStringLiteral("Preview")));
    assignIfPresent(settings.closePreview, readBool(s, QStringLiteral("ClosePreview")));
    assignIfPresent(settings.previewWidth, readInt(s, QStringLiteral("PreWidth")));
    assignIfPresent(settings.pagesWidth, readInt(s, QStringLiteral("SecWidth")));
    readAids(s, settings.aids);
    readSequence(s, settings.sequence);
    assignIfPresent(settings.hook.command, readString(s, QStringLiteral("HookCommand")));
    assignIfPresent(settings.hook.timeout_s,
                    readIntIn(s, QStringLiteral("HookTimeout"), 1, SavedHook::kMaxTimeout_s));

    s.setAtomicSyncRequired(true);
    s.setValue(QStringLiteral("Version"), QString::fromLatin1(kProgramVersion));
    s.sync();
    return settings;
}

bool SettingsStore::RegWrite(const AppSettings& settings) const {
    // A damaged file is replaced as a whole rather than merged into.
    const bool damaged = QFileInfo::exists(m_filePath) && isDamaged(m_filePath);
    QSettings s(m_filePath, QSettings::IniFormat);
    if (damaged) {
        s.clear();
    }
    // The file is replaced through a temporary file and a rename, so a crash
    // while saving leaves the previous file intact; where that is impossible
    // nothing is saved.
    s.setAtomicSyncRequired(true);
    s.setValue(QStringLiteral("WindowState"), settings.windowState);
    // A maximised window leaves the last normal placement in the file.
    if (settings.windowState != static_cast<int>(SavedWindowState::Maximised)) {
        const std::pair<const char*, const std::optional<int>*> placement[] = {
            {"Top", &settings.top},
            {"Left", &settings.left},
            {"Width", &settings.width},
            {"Height", &settings.height}};
        for (const auto& [name, value] : placement) {
            if (value->has_value()) {
                s.setValue(QString::fromLatin1(name), **value);
            }
        }
    }
    s.setValue(QStringLiteral("PreWidth"), settings.previewWidth);
    s.setValue(QStringLiteral("SecWidth"), settings.pagesWidth);
    s.setValue(QStringLiteral("logAllDSLR"), settings.logAllDslr ? 1 : 0);
    s.setValue(QStringLiteral("DSLRAutoConnect"), settings.dslrAutoConnect ? 1 : 0);
    s.setValue(QStringLiteral("ImgPrefix"), settings.imgPrefix);
    s.setValue(QStringLiteral("Preview"), settings.preview ? 1 : 0);
    s.setValue(QStringLiteral("ClosePreview"), settings.closePreview ? 1 : 0);
    s.setValue(QStringLiteral("ImgDir"), settings.imgDir);
    writeAids(s, settings.aids);
    writeSequence(s, settings.sequence);
    s.setValue(QStringLiteral("HookCommand"), settings.hook.command);
    s.setValue(QStringLiteral("HookTimeout"), settings.hook.timeout_s);
    s.sync();
    // QSettings keeps reporting the first error it saw, so after replacing a
    // damaged file only a fresh reading tells whether the save worked.
    if (damaged) {
        return !isDamaged(m_filePath);
    }
    return s.status() == QSettings::NoError;
}
