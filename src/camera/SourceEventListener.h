#pragma once
// Receives the events the module raises on a camera source; the camera
// connection installs itself here to follow the camera.
#include <cstdint>

class CamObject;

class SourceEventListener {
public:
    virtual ~SourceEventListener() = default;
    // Event number and data exactly as the module sent them.
    virtual void onSourceEvent(CamObject& source, uint32_t event, uint32_t data) = 0;
};
