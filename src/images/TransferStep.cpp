#include "images/TransferStep.h"

#include "images/ImageBrowser.h"
#include "images/ImageTransfer.h"
#include "images/NamingState.h"
#include "widgets/WindowControls.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QTimer>

TransferStep::TransferStep(ImageTransfer& transfer, NamingState& naming, ImageBrowser& browser,
                           const ImageGroupControls& images, QTimer& tLiveView)
    : m_transfer(transfer), m_naming(naming), m_browser(browser), m_images(images),
      m_tLiveView(tLiveView) {
    m_transfer.setProgress([this](int percent) {
        m_images.ProgressBar->setValue(percent);
        // A movie takes a while: the window answers meanwhile.
        QCoreApplication::processEvents();
    });
}

void TransferStep::DownloadNewImages() {
    const bool liveViewRunning = m_tLiveView.isActive();
    m_tLiveView.stop();
    m_images.ProgressBar->setValue(0);
    m_images.ProgressBar->show();
    m_transfer.DownloadNewImages();
    m_images.ProgressBar->hide();
    if (m_naming.takeNewFileFlag()) {
        m_browser.RefrImgTypes();
    }
    if (liveViewRunning) {
        m_tLiveView.start();
    }
}
