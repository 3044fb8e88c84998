#pragma once
// Fixed positions of the Main page's groups, in pixels, as the window was
// designed. Other positions follow from these at run time.

namespace mainpage {

inline constexpr int kCameraGroupLeft = 4;
inline constexpr int kCameraGroupTop = 4;
inline constexpr int kCameraGroupWidth = 269;
inline constexpr int kGroupGap = 4;
inline constexpr int kImageGroupHeight = 132;
inline constexpr int kPreviewGroupLeft = kCameraGroupLeft + kCameraGroupWidth + kGroupGap;
// The model logo's top while no camera connection is open.
inline constexpr int kLogoTopIdle = 80;
// Distance of the logo below the top of the live view panel while connected.
inline constexpr int kLogoBelowLiveView = 34;
inline constexpr int kPhotoTop = 146;
inline constexpr int kLiveViewWidth = 640;
inline constexpr int kLiveViewLeft = 8;

} // namespace mainpage
