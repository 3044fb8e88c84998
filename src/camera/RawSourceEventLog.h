#pragma once
// The source listener used while nothing follows the camera: writes each
// event as it came to the camera log.
#include "camera/SourceEventListener.h"

class CameraLink;

class RawSourceEventLog : public SourceEventListener {
public:
    explicit RawSourceEventLog(CameraLink& link) : m_link(link) {}

    void onSourceEvent(CamObject& source, uint32_t event, uint32_t data) override;

private:
    CameraLink& m_link;
};
