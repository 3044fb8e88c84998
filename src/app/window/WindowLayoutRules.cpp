#include "app/window/WindowLayoutRules.h"

WindowLayoutRules::WindowLayoutRules(WindowSizePort& window) : m_window(window) {}

void WindowLayoutRules::activate(bool previewDown, int cameraGroupWidth) {
    // Setting the pages width while the Main page is up would be taken as the
    // user's preview width; the saved one is kept instead.
    const int keptPreviewWidth = m_previewWidth;
    m_window.setMinimumWidth(kPagesMinWidth);
    if (m_window.isNormal()) {
        m_window.setWidth(m_pagesWidth);
    }
    m_previewWidth = keptPreviewWidth;
    pageChanged(Page::Main, previewDown, cameraGroupWidth);
}

void WindowLayoutRules::pageChanged(Page page, bool previewDown, int cameraGroupWidth) {
    const bool fromMain = m_previousPage == Page::Main;
    if (m_window.isNormal()) {
        if (fromMain && page != Page::Main && previewDown) {
            m_previewWidth = m_window.width();
        }
        if (!fromMain) {
            m_pagesWidth = m_window.width();
        }
    }
    if (page == Page::Main) {
        if (previewDown) {
            previewOn();
        } else {
            previewOff(false, cameraGroupWidth);
        }
    } else if (fromMain) {
        m_window.setMinimumWidth(kPagesMinWidth);
        if (m_window.isNormal()) {
            m_window.setWidth(m_pagesWidth);
        }
    }
    m_previousPage = page;
}

void WindowLayoutRules::previewOn() {
    if (!m_window.isNormal()) {
        return;
    }
    // The new minimum may widen the window, and that resize would be taken
    // as the user's preview width.
    const int kept = m_previewWidth;
    m_window.setMinimumWidth(kPreviewMinWidth);
    m_previewWidth = kept;
    m_window.setWidth(m_previewWidth);
}

void WindowLayoutRules::previewOff(bool remember, int cameraGroupWidth) {
    if (!m_window.isNormal()) {
        return;
    }
    if (remember) {
        m_previewWidth = m_window.width();
    }
    m_window.setMinimumWidth(kNarrowMinWidth);
    m_window.setWidth(cameraGroupWidth + kNarrowExtraWidth);
}

CameraGroupLayout WindowLayoutRules::resized(Page page, bool previewDown, bool connected) {
    const bool normal = m_window.isNormal();
    if (page != Page::Main) {
        if (normal) {
            m_pagesWidth = m_window.width();
        }
        return cameraGroupLayout(connected, m_window.height());
    }
    if (normal && previewDown) {
        m_previewWidth = m_window.width();
    }
    return cameraGroupLayout(connected, m_window.height());
}

void WindowLayoutRules::toggleCameraGroupHeight() {
    m_window.setHeight(toggledHeight(m_window.height()));
}

bool WindowLayoutRules::canResize(Page page, int currentWidth, int newWidth) {
    return !widthLocked(page, currentWidth) || newWidth == currentWidth;
}

bool WindowLayoutRules::widthLocked(Page page, int currentWidth) {
    return page == Page::Main && currentWidth <= kNarrowWidthLimit;
}

CameraGroupLayout WindowLayoutRules::cameraGroupLayout(bool connected, int windowHeight) {
    if (!connected) {
        return {kShortGroupHeight, false, false};
    }
    if (windowHeight < kMinHeight + kExtraHeight) {
        return {kShortGroupHeight, false, true};
    }
    return {kTallGroupHeight, true, true};
}

int WindowLayoutRules::toggledHeight(int currentHeight) {
    return currentHeight < kMinHeight + kExtraHeight ? kMinHeight + kExtraHeight : kMinHeight;
}
