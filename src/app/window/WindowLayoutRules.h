#pragma once
// The main window's size rules: which width each page gets, what the
// preview toggle does to the width, which resizes are allowed, and how the
// "Camera control" group follows the window height. Works on a
// WindowSizePort, so it runs and is tested without widgets.
#include "app/window/WindowSizePort.h"

// Pages in their order on the window.
enum class Page { Main = 0, Info = 1, Status = 2, About = 3 };

// How the "Camera control" group is laid out after a resize.
struct CameraGroupLayout {
    int groupHeight = 0;
    bool extraVisible = false; // the extra settings panel
    bool placeLogo = false;    // the logo goes under the live view panel
};

class WindowLayoutRules {
public:
    static constexpr int kMinHeight = 592;
    static constexpr int kExtraHeight = 113;
    static constexpr int kPagesMinWidth = 650;
    static constexpr int kDefaultPagesWidth = 500;
    static constexpr int kDefaultPreviewWidth = 955;
    static constexpr int kPreviewMinWidth = 941;
    static constexpr int kNarrowMinWidth = 277;
    static constexpr int kNarrowWidthLimit = 300;
    static constexpr int kShortGroupHeight = 390;
    static constexpr int kTallGroupHeight = 503;
    // Window width beyond the camera group's width when the preview is hidden.
    static constexpr int kNarrowExtraWidth = 8;

    explicit WindowLayoutRules(WindowSizePort& window);

    int previewWidth() const { return m_previewWidth; }
    int pagesWidth() const { return m_pagesWidth; }
    Page previousPage() const { return m_previousPage; }
    // Restored from the settings store.
    void setPreviewWidth(int width) { m_previewWidth = width; }
    void setPagesWidth(int width) { m_pagesWidth = width; }

    // First activation: pages width, then the Main page with its preview rule.
    void activate(bool previewDown, int cameraGroupWidth);
    // The page shown changed to `page` (PageControlChange).
    void pageChanged(Page page, bool previewDown, int cameraGroupWidth);
    // Preview area shown / hidden (optionally remembering the current width).
    void previewOn();
    void previewOff(bool remember, int cameraGroupWidth);
    // After a size change on `page` (FormResize): remembers widths and, on the
    // Main page, returns the camera group's layout.
    CameraGroupLayout resized(Page page, bool previewDown, bool connected);
    // Double click on the camera group: toggles between the two heights.
    void toggleCameraGroupHeight();

    // FormCanResize: the narrow Main page keeps its width; heights may change.
    static bool canResize(Page page, int currentWidth, int newWidth);
    // Whether the width is locked right now (narrow Main page).
    static bool widthLocked(Page page, int currentWidth);
    static CameraGroupLayout cameraGroupLayout(bool connected, int windowHeight);
    static int toggledHeight(int currentHeight);

private:
    WindowSizePort& m_window;
    int m_previewWidth = kDefaultPreviewWidth;
    int m_pagesWidth = kDefaultPagesWidth;
    Page m_previousPage = Page::Main;
};
