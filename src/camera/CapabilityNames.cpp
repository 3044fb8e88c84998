#include "camera/CapabilityNames.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace {

// Names are shown exactly as cameras' owners know them from the log, odd
// spellings included, so they are never "corrected" here.
constexpr CapabilityNameEntry kCapabilityNames[] = {
    {0x11, "Capture"},
    {0x1E, "AutoFocus"},
    {0x35, "Flash mode"},
    {0x8100, "EV interval"},
    {0x8104, "PreCapture"},
    {0x810B, "Exposure status"},
    {0x8111, "Exposure mode"},
    {0x8112, "Shutter speed"},
    {0x8113, "Aperture"},
    {0x8114, "Flexible program"},
    {0x8116, "Metering mode"},
    {0x8117, "Sensitivity"},
    {0x8118, "WB mode"},
    {0x8120, "Focus mode"},
    {0x8121, "Focus area mode"},
    {0x8122, "Focus preferred area"},
    {0x8123, "Focal length"},
    {0x8124, "Clock date time"},
    {0x8125, "Custom settings"},
    {0x8126, "Bracketing order"},
    {0x8127, "Bracketing vary"},
    {0x8128, "AF on release"},
    {0x8129, "AF area selector"},
    {0x812A, "AFs priority"},
    {0x812B, "AFc priority"},
    {0x812D, "CW metering diameter"},
    {0x8138, "Aperture dial"},
    {0x813D, "Shooting speed"},
    {0x813E, "Shooting limit"},
    {0x8141, "Lock camera"},
    {0x8144, "Lens info"},
    {0x8148, "User comment"},
    {0x8149, "Numbering mode"},
    {0x8153, "Sensitivity interval"},
    {0x8154, "Shoot no card"},
    {0x8157, "Image size"},
    {0x815A, "WB gain red"},
    {0x815B, "WB gain blue"},
    {0x816A, "Reset custom setting"},
    {0x816C, "ISO control"},
    {0x816D, "Noise reduction"},
    {0x816F, "AF sublight"},
    {0x8175, "Internal spl mode"},
    {0x8176, "Enable comment"},
    {0x8179, "Reset file number"},
    {0x8180, "Exp. comp. interval"},
    {0x818B, "Reset menu bank"},
    {0x818D, "Shooting mode"},
    {0x818F, "Remain continous shooting"},
    {0x8190, "Shooting bank name"},
    {0x8191, "WB preset name"},
    {0x8192, "F mm manual"},
    {0x8193, "F 0 manual"},
    {0x8194, "Custom bank name"},
    {0x8195, "AF group area pattern"},
    {0x8196, "Focus frame in MF"},
    {0x81A5, "Flash sync time"},
    {0x81A6, "Flash slow limit"},
    {0x81AD, "WB preset data"},
    {0x81B6, "Capture dust image"},
    {0x81BC, "Internal flash status"},
    {0x81BE, "Internal flash comp."},
    {0x81C3, "AF mode"},
    {0x81C9, "Camera inclination mode"},
    {0x81D0, "CCD data mode"},
    {0x81D1, "Jpeg compression policy"},
    {0x81D4, "Exp base matrix"},
    {0x81D5, "Exp base center"},
    {0x81D6, "Exp base spot"},
    {0x81D8, "Noise reduction high ISO"},
    {0x81DB, "Image color space"},
    {0x81F4, "AF lock on Ex"},
    {0x8225, "AF capture"},
    {0x822C, "Slot 2 image save mode"},
    {0x822D, "Compress RAW bit mode"},
    {0x822E, "Image preset"},
    {0x8232, "Active range lighting"},
    {0x823E, "LiveView status"},
    {0x823F, "LiveView image zoom rate"},
    {0x8240, "Contrast AF"},
    {0x8247, "Get LiveView image"},
    {0x8248, "MF drive step"},
    {0x8249, "MF drive"},
    {0x824A, "Contrast area"},
    {0x824B, "Compress RAW Ex"},
    {0x8254, "AF area point"},
    {0x8256, "Manual set lens no"},
    {0x8257, "Auto APS crop"},
    {0x8258, "Image preset data"},
    {0x825A, "Delete custom image preset"},
    {0x825C, "Lens type"},
    {0x825D, "Changed image preset"},
    {0x825E, "LiveView prohibit"},
    {0x8268, "Screen tips"},
    {0x826A, "Shutter speed lock setting"},
    {0x826B, "Aperture lock setting"},
    {0x826C, "Vignette control"},
    {0x826E, "Enable copyright"},
    {0x826F, "Artist name"},
    {0x8270, "Copyright info"},
    {0x8272, "Movie screen size"},
    {0x8282, "Auto distortion"},
    {0x8285, "Movie rec microphone"},
    {0x8286, "Movie rec destination"},
    {0x8287, "Primary slot"},
    {0x8295, "Remain count in media"},
    {0x8298, "Movie record in card status"},
    {0x8299, "Movie record in card prohibit"},
    {0x8304, "Active slot"},
    {0x8305, "Save media"},
    {0x8310, "AF mode at LiveView"},
    {0x8316, "WB auto type"},
    {0x8318, "Terminate Capture"},
    {0x8320, "HDR mode"},
    {0x8321, "HDR exposure"},
    {0x8322, "HDR smoothing"},
    {0x8323, "Blinking status"},
    {0x8325, "WB tune color temperature"},
    {0x8326, "WB preset protect1"},
    {0x8327, "WB preset protect2"},
    {0x8328, "WB preset protect3"},
    {0x8329, "WB preset protect4"},
    {0x8331, "Movie image quality"},
    {0x8332, "Movie rec microphone value"},
    {0x8333, "LiveView exposure preview"},
    {0x8334, "LiveView selector"},
    {0x8335, "LiveView WB mode"},
    {0x8336, "Movie shutter speed"},
    {0x8337, "Movie aperture"},
    {0x8338, "Movie sensitivity"},
    {0x8339, "Movie exposure comp"},
    {0x8344, "Reset WB mode"},
    {0x8347, "Exposure delay Ex"},
    {0x8349, "Movie release button"},
};

static_assert(std::size(kCapabilityNames) == 134, "the name table has 134 entries");
static_assert(std::is_sorted(std::begin(kCapabilityNames), std::end(kCapabilityNames),
                             [](const CapabilityNameEntry& a, const CapabilityNameEntry& b) {
                                 return a.id < b.id;
                             }),
              "the name table is searched by bisection and must stay sorted by id");

} // namespace

std::span<const CapabilityNameEntry> CapabilityNameTable() {
    return kCapabilityNames;
}

std::string CapabilityName(uint32_t id) {
    const auto* it = std::lower_bound(
        std::begin(kCapabilityNames), std::end(kCapabilityNames), id,
        [](const CapabilityNameEntry& entry, uint32_t key) { return entry.id < key; });
    if (it != std::end(kCapabilityNames) && it->id == id) {
        return std::string(it->name);
    }
    char hex[16] = {};
    std::snprintf(hex, sizeof hex, "%.4X", static_cast<unsigned>(id));
    return hex;
}
