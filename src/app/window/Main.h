#pragma once
// TfMain: the program's main window and composition root. It builds the four
// pages and all their controls, owns the helpers that act on them (page and
// width rules, model pictures, About page) and applies the window-level
// rules: page widths, preview width, resize permission, and the camera
// group's layout. Subsystem handlers receive the control groups they need
// through controls().
#include "app/widgets/WindowControls.h"
#include "app/window/WindowLayoutRules.h"
#include "app/window/WindowServices.h"

#include <QMainWindow>

#include <memory>

class AboutPage;
class CamPictures;
class MainWindowSize;

class TfMain : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char* kVersion = "0.24b";
    static constexpr int kClientWidth = 955;
    static constexpr int kClientHeight = 665;
    static constexpr int kDesignMinWidth = 736;

    explicit TfMain(WindowServices services, QWidget* parent = nullptr);
    ~TfMain() override;

    TfMain(const TfMain&) = delete;
    TfMain& operator=(const TfMain&) = delete;

    WindowControls& controls() { return m_c; }
    const WindowControls& controls() const { return m_c; }
    WindowLayoutRules& layoutRules() { return *m_layoutRules; }
    CamPictures& camPictures() { return *m_camPictures; }
    AboutPage& aboutPage() { return *m_aboutPage; }

    // Whether a camera connection is open; the camera group's layout follows.
    bool cameraConnected() const { return m_connected; }
    void setCameraConnected(bool connected);

    // Window-level handlers, also run by other parts of the program.
    void FormActivate();
    void PageControlChange();
    void FormResize();
    void gbDSLRDblClick();
    void PreviewOn();
    void PreviewOff(bool remember);
    void sbPreviewClick();

    bool isNormalState() const;
    Page currentPage() const;

signals:
    // Every activation of the window (camera detection and auto connect
    // hook in here).
    void activated();
    // The window is closing: end the camera connection, then save settings.
    void closing();

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void buildPages();
    void buildTimers();
    void connectWindowHandlers();
    void layoutMainPage();
    void applyCameraGroupLayout(const CameraGroupLayout& layout);
    void applyWidthLock();
    int cameraGroupWidth() const;
    bool previewDown() const;

    WindowServices m_services;
    WindowControls m_c;
    std::unique_ptr<MainWindowSize> m_size;
    std::unique_ptr<WindowLayoutRules> m_layoutRules;
    std::unique_ptr<CamPictures> m_camPictures;
    std::unique_ptr<AboutPage> m_aboutPage;
    bool m_connected = false;
    bool m_activatedOnce = false;
};
