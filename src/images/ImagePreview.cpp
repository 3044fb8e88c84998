#include "images/ImagePreview.h"

#include "camera/LogSink.h"
#include "images/ImageBrowser.h"
#include "widgets/ImageView.h"
#include "widgets/PaintBox.h"
#include "widgets/WindowControls.h"

ImagePreview::ImagePreview(Controls controls, ImageBrowser& browser, LogSink& log, Hooks hooks,
                           QObject* parent)
    : QObject(parent), m_c(controls), m_browser(browser), m_log(log), m_hooks(std::move(hooks)) {
    connect(m_c.images.bViewJPG, &QPushButton::clicked, this, &ImagePreview::bViewJPGClick);
}

void ImagePreview::bViewJPGClick() {
    // The picture asked for must be seen: a hidden preview area opens.
    if (!m_c.images.sbPreview->isChecked()) {
        m_c.images.sbPreview->setChecked(true);
        if (m_hooks.showPreviewArea) {
            m_hooks.showPreviewArea();
        }
    }
    const QString file = m_browser.shownJpeg();
    if (file.isEmpty()) {
        return;
    }
    QLabel* info = m_c.liveView.lImageInfo;
    info->setText(QStringLiteral("Loading..."));
    info->repaint();
    const jpeg::Picture picture =
        m_decoder.decodeFile(file.toStdString(), m_c.liveView.Image->size());
    if (!picture.ok()) {
        m_log.elog("Image " + file.toStdString() + " not shown: " + picture.error);
        return;
    }
    show(picture);
    if (m_c.images.chCloseImage->isChecked() && m_hooks.armClose) {
        m_hooks.armClose(kCloseDelay_ms);
    }
}

void ImagePreview::show(const jpeg::Picture& picture) {
    const LiveViewControls& lv = m_c.liveView;
    lv.Image->setImage(picture.image);
    // The live view loop pauses while its paint box is hidden.
    lv.pbLiveView->hide();
    lv.Image->show();
    lv.lImageInfo->setText(
        QStringLiteral("%1x%2").arg(picture.fullSize.width()).arg(picture.fullSize.height()));
}

void ImagePreview::closePreview() {
    const LiveViewControls& lv = m_c.liveView;
    lv.Image->setImage(QImage());
    if (lv.sbLiveView->isChecked() || m_c.movie.sbMovie->isChecked()) {
        lv.Image->hide();
        lv.pbLiveView->show();
        m_c.tLiveView.start();
    }
    lv.lImageInfo->clear();
    lv.gbPreview->repaint();
}
