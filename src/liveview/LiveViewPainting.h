#pragma once
// Draws what the live view geometry computed, straight into 32-bit images
// (no painter per frame, no allocation): the AF frame or numbered face
// frames on the live bitmap, and the navigator. Everything is clipped to
// the image.
#include "liveview/LiveViewGeometry.h"
#include "liveview/SoundMeter.h"

#include <QImage>

#include <array>

namespace lvcolours {
constexpr QRgb kInFocus = 0xFF008000;
constexpr QRgb kAfFrame = 0xFFFFFFFF;
constexpr QRgb kFace = 0xFFFFFF00;
constexpr QRgb kNavigatorBack = 0xFF444444;
constexpr QRgb kNavigatorShown = 0xFF888888;
constexpr QRgb kOutline = 0xFF000000;
} // namespace lvcolours

// A one-pixel frame just inside the box.
void FramePixelBox(QImage& image, const PixelBox& box, QRgb colour);
// A filled box with a one-pixel outline.
void FillPixelBox(QImage& image, const PixelBox& box, QRgb fill, QRgb outline);
// Copies `source` into `target` at (left, top), as much as fits. Both 32-bit.
void CopyInto(QImage& target, const QImage& source, int left = 0, int top = 0);

// The numbers of the face frames, drawn once on a yellow ground.
class FaceLabels {
public:
    explicit FaceLabels(const QFont& font);
    const QImage& label(int number) const; // 1 ... kMaxFaces
private:
    std::array<QImage, LiveViewFields::kMaxFaces> m_labels;
};

void DrawLiveImageFrames(QImage& image, const OverlayFrames& frames, const FaceLabels& labels);
// Fills the navigator's image (its height as the geometry says) and draws
// the shown area and the frames, the faces without numbers.
void DrawNavigator(QImage& image, const NavigatorGeometry& navigator);

// The sound meter from the header's levels and peaks: the band darkened,
// then both columns of segments, all of it clipped to the image.
void DrawSoundMeter(QImage& image, const LiveViewFields& fields);
