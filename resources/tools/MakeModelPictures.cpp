// Writes the camera model pictures (photograph and logo per model, plus the
// pair for cameras without their own) and the About photo as JPEG files.
// Usage: make-model-pictures <resources directory>
#include "CameraPainter.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

#include <vector>

namespace {

std::vector<CameraLook> modelLooks() {
    const QColor black(0x26, 0x26, 0x2a);
    const QColor graphite(0x33, 0x34, 0x38);
    // name, photo height, body width and height, lens radius, vertical grip, popup flash
    return {
        {"Y3", 210, 196, 104, 46, true, false, black},
        {"Y3S", 210, 196, 104, 44, true, false, black},
        {"Y3X", 210, 200, 106, 46, true, false, black},
        {"Y4", 210, 200, 108, 48, true, false, graphite},
        {"Y90", 190, 176, 96, 40, false, true, black},
        {"Y300", 196, 184, 100, 42, false, true, black},
        {"Y300S", 196, 184, 100, 43, false, true, graphite},
        {"Y700", 200, 190, 104, 44, false, false, black},
        {"Y800", 200, 190, 104, 45, false, false, graphite},
        {"Y800E", 200, 190, 104, 45, false, false, black},
        {"Y5000", 186, 170, 92, 38, false, true, black},
        {"Y5100", 186, 170, 92, 38, false, true, graphite},
        {"Y7000", 190, 178, 96, 40, false, true, black},
    };
}

bool save(const QImage& image, const QString& path) {
    if (!image.save(path, "JPG", 90)) {
        QTextStream(stderr) << "cannot write " << path << "\n";
        return false;
    }
    QTextStream(stdout) << path << " " << image.width() << "x" << image.height() << "\n";
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: make-model-pictures <resources directory>\n";
        return 2;
    }
    const QDir resources(QString::fromLocal8Bit(argv[1]));
    if (!resources.mkpath(QStringLiteral("models")) || !resources.mkpath(QStringLiteral("about"))) {
        QTextStream(stderr) << "cannot create the picture folders\n";
        return 1;
    }
    bool ok = true;
    for (const CameraLook& look : modelLooks()) {
        const QString base = resources.filePath(QStringLiteral("models/") + look.name);
        ok = save(CameraPainter::photo(look), base + QStringLiteral(".jpg")) && ok;
        ok = save(CameraPainter::logo(look.name), base + QStringLiteral("LOGO.jpg")) && ok;
    }
    CameraLook unknown{"", 200, 186, 100, 44, false, true, QColor(0x9a, 0x9c, 0xa2), true};
    ok = save(CameraPainter::photo(unknown),
              resources.filePath(QStringLiteral("models/NOCAM.jpg"))) &&
         ok;
    ok = save(CameraPainter::logo(QStringLiteral("camera")),
              resources.filePath(QStringLiteral("models/NOCAMLOGO.jpg"))) &&
         ok;
    ok = save(CameraPainter::lensCloseUp(150),
              resources.filePath(QStringLiteral("about/photo.jpg"))) &&
         ok;
    return ok ? 0 : 1;
}
