// The control interface: plugging cameras, body actions, faults, call log.
#include "SimTestSupport.h"

using namespace simtest;
using vsim::Fault;
using vsim::SimControl;

namespace {

class SimControlTest : public SimFixture {};

struct PlugLog {
    std::vector<std::pair<int, bool>> plugs;
    static void listen(void* context, int camera, bool attached) {
        static_cast<PlugLog*>(context)->plugs.emplace_back(camera, attached);
    }
};

TEST_F(SimControlTest, PlugAndUnplugWhileOpenRaiseChildEvents) {
    std::vector<Event> events;
    installEvents(&m_module, &events);
    const int cam = SimControl::attach("Y3X");
    const uint32_t sourceId = SimControl::sourceId(cam);
    orv::VendorObject* source = openSource(cam);
    ASSERT_TRUE(SimControl::detach(cam));
    idle(&m_module);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].event, orv::kEvChildAdded);
    EXPECT_EQ(events[0].data, sourceId);
    EXPECT_EQ(events[1].event, orv::kEvChildRemoved);
    EXPECT_EQ(events[1].data, sourceId);
    uint32_t type = 0;
    EXPECT_LT(orv::resultByte(request(source, orv::kCmdGet, orv::kCapCameraType, orv::kDtUnsigned,
                                      addr(&type))),
              0);
    // The program can still tidy up: remove its procedure and close.
    EXPECT_EQ(request(source, orv::kCmdSet, orv::kCapEventProc, orv::kDtNone, 0), 0);
    EXPECT_EQ(call(source, orv::kCmdClose, 0, 0, 0), 0);
}

// The program opens a new camera from inside its event procedure and waits
// on a request there: entry calls nest inside the idle call delivering.
TEST_F(SimControlTest, HandlersMayCallBackIntoTheModule) {
    struct Opener {
        orv::VendorObject* module = nullptr;
        orv::VendorObject source{};
        uint32_t cameraType = 0;
        static void onEvent(intptr_t ref, uint32_t event, uintptr_t data) {
            auto* self = reinterpret_cast<Opener*>(ref);
            if (event != orv::kEvChildAdded) {
                return;
            }
            ASSERT_EQ(call(self->module, orv::kCmdOpen, static_cast<uint32_t>(data), orv::kDtObject,
                           addr(&self->source)),
                      0);
            request(&self->source, orv::kCmdGet, orv::kCapCameraType, orv::kDtUnsigned,
                    addr(&self->cameraType));
        }
    };
    Opener opener;
    opener.module = &m_module;
    const orv::CallbackPair pair{reinterpret_cast<uintptr_t>(&Opener::onEvent), addr(&opener)};
    ASSERT_EQ(request(&m_module, orv::kCmdSet, orv::kCapEventProc, orv::kDtCallback, addr(&pair)),
              0);
    SimControl::attach("Y7100");
    EXPECT_EQ(idle(&m_module), 0);
    EXPECT_EQ(opener.cameraType, 0x2Fu);
    EXPECT_EQ(call(&opener.source, orv::kCmdClose, 0, 0, 0), 0);
}

TEST_F(SimControlTest, PlugWithModuleClosedOnlyChangesWorld) {
    ASSERT_EQ(call(&m_module, orv::kCmdClose, 0, 0, 0), 0);
    PlugLog log;
    SimControl::setPlugListener(&PlugLog::listen, &log);
    const int cam = SimControl::attach("Y7000");
    EXPECT_EQ(SimControl::attach("Y9999"), 0);
    EXPECT_EQ(SimControl::cameras(), std::vector<int>{cam});
    EXPECT_EQ(SimControl::model(cam), "Y7000");
    EXPECT_TRUE(SimControl::detach(cam));
    EXPECT_FALSE(SimControl::detach(cam));
    EXPECT_TRUE(SimControl::cameras().empty());
    EXPECT_EQ(log.plugs, (std::vector<std::pair<int, bool>>{{cam, true}, {cam, false}}));
    EXPECT_EQ(SimControl::pendingCompletions(), 0);
}

TEST_F(SimControlTest, BodyChangesAndCapabilityEditsRaiseEvents) {
    const int cam = SimControl::attach("Y800");
    orv::VendorObject* source = openSource(cam);
    std::vector<Event> events;
    installEvents(source, &events);
    uint32_t before = 0;
    ASSERT_EQ(request(source, orv::kCmdGetCapCount, 0, orv::kDtUnsigned, addr(&before)), 0);
    ASSERT_TRUE(SimControl::setInteger(cam, orv::kCapBatteryLevel, 12));
    ASSERT_TRUE(SimControl::removeCapability(cam, orv::kCapMovieScreenSize));
    EXPECT_FALSE(SimControl::setUnsigned(cam, orv::kCapBatteryLevel, 5)); // wrong type
    idle(source);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].event, orv::kEvCapValueChanged);
    EXPECT_EQ(events[0].data, orv::kCapBatteryLevel);
    EXPECT_EQ(events[1].event, orv::kEvCapListChanged);
    uint32_t after = 0;
    ASSERT_EQ(request(source, orv::kCmdGetCapCount, 0, orv::kDtUnsigned, addr(&after)), 0);
    EXPECT_EQ(after, before - 1);
    int32_t level = 0;
    ASSERT_EQ(request(source, orv::kCmdGet, orv::kCapBatteryLevel, orv::kDtInteger, addr(&level)),
              0);
    EXPECT_EQ(level, 12);
}

TEST_F(SimControlTest, FailWithResultHitsCountTimesAndStillCompletes) {
    orv::VendorObject* source = openSource(SimControl::attach("Y800"));
    SimControl::injectFault(
        {Fault::Kind::FailWithResult, orv::kCmdGet, orv::kCapCameraType, orv::kObjSource, -7, 1});
    uint32_t type = 0;
    EXPECT_EQ(request(source, orv::kCmdGet, orv::kCapCameraType, orv::kDtUnsigned, addr(&type)),
              -7);
    EXPECT_EQ(type, 0u);
    EXPECT_EQ(request(source, orv::kCmdGet, orv::kCapCameraType, orv::kDtUnsigned, addr(&type)), 0);
    EXPECT_EQ(type, 0x2Au);
}

TEST_F(SimControlTest, NeverCompleteKeepsRequestPendingUntilReset) {
    orv::VendorObject* source = openSource(SimControl::attach("Y800"));
    SimControl::injectFault({Fault::Kind::NeverComplete, orv::kCmdStart, 0, 0, 0, -1});
    Completion done;
    EXPECT_EQ(call(source, orv::kCmdStart, orv::kCapCapture, orv::kDtNone, 0, &done), 0);
    idle(source);
    idle(source);
    EXPECT_EQ(done.calls, 0);
    EXPECT_EQ(SimControl::pendingCompletions(), 1);
    SimControl::reset();
    EXPECT_EQ(SimControl::pendingCompletions(), 0);
}

TEST_F(SimControlTest, ArrayTooSmallAndFailIdle) {
    SimControl::injectFault({Fault::Kind::ArrayTooSmall, 0, 0, 0, 0, 2});
    std::vector<orv::CapabilityInfo> infos(64);
    for (const int8_t expected :
         {orv::kResultArrayTooSmall, orv::kResultArrayTooSmall, int8_t{0}}) {
        EXPECT_EQ(orv::resultByte(request(&m_module, orv::kCmdGetCapInfo, 64, orv::kDtCapInfoArray,
                                          addr(infos.data()))),
                  expected);
    }
    SimControl::injectFault({Fault::Kind::FailIdle, 0, 0, 0, -3, -1});
    Completion done;
    call(&m_module, orv::kCmdGetCapCount, 0, orv::kDtUnsigned, addr(&infos[0].id), &done);
    EXPECT_EQ(idle(&m_module), -3);
    EXPECT_EQ(done.calls, 0);
    SimControl::clearFaults();
    EXPECT_EQ(idle(&m_module), 0);
    EXPECT_EQ(done.calls, 1);
}

TEST_F(SimControlTest, CallLogRecordsEveryEntryCall) {
    const int cam = SimControl::attach("Y800");
    orv::VendorObject* source = openSource(cam);
    SimControl::clearCallLog();
    uint32_t type = 0;
    request(source, orv::kCmdGet, orv::kCapCameraType, orv::kDtUnsigned, addr(&type));
    call(nullptr, orv::kCmdClose, 0, 0, 0);
    const auto log = SimControl::callLog();
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[0].objectType, orv::kObjSource);
    EXPECT_EQ(log[0].objectId, SimControl::sourceId(cam));
    EXPECT_EQ(log[0].command, orv::kCmdGet);
    EXPECT_EQ(log[0].param, orv::kCapCameraType);
    EXPECT_EQ(log[0].dataType, orv::kDtUnsigned);
    EXPECT_EQ(log[1].command, orv::kCmdIdle);
    EXPECT_EQ(log.back().objectType, 0u);
    EXPECT_LT(orv::resultByte(log.back().result), 0);
    EXPECT_EQ(SimControl::countCalls(orv::kCmdGet, orv::kCapCameraType), 1);
    EXPECT_EQ(SimControl::countCalls(orv::kCmdSet), 0);
}

TEST_F(SimControlTest, ItemsEnumerateTheirDataAndUiRequestsReply) {
    const int cam = SimControl::attach("Y800");
    orv::VendorObject* source = openSource(cam);
    std::vector<Event> sourceEvents;
    installEvents(source, &sourceEvents);
    const uint32_t itemId = SimControl::addItem(cam, orv::kKindImage);
    idle(source);
    ASSERT_EQ(sourceEvents.size(), 1u);
    EXPECT_EQ(sourceEvents[0].data, itemId);
    orv::VendorObject item{};
    ASSERT_EQ(call(source, orv::kCmdOpen, itemId, orv::kDtObject, addr(&item)), 0);
    std::vector<Event> itemEvents;
    installEvents(&item, &itemEvents);
    ASSERT_EQ(request(&item, orv::kCmdEnumChildren, 0, orv::kDtNone, 0), 0);
    ASSERT_EQ(itemEvents.size(), 1u);
    EXPECT_EQ(itemEvents[0].data, 1u);

    struct Asker {
        static uint32_t answer(intptr_t ref, const void* request) {
            orv::UiRequestRecord r{};
            std::memcpy(&r, request, sizeof r);
            *reinterpret_cast<std::string*>(ref) = reinterpret_cast<const char*>(r.prompt);
            return orv::kReplyYes;
        }
    };
    std::string prompt;
    const orv::CallbackPair pair{reinterpret_cast<uintptr_t>(&Asker::answer), addr(&prompt)};
    ASSERT_EQ(
        request(&m_module, orv::kCmdSet, orv::kCapUiRequestProc, orv::kDtCallback, addr(&pair)), 0);
    ASSERT_TRUE(SimControl::requestUserInterface(2, "Format card?"));
    idle(&m_module);
    EXPECT_EQ(prompt, "Format card?");
    EXPECT_EQ(SimControl::lastUiReply(), static_cast<int32_t>(orv::kReplyYes));
}

} // namespace
