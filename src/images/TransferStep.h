#pragma once
// The transfer as the window's poll runs it: live view rests and the
// progress bar shows while items are fetched, and the type indicators
// follow when a file arrived.
#include "session/StatePoll.h"

class ImageBrowser;
class ImageTransfer;
class NamingState;
class QTimer;
struct ImageGroupControls;

class TransferStep : public PendingItemFetcher {
public:
    TransferStep(ImageTransfer& transfer, NamingState& naming, ImageBrowser& browser,
                 const ImageGroupControls& images, QTimer& tLiveView);

    void DownloadNewImages() override;

private:
    ImageTransfer& m_transfer;
    NamingState& m_naming;
    ImageBrowser& m_browser;
    const ImageGroupControls& m_images;
    QTimer& m_tLiveView;
};
