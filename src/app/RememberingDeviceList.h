#pragma once
// What both device backends share: the description of every device seen
// attached, kept until its removal has been reported (sysfs and the
// simulator have forgotten the device by then), and the plug handler.
#include "app/CameraDeviceList.h"

#include <map>
#include <string>
#include <vector>

class RememberingDeviceList : public CameraDeviceList {
public:
    std::string describe(const std::string& path) const final;
    void setPlugHandler(PlugHandler handler) final;

protected:
    // Remembers the description of each device and hands the list back.
    std::vector<AttachedDevice> remember(std::vector<AttachedDevice> devices);
    void remember(const std::string& path, std::string description);
    // Reports an arrival or removal of a remembered device to the handler; a
    // device never seen attached is not reported. A removed device is
    // forgotten after the report, so the handler can still describe it.
    void report(const std::string& path, bool attached);

private:
    std::map<std::string, std::string> m_known;
    PlugHandler m_handler;
};
