#pragma once
// Paints studio-style pictures of Orvel camera bodies and their name logos:
// a front view with body, grip, prism, lens, highlights and shading.
#include <QColor>
#include <QImage>
#include <QString>

// How one model looks; sizes are in pixels of the 230-pixel-wide photograph.
struct CameraLook {
    QString name;
    int photoHeight = 200;
    int bodyWidth = 190;
    int bodyHeight = 100;
    int lensRadius = 42;
    bool verticalGrip = false; // professional bodies with a built-in grip
    bool popupFlash = true;    // smaller bodies with a flash in the prism
    QColor bodyColour = QColor(0x26, 0x26, 0x2a);
    bool unknown = false; // the picture for cameras without their own
};

class CameraPainter {
public:
    static constexpr int kPhotoWidth = 230;
    static constexpr int kLogoHeight = 60;
    static constexpr int kLogoMaxWidth = 230;

    static QImage photo(const CameraLook& look);
    // "Orvel" wordmark followed by the model name (or a generic word).
    static QImage logo(const QString& modelName);
    // Close-up of a lens front for the About page.
    static QImage lensCloseUp(int size);
};
