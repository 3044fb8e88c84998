#include "SoakLiveView.h"

#include "SimControl.h"
#include "camera/CameraLink.h"
#include "camera/CapabilityValues.h"
#include "camera/LiveViewFrame.h"
#include "session/CameraTick.h"

namespace {

constexpr std::chrono::milliseconds kFrameInterval{40};

} // namespace

SoakLiveView::SoakLiveView(CameraLink& link)
    : m_link(link), m_fetcher(std::make_unique<LiveViewFetcher>(link)),
      m_tick(std::make_unique<CameraTick>(m_timer, link, [this] { frame(); })) {
    m_timer.setInterval(kFrameInterval);
}

SoakLiveView::~SoakLiveView() = default;

bool SoakLiveView::start() {
    CamObject* source = m_link.CurrentSource();
    if (!source || !m_link.values().setUnsigned(source, orv::kCapLiveViewStatus, 1)) {
        return false;
    }
    m_timer.start();
    return true;
}

void SoakLiveView::stop(bool byBody, int camera) {
    m_timer.stop();
    if (byBody) {
        vsim::SimControl::endLiveView(camera);
    } else if (CamObject* source = m_link.CurrentSource()) {
        m_link.values().setUnsigned(source, orv::kCapLiveViewStatus, 0);
    }
}

void SoakLiveView::frame() {
    if (!m_fetcher->FetchLiveViewFrame().empty()) {
        ++m_frames;
    }
}
