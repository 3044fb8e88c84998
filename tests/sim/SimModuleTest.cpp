// The module side of the entry commands, driven through the C entry point.
#include "SimTestSupport.h"

#include <dlfcn.h>

#include <cstdlib>

#include <string>

using namespace simtest;
using vsim::SimControl;

namespace {

class SimModuleTest : public SimFixture {};

std::vector<orv::CapabilityInfo> capabilityList(orv::VendorObject* object) {
    uint32_t count = 0;
    EXPECT_EQ(request(object, orv::kCmdGetCapCount, 0, orv::kDtUnsigned, addr(&count)), 0);
    std::vector<orv::CapabilityInfo> infos(count);
    EXPECT_EQ(request(object, orv::kCmdGetCapInfo, count, orv::kDtCapInfoArray, addr(infos.data())),
              0);
    return infos;
}

const orv::CapabilityInfo* findInfo(const std::vector<orv::CapabilityInfo>& infos, uint32_t id) {
    for (const auto& info : infos) {
        if (info.id == id) {
            return &info;
        }
    }
    return nullptr;
}

// The program's AF layout by camera type, plus the "no point" entry; bodies
// without a layout offer the 11-point list.
uint32_t expectedFocusAreas(uint32_t cameraType) {
    switch (cameraType) {
    case 0x2E:
        return 40;
    case 0x20:
    case 0x21:
    case 0x22:
    case 0x24:
    case 0x2A:
    case 0x2B:
    case 0x30:
    case 0x31:
    case 0x32:
        return 52;
    default:
        return 12;
    }
}

TEST_F(SimModuleTest, OpenFillsRecordButNotClientReference) {
    orv::VendorObject second{};
    second.clientRef = 0x1234;
    EXPECT_EQ(m_module.type, orv::kObjModule);
    EXPECT_NE(m_module.moduleRef, 0u);
    EXPECT_LT(orv::resultByte(call(nullptr, orv::kCmdOpen, 0, orv::kDtObject, addr(&second))), 0);
    EXPECT_EQ(second.clientRef, 0x1234u);
}

TEST_F(SimModuleTest, CapabilityInfoTooSmallThenComplete) {
    uint32_t count = 0;
    ASSERT_EQ(request(&m_module, orv::kCmdGetCapCount, 0, orv::kDtUnsigned, addr(&count)), 0);
    std::vector<orv::CapabilityInfo> infos(count);
    EXPECT_EQ(orv::resultByte(request(&m_module, orv::kCmdGetCapInfo, count - 1,
                                      orv::kDtCapInfoArray, addr(infos.data()))),
              orv::kResultArrayTooSmall);
    const auto list = capabilityList(&m_module);
    const orv::CapabilityInfo* mode = findInfo(list, orv::kCapModuleMode);
    ASSERT_NE(mode, nullptr);
    EXPECT_EQ(mode->operations & orv::kOpSet, orv::kOpSet);
    EXPECT_NE(findInfo(list, orv::kCapUiRequestProc), nullptr);
}

TEST_F(SimModuleTest, SourceEnumListsAttachedCameras) {
    const int a = SimControl::attach("Y800");
    const int b = SimControl::attach("Y800");
    orv::EnumRecord record{};
    ASSERT_EQ(request(&m_module, orv::kCmdGet, orv::kCapSources, orv::kDtEnum, addr(&record)), 0);
    ASSERT_EQ(record.elementCount, 2u);
    EXPECT_EQ(record.bytesPerElement, 4);
    EXPECT_EQ(record.elementType, orv::kElemUnsigned);
    std::vector<uint32_t> ids(2);
    record.data = reinterpret_cast<uintptr_t>(ids.data());
    ASSERT_EQ(request(&m_module, orv::kCmdGetArray, orv::kCapSources, orv::kDtEnum, addr(&record)),
              0);
    EXPECT_EQ(ids, (std::vector<uint32_t>{SimControl::sourceId(a), SimControl::sourceId(b)}));
    EXPECT_NE(SimControl::serialNumber(a), SimControl::serialNumber(b));
}

TEST_F(SimModuleTest, SetCompletesOnlyAtIdleAndEchoesValueChange) {
    const int cam = SimControl::attach("Y800");
    orv::VendorObject* source = openSource(cam);
    std::vector<Event> events;
    installEvents(source, &events);

    orv::EnumRecord iso{};
    ASSERT_EQ(request(source, orv::kCmdGet, orv::kCapSensitivity, orv::kDtEnum, addr(&iso)), 0);
    iso.currentIndex = 3;
    Completion done;
    EXPECT_EQ(call(source, orv::kCmdSet, orv::kCapSensitivity, orv::kDtEnum, addr(&iso), &done), 0);
    EXPECT_EQ(done.calls, 0);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(SimControl::getEnumIndex(cam, orv::kCapSensitivity), 3u);
    EXPECT_EQ(idle(source), 0);
    EXPECT_EQ(done.calls, 1);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].event, orv::kEvCapValueChanged);
    EXPECT_EQ(events[0].data, orv::kCapSensitivity);
    idle(source);
    EXPECT_EQ(done.calls, 1); // exactly once
}

TEST_F(SimModuleTest, EnumContentsRefuseShortBuffer) {
    orv::VendorObject* source = openSource(SimControl::attach("Y800"));
    orv::EnumRecord aperture{};
    ASSERT_EQ(request(source, orv::kCmdGet, orv::kCapAperture, orv::kDtEnum, addr(&aperture)), 0);
    ASSERT_EQ(aperture.elementType, orv::kElemPackedText);
    std::string bytes(aperture.elementCount, 'x');
    orv::EnumRecord shortRecord = aperture;
    shortRecord.elementCount = 3;
    shortRecord.data = reinterpret_cast<uintptr_t>(bytes.data());
    EXPECT_LT(orv::resultByte(request(source, orv::kCmdGetArray, orv::kCapAperture, orv::kDtEnum,
                                      addr(&shortRecord))),
              0);
    EXPECT_EQ(bytes, std::string(aperture.elementCount, 'x'));
    aperture.data = reinterpret_cast<uintptr_t>(bytes.data());
    ASSERT_EQ(request(source, orv::kCmdGetArray, orv::kCapAperture, orv::kDtEnum, addr(&aperture)),
              0);
    EXPECT_EQ(bytes.substr(0, 6), std::string("3.5\0"
                                              "4\0",
                                              6));
    EXPECT_EQ(bytes.back(), '\0');
}

TEST_F(SimModuleTest, BadInputFailsWithoutSideEffects) {
    const int cam = SimControl::attach("Y800");
    orv::VendorObject* source = openSource(cam);
    orv::VendorObject stranger{};
    uint32_t value = 0;
    EXPECT_LT(orv::resultByte(call(&stranger, orv::kCmdGet, orv::kCapCameraType, orv::kDtUnsigned,
                                   addr(&value))),
              0);
    EXPECT_LT(
        orv::resultByte(request(source, orv::kCmdGet, orv::kCapCameraType, orv::kDtUnsigned, 0)),
        0);
    EXPECT_LT(orv::resultByte(request(source, orv::kCmdGet, orv::kCapCameraType, orv::kDtInteger,
                                      addr(&value))),
              0);
    const uint32_t newType = 0x21;
    EXPECT_LT(orv::resultByte(request(source, orv::kCmdSet, orv::kCapCameraType, orv::kDtUnsigned,
                                      addr(&newType))),
              0);
    EXPECT_EQ(SimControl::getUnsigned(cam, orv::kCapCameraType), 0x2Au);
    orv::DateTimeRecord clock{2024, 12, 1, 0, 0, 0, 0}; // month 12 does not exist from 0
    EXPECT_LT(orv::resultByte(request(source, orv::kCmdSet, orv::kCapClockDateTime,
                                      orv::kDtDateTime, addr(&clock))),
              0);
    orv::RangeRecord comp = SimControl::getRange(cam, orv::kCapExposureComp);
    comp.valueIndex = comp.steps;
    EXPECT_LT(orv::resultByte(
                  request(source, orv::kCmdSet, orv::kCapExposureComp, orv::kDtRange, addr(&comp))),
              0);
    EXPECT_LT(orv::resultByte(request(source, 99, 0, 0, 0)), 0);
}

TEST_F(SimModuleTest, ManualLensDataFollowLensNumber) {
    const int cam = SimControl::attach("Y800");
    orv::VendorObject* source = openSource(cam);
    ASSERT_EQ(request(source, orv::kCmdSet, orv::kCapManualLensNo, orv::kDtUnsignedInline, 2), 0);
    orv::EnumRecord focal{};
    ASSERT_EQ(request(source, orv::kCmdGet, orv::kCapManualFocalLength, orv::kDtEnum, addr(&focal)),
              0);
    focal.currentIndex = 5;
    ASSERT_EQ(request(source, orv::kCmdSet, orv::kCapManualFocalLength, orv::kDtEnum, addr(&focal)),
              0);
    ASSERT_EQ(request(source, orv::kCmdSet, orv::kCapManualLensNo, orv::kDtUnsignedInline, 0), 0);
    EXPECT_EQ(SimControl::getEnumIndex(cam, orv::kCapManualFocalLength),
              8u); // 50 mm from the factory
    ASSERT_EQ(request(source, orv::kCmdSet, orv::kCapManualLensNo, orv::kDtUnsignedInline, 2), 0);
    EXPECT_EQ(SimControl::getEnumIndex(cam, orv::kCapManualFocalLength), 5u);
    // The body keeps nine lenses, numbers 0 to 8.
    EXPECT_LT(orv::resultByte(
                  request(source, orv::kCmdSet, orv::kCapManualLensNo, orv::kDtUnsignedInline, 9)),
              0);
    EXPECT_EQ(SimControl::getUnsigned(cam, orv::kCapManualLensNo), 2u);
}

// A module file is a link to this very library: loading it gives back the
// instance the test already uses, so control interface and module share one
// world.
TEST_F(SimModuleTest, ModuleFileIsTheLoadedSimulator) {
    // The module directory sits beside the library unless the run says otherwise.
    std::string dir = "modules";
    if (const char* env = std::getenv("VANTORA_MODULE_DIR")) {
        dir = env;
    } else if (Dl_info info{}; dladdr(reinterpret_cast<void*>(&ModuleEntryPoint), &info) != 0) {
        const std::string library = info.dli_fname;
        dir = library.substr(0, library.rfind('/') + 1) + "modules";
    }
    const std::string path = dir + "/Cam0006.omd";
    void* handle = dlopen(path.c_str(), RTLD_NOW);
    ASSERT_NE(handle, nullptr) << dlerror();
    EXPECT_EQ(dlsym(handle, orv::kEntryPointName), reinterpret_cast<void*>(&ModuleEntryPoint));
    dlclose(handle);
}

// Every model answers the capabilities the program reads at connect.
TEST_F(SimModuleTest, EveryModelOffersConnectCapabilities) {
    for (const std::string& model : SimControl::knownModels()) {
        SCOPED_TRACE(model);
        orv::VendorObject* source = openSource(SimControl::attach(model));
        const auto infos = capabilityList(source);
        for (const uint32_t id :
             {orv::kCapName, orv::kCapCameraType, orv::kCapSensitivity, orv::kCapAperture,
              orv::kCapShutterSpeed, orv::kCapFocusPreferredArea, orv::kCapUsbSpeed,
              orv::kCapBatteryLevel, orv::kCapClockDateTime, orv::kCapLensInfo}) {
            EXPECT_NE(findInfo(infos, id), nullptr) << std::hex << id;
        }
        orv::TextRecord name{};
        ASSERT_EQ(request(source, orv::kCmdGet, orv::kCapName, orv::kDtString, addr(&name)), 0);
        EXPECT_EQ(std::string(name.text), model);
        uint32_t type = 0;
        ASSERT_EQ(request(source, orv::kCmdGet, orv::kCapCameraType, orv::kDtUnsigned, addr(&type)),
                  0);
        orv::EnumRecord area{};
        ASSERT_EQ(
            request(source, orv::kCmdGet, orv::kCapFocusPreferredArea, orv::kDtEnum, addr(&area)),
            0);
        EXPECT_EQ(area.elementCount, expectedFocusAreas(type)) << std::hex << type;
        orv::EnumRecord usb{};
        ASSERT_EQ(request(source, orv::kCmdGet, orv::kCapUsbSpeed, orv::kDtEnum, addr(&usb)), 0);
        EXPECT_EQ(usb.currentIndex, 1u);
    }
}

} // namespace
