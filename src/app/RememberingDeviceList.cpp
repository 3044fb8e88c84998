#include "app/RememberingDeviceList.h"

#include <utility>

std::string RememberingDeviceList::describe(const std::string& path) const {
    const auto it = m_known.find(path);
    return it == m_known.end() ? std::string() : it->second;
}

void RememberingDeviceList::setPlugHandler(PlugHandler handler) {
    m_handler = std::move(handler);
}

std::vector<AttachedDevice> RememberingDeviceList::remember(std::vector<AttachedDevice> devices) {
    for (const AttachedDevice& device : devices) {
        m_known[device.path] = device.description;
    }
    return devices;
}

void RememberingDeviceList::remember(const std::string& path, std::string description) {
    m_known[path] = std::move(description);
}

void RememberingDeviceList::report(const std::string& path, bool attached) {
    if (m_known.count(path) == 0) {
        return;
    }
    if (m_handler) {
        m_handler(path, attached);
    }
    if (!attached) {
        m_known.erase(path);
    }
}
