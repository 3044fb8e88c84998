#include "app/UsbDescription.h"

#include <cctype>
#include <cstring>
#include <sstream>

namespace {

std::string lookup(const std::map<std::string, std::string>& map, const char* key) {
    const auto it = map.find(key);
    return it == map.end() ? std::string() : it->second;
}

// The first non-empty text of the candidates, in order of preference.
std::string firstOf(std::initializer_list<std::string> candidates) {
    for (const std::string& c : candidates) {
        if (!c.empty()) {
            return c;
        }
    }
    return {};
}

// The registered vendor name comes first: it is what the device inventory
// calls the maker. The device's own string follows, then udev's sanitised
// copies of it.
std::string manufacturerText(const UsbDeviceInfo& info) {
    return firstOf({lookup(info.properties, "ID_VENDOR_FROM_DATABASE"),
                    lookup(info.attributes, "manufacturer"),
                    decodeUdevEncoded(lookup(info.properties, "ID_VENDOR_ENC")),
                    lookup(info.properties, "ID_VENDOR")});
}

// The product name the device reports is its friendly name (the model, for a
// camera); the database name is only a fallback.
std::string productText(const UsbDeviceInfo& info) {
    return firstOf({lookup(info.attributes, "product"),
                    decodeUdevEncoded(lookup(info.properties, "ID_MODEL_ENC")),
                    lookup(info.properties, "ID_MODEL"),
                    lookup(info.properties, "ID_MODEL_FROM_DATABASE")});
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

} // namespace

std::string DescribeUsbDevice(const UsbDeviceInfo& info) {
    std::string manufacturer = manufacturerText(info);
    std::string description;
    // A manufacturer text with ";" is an indirect reference, not a name: the
    // description gets no prefix, and only its last piece remains as the
    // answer of last resort.
    const auto semicolon = manufacturer.rfind(';');
    if (semicolon == std::string::npos) {
        description = manufacturer;
    } else {
        manufacturer = manufacturer.substr(semicolon + 1);
    }
    const std::string product = productText(info);
    if (!product.empty()) {
        description += (description.empty() ? "" : ": ") + product;
    }
    return description.empty() ? manufacturer : description;
}

std::string orvelModelFromDescription(const std::string& description) {
    const std::size_t prefixLength = std::strlen(kOrvelManufacturer);
    if (description.compare(0, prefixLength, kOrvelManufacturer) != 0) {
        return {};
    }
    // A description without a product names no model (and must not yield a
    // piece of the manufacturer name).
    const auto separator = description.find(": ");
    if (separator == std::string::npos) {
        return {};
    }
    const auto start = separator + 2;
    const auto next = description.find(": ", start);
    return description.substr(start, next == std::string::npos ? std::string::npos : next - start);
}

std::string serialNumberText(const UsbDeviceInfo& info) {
    return trimmed(
        firstOf({lookup(info.attributes, "serial"), lookup(info.properties, "ID_SERIAL_SHORT")}));
}

std::string firmwareVersionText(const UsbDeviceInfo& info) {
    // bcdDevice is four hex digits, major in the high byte, minor in the low.
    const std::string bcd = trimmed(
        firstOf({lookup(info.attributes, "bcdDevice"), lookup(info.properties, "ID_REVISION")}));
    if (bcd.size() != 4) {
        return {};
    }
    for (char c : bcd) {
        if (hexValue(c) < 0) {
            return {};
        }
    }
    std::string major = bcd.substr(0, 2);
    if (major[0] == '0') {
        major.erase(0, 1);
    }
    std::string minor = bcd.substr(2);
    for (char& c : major) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    for (char& c : minor) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return major + "." + minor;
}

AttachedDevice attachedDeviceFrom(const RecordedUsbDevice& device) {
    return {device.path, DescribeUsbDevice(device.info), serialNumberText(device.info),
            firmwareVersionText(device.info)};
}

std::string decodeUdevEncoded(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x' &&
            hexValue(text[i + 2]) >= 0 && hexValue(text[i + 3]) >= 0) {
            out.push_back(static_cast<char>(hexValue(text[i + 2]) * 16 + hexValue(text[i + 3])));
            i += 3;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

std::vector<RecordedUsbDevice> parseDeviceRecords(const std::string& text) {
    std::vector<RecordedUsbDevice> devices;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.size() < 3 || line[0] == '#' || line[1] != ':' || line[2] != ' ') {
            continue;
        }
        const std::string rest = line.substr(3);
        if (line[0] == 'P') {
            devices.push_back({rest, {}});
            continue;
        }
        const auto eq = rest.find('=');
        if (devices.empty() || eq == std::string::npos || (line[0] != 'E' && line[0] != 'A')) {
            continue; // data before any device, or a line of no known kind
        }
        auto& target =
            line[0] == 'E' ? devices.back().info.properties : devices.back().info.attributes;
        target[rest.substr(0, eq)] = rest.substr(eq + 1);
    }
    return devices;
}

std::string formatDeviceRecord(const RecordedUsbDevice& device) {
    std::string out = "P: " + device.path + "\n";
    for (const auto& [key, value] : device.info.properties) {
        out += "E: " + key + "=" + value + "\n";
    }
    for (const auto& [key, value] : device.info.attributes) {
        out += "A: " + key + "=" + value + "\n";
    }
    return out;
}
