// The settings file as a disk may hold it: any bytes. Read, it gives values
// within what the window's controls offer, or the defaults when it is
// damaged; read twice it gives the same; saved and read back it gives what
// was saved. Input: the file's bytes.
#include "FuzzCheck.h"
#include "app/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

namespace {

const QString kPictures = QStringLiteral("/home/someone/Pictures");

// A memory file system when there is one: the store flushes every save to
// the disk, which would make each input take a disk's time.
QString scratchTemplate() {
    const QString memory = QStringLiteral("/dev/shm");
    const QString base = QFileInfo(memory).isWritable() ? memory : QDir::tempPath();
    return base + QStringLiteral("/vantora-fuzz-XXXXXX");
}

// One directory for the whole run; every input gets a file name of its own,
// so that no reader can have seen it before.
QString freshPath() {
    static const QTemporaryDir directory(scratchTemplate());
    static int inputs = 0;
    return directory.filePath(QStringLiteral("Vantora-%1.ini").arg(++inputs));
}

void writeFile(const QString& path, const uint8_t* data, size_t size) {
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) ==
               static_cast<qint64>(size));
}

// Whether the bytes are a damaged settings file, judged on a copy under a
// name no reader has seen.
bool isDamaged(const uint8_t* data, size_t size) {
    const QString path = freshPath();
    writeFile(path, data, size);
    const bool damaged = QSettings(path, QSettings::IniFormat).status() != QSettings::NoError;
    QFile::remove(path);
    return damaged;
}

AppSettings defaults() {
    AppSettings settings;
    settings.imgDir = kPictures;
    return settings;
}

void checkWithinControls(const AppSettings& s) {
    const SavedSequence& q = s.sequence;
    FUZZ_CHECK(q.frames >= 1 && q.frames <= SavedSequence::kMaxFrames);
    FUZZ_CHECK(q.interval_ms >= 0 && q.interval_ms <= SavedSequence::kMaxTime_ms);
    FUZZ_CHECK(q.startDelay_ms >= 0 && q.startDelay_ms <= SavedSequence::kMaxTime_ms);
    FUZZ_CHECK(q.startTime.isValid() && q.stopTime.isValid());
    FUZZ_CHECK(q.kind >= 0 && q.kind <= 2);
    FUZZ_CHECK(q.bracketFrames >= 2 && q.bracketFrames <= SavedSequence::kMaxBracketFrames);
    FUZZ_CHECK(q.bracketStep >= 0 && q.bracketStep < SavedSequence::kBracketSteps);
    FUZZ_CHECK(q.bulbLength_ms >= SavedSequence::kMinBulb_ms &&
               q.bulbLength_ms <= SavedSequence::kMaxTime_ms);
    FUZZ_CHECK(q.fileTimeout_s >= 1 && q.fileTimeout_s <= SavedSequence::kMaxTimeout_s);
    FUZZ_CHECK(s.hook.timeout_s >= 1 && s.hook.timeout_s <= SavedHook::kMaxTimeout_s);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const bool damaged = isDamaged(data, size);
    const QString path = freshPath();
    writeFile(path, data, size);
    const SettingsStore store(path);
    const AppSettings read = store.RegRead(kPictures);
    checkWithinControls(read);
    if (damaged) {
        FUZZ_CHECK(read == defaults());
    }

    // The same bytes again read the same, however often the file was read.
    writeFile(path, data, size);
    FUZZ_CHECK(store.RegRead(kPictures) == read);

    FUZZ_CHECK(store.RegWrite(read));
    FUZZ_CHECK(store.RegRead(kPictures) == read);
    QFile::remove(path);
    return 0;
}
