// The camera body: releases, lens changes and the meter, seen through the
// module's entry point as the program sees them.
#include "SimTestSupport.h"

#include <algorithm>
#include <string>

using namespace simtest;
using vsim::SimControl;

namespace {

class SimBodyTest : public SimFixture {
protected:
    orv::VendorObject* openWithEvents(int camera) {
        orv::VendorObject* source = openSource(camera);
        installEvents(source, &m_events);
        return source;
    }

    // Events of `event` for datum `data` received so far.
    long count(uint32_t event, uintptr_t data) const {
        return std::count_if(m_events.begin(), m_events.end(),
                             [&](const Event& e) { return e.event == event && e.data == data; });
    }

    static uint32_t getUnsigned(orv::VendorObject* source, uint32_t capId) {
        uint32_t value = 0;
        EXPECT_EQ(request(source, orv::kCmdGet, capId, orv::kDtUnsigned, addr(&value)), 0);
        return value;
    }

    // Entries of a packed-text enumeration and its current index.
    static std::vector<std::string> enumTexts(orv::VendorObject* source, uint32_t capId,
                                              uint32_t* current = nullptr) {
        orv::EnumRecord record{};
        EXPECT_EQ(request(source, orv::kCmdGet, capId, orv::kDtEnum, addr(&record)), 0);
        std::string bytes(record.elementCount, '\0');
        record.data = reinterpret_cast<uintptr_t>(bytes.data());
        EXPECT_EQ(request(source, orv::kCmdGetArray, capId, orv::kDtEnum, addr(&record)), 0);
        std::vector<std::string> texts;
        for (size_t at = 0; at < bytes.size(); at = bytes.find('\0', at) + 1) {
            texts.emplace_back(bytes.c_str() + at);
        }
        if (current != nullptr) {
            *current = record.currentIndex;
        }
        return texts;
    }

    std::vector<Event> m_events;
};

TEST_F(SimBodyTest, ReleaseAddsOneItemThenCaptureComplete) {
    const int cam = SimControl::attach("Y800");
    orv::VendorObject* source = openWithEvents(cam);
    const uint32_t shots = getUnsigned(source, orv::kCapRemainContinuous);
    m_events.clear();

    Completion done;
    ASSERT_EQ(call(source, orv::kCmdStart, orv::kCapCapture, orv::kDtNone, 0, &done), 0);
    idle(source); // the start completes; the picture follows
    EXPECT_EQ(done.calls, 1);
    idle(source);
    idle(source);
    std::vector<uint32_t> items;
    for (const Event& e : m_events) {
        if (e.event == orv::kEvChildAdded) {
            items.push_back(static_cast<uint32_t>(e.data));
        }
    }
    ASSERT_EQ(items.size(), 1u);
    const auto added = std::find_if(m_events.begin(), m_events.end(),
                                    [](const Event& e) { return e.event == orv::kEvChildAdded; });
    const auto complete = std::find_if(m_events.begin(), m_events.end(), [](const Event& e) {
        return e.event == vsim::kEvCaptureComplete;
    });
    ASSERT_NE(complete, m_events.end());
    EXPECT_LT(added, complete);
    EXPECT_EQ(count(vsim::kEvCaptureComplete, 0), 1);
    EXPECT_EQ(count(orv::kEvCapValueChanged, orv::kCapRemainContinuous), 1);
    EXPECT_EQ(getUnsigned(source, orv::kCapRemainContinuous), shots - 1);

    // The picture is an item like any other: its image data is there to fetch.
    orv::VendorObject item{};
    ASSERT_EQ(call(source, orv::kCmdOpen, items[0], orv::kDtObject, addr(&item)), 0);
    EXPECT_EQ(getUnsigned(&item, orv::kCapDataKinds), uint32_t{orv::kKindImage});
    EXPECT_EQ(call(&item, orv::kCmdClose, 0, 0, 0), 0);
}

TEST_F(SimBodyTest, BulbExposureLastsUntilTerminateCapture) {
    const int cam = SimControl::attach("Y800");
    orv::VendorObject* source = openWithEvents(cam);
    SimControl::turnDial(cam, orv::kCapShutterSpeed, -100);
    ASSERT_EQ(SimControl::getEnumIndex(cam, orv::kCapShutterSpeed), 0u); // "Bulb", at the end
    EXPECT_FALSE(SimControl::turnDial(cam, orv::kCapShutterSpeed, -1));
    idle(source);
    m_events.clear();

    ASSERT_EQ(request(source, orv::kCmdStart, orv::kCapCapture, orv::kDtNone, 0), 0);
    for (int i = 0; i < 5; ++i) {
        idle(source);
    }
    EXPECT_TRUE(m_events.empty()) << "the shutter is still open";
    uint8_t block[16] = {};
    ASSERT_EQ(
        request(source, orv::kCmdStart, orv::kCapTerminateCapture, orv::kDtGeneric, addr(block)),
        0);
    idle(source);
    ASSERT_FALSE(m_events.empty());
    EXPECT_EQ(m_events.front().event, orv::kEvChildAdded);
    EXPECT_EQ(count(vsim::kEvCaptureComplete, 0), 1);
}

TEST_F(SimBodyTest, ApertureListFollowsTheLens) {
    const int cam = SimControl::attach("Y800");
    orv::VendorObject* source = openWithEvents(cam);
    uint32_t current = 0;
    std::vector<std::string> apertures = enumTexts(source, orv::kCapAperture, &current);
    ASSERT_FALSE(apertures.empty());
    EXPECT_EQ(apertures.front(), "3.5") << "the power-on lens is an f/3.5-5.6";
    EXPECT_EQ(apertures.back(), "22");
    EXPECT_EQ(apertures[current], "5.6");

    ASSERT_TRUE(SimControl::mountLens(cam, "35mm f/2 without processor"));
    idle(source);
    EXPECT_EQ(count(orv::kEvCapValueChanged, orv::kCapLensInfo), 1);
    EXPECT_EQ(count(orv::kEvCapListChanged, orv::kCapAperture), 1);
    orv::TextRecord info{};
    ASSERT_EQ(request(source, orv::kCmdGet, orv::kCapLensInfo, orv::kDtString, addr(&info)), 0);
    EXPECT_EQ(std::string(info.text), "");
    apertures = enumTexts(source, orv::kCapAperture, &current);
    EXPECT_EQ(apertures.front(), "2");
    EXPECT_EQ(apertures.back(), "16");
    EXPECT_EQ(apertures[current], "5.6") << "a lens change keeps the aperture it can";
    // Without a processor the body focuses by hand only.
    EXPECT_EQ(count(orv::kEvCapListChanged, orv::kCapAfMode), 1);
    EXPECT_EQ(getUnsigned(source, orv::kCapAfMode), 2u);
    EXPECT_LT(
        orv::resultByte(request(source, orv::kCmdSet, orv::kCapAfMode, orv::kDtUnsignedInline, 0)),
        0);

    ASSERT_TRUE(SimControl::mountLens(cam, "50mm f/1.8"));
    EXPECT_EQ(enumTexts(source, orv::kCapAperture).front(), "1.8");
    EXPECT_EQ(request(source, orv::kCmdSet, orv::kCapAfMode, orv::kDtUnsignedInline, 1), 0);
}

TEST_F(SimBodyTest, MeterOutOfRangeBlinksOnceNotOnEveryIdle) {
    const int cam = SimControl::attach("Y800");
    orv::VendorObject* source = openWithEvents(cam);
    ASSERT_TRUE(SimControl::setSceneBrightness(cam, 4.0));
    for (int i = 0; i < 40; ++i) {
        idle(source);
    }
    EXPECT_EQ(count(orv::kEvCapValueChanged, orv::kCapExposureStatus), 1);
    EXPECT_EQ(count(orv::kEvCapValueChanged, orv::kCapBlinkingStatus), 1);
    EXPECT_EQ(getUnsigned(source, orv::kCapBlinkingStatus), 3u); // shutter and aperture
    double reading = 0.0;
    ASSERT_EQ(request(source, orv::kCmdGet, orv::kCapExposureStatus, orv::kDtFloat, addr(&reading)),
              0);
    EXPECT_DOUBLE_EQ(reading, 4.0);

    // A moving scene: at most one reading per four idle calls, and a
    // blinking event exactly for each change of the bits.
    SimControl::setSceneBrightness(cam, 0.0);
    idle(source);
    SimControl::setSceneMotion(true);
    m_events.clear();
    constexpr int kIdleCalls = 480;
    int changes = 0;
    uint32_t bits = SimControl::getUnsigned(cam, orv::kCapBlinkingStatus);
    for (int i = 0; i < kIdleCalls; ++i) {
        idle(source);
        const uint32_t now = SimControl::getUnsigned(cam, orv::kCapBlinkingStatus);
        changes += now != bits ? 1 : 0;
        bits = now;
    }
    SimControl::setSceneMotion(false);
    idle(source); // delivers what the last metering raised
    const long readings = count(orv::kEvCapValueChanged, orv::kCapExposureStatus);
    EXPECT_GT(readings, 0);
    EXPECT_LE(readings, kIdleCalls / 4);
    EXPECT_GE(changes, 2) << "the scene drifts out of range and back";
    EXPECT_EQ(count(orv::kEvCapValueChanged, orv::kCapBlinkingStatus), changes);
}

} // namespace
