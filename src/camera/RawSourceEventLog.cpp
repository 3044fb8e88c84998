#include "camera/RawSourceEventLog.h"

#include "camera/CameraLink.h"
#include "camera/ValueText.h"

void RawSourceEventLog::onSourceEvent(CamObject& /*source*/, uint32_t event, uint32_t data) {
    m_link.dslrLog("CAMERA Event 0x" + HexText(event, 4) + " data 0x" + HexText(data, 4));
}
