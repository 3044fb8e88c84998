// Module callbacks: installing and removing the procedures, the module,
// item and data event procedures and the user-interface request.
#include "camera/Callbacks.h"
#include "CameraTestSupport.h"
#include "camera/CapabilityValues.h"
#include "camera/SourceEventListener.h"
#include "camera/UiRequestHandler.h"

using vsim::CallRecord;
using vsim::Fault;
using vsim::SimControl;

namespace {

// Set requests (command 6) in call order, as (object type, capability).
std::vector<std::pair<uint32_t, uint32_t>> sets(const std::vector<CallRecord>& calls) {
    std::vector<std::pair<uint32_t, uint32_t>> result;
    for (const CallRecord& call : calls) {
        if (call.command == orv::kCmdSet) {
            result.emplace_back(call.objectType, call.param);
        }
    }
    return result;
}

using Sets = std::vector<std::pair<uint32_t, uint32_t>>;

Fault failSet(uint32_t capId, uint32_t objectType) {
    return {Fault::Kind::FailWithResult, orv::kCmdSet, capId, objectType, -3, 1};
}

struct ScriptedHandler : UiRequestHandler {
    uint32_t ask(int kind, const std::string& message) override {
        kinds.push_back(kind);
        messages.push_back(message);
        return reply;
    }
    uint32_t reply = orv::kReplyYes;
    std::vector<int> kinds;
    std::vector<std::string> messages;
};

struct SourceRecorder : SourceEventListener {
    void onSourceEvent(CamObject& source, uint32_t event, uint32_t data) override {
        events.push_back({source.id(), event, data});
    }
    struct Event {
        uint32_t source, event, data;
    };
    std::vector<Event> events;
};

class CallbacksTest : public CameraTest {
protected:
    // An item with image and video data objects, opened and enumerated.
    CamObject* openItem(int camera) {
        itemId = SimControl::addItem(camera, orv::kKindImage | orv::kKindVideo);
        EXPECT_TRUE(link->OpenChild(source(), itemId));
        CamObject* item = link->FindChild(source(), itemId);
        EXPECT_TRUE(link->EnumerateChildren(item));
        log.dslrLines.clear();
        return item;
    }
    // Raises `event` on the target and lets the module deliver it.
    void deliver(uint32_t type, int camera, uint32_t dataId, uint32_t event, uint32_t data,
                 CamObject* pumpOn) {
        ASSERT_TRUE(SimControl::raiseEvent(type, camera, itemId, dataId, event, data));
        ASSERT_TRUE(link->IdlePump(pumpOn));
    }

    uint32_t itemId = 0;
};

} // namespace

// ---- Install and remove -----------------------------------------------------

TEST_F(CallbacksTest, ModuleInstallsEventThenRequestProcedureBeforeModeSet) {
    SimControl::attach("Y800");
    ASSERT_TRUE(link->OpenCameraModule("Y800"));
    EXPECT_EQ(sets(requests()), (Sets{{orv::kObjModule, orv::kCapEventProc},
                                      {orv::kObjModule, orv::kCapUiRequestProc},
                                      {orv::kObjModule, orv::kCapModuleMode}}));
}

TEST_F(CallbacksTest, EachObjectTypeInstallsOnlyItsEventProcedure) {
    const int camera = connect("Y800");
    SimControl::clearCallLog();
    openItem(camera);
    EXPECT_EQ(sets(requests()), (Sets{{orv::kObjItem, orv::kCapEventProc},
                                      {orv::kObjData, orv::kCapEventProc},
                                      {orv::kObjData, orv::kCapEventProc}}));
}

TEST_F(CallbacksTest, ModuleInstallFailingMidwayKeepsTheModuleOpen) {
    SimControl::attach("Y800");
    SimControl::injectFault(failSet(orv::kCapUiRequestProc, orv::kObjModule));
    ASSERT_TRUE(link->OpenCameraModule("Y800"));
    // The failed set stops the sequence: 0x8101 is not written.
    EXPECT_EQ(sets(requests()), (Sets{{orv::kObjModule, orv::kCapEventProc},
                                      {orv::kObjModule, orv::kCapUiRequestProc}}));
    ASSERT_NE(link->ModuleObject(), nullptr);
    EXPECT_TRUE(link->SelectSource("Y800", 1));
}

TEST_F(CallbacksTest, ItemInstallFailureStillOpensTheItem) {
    const int camera = connect("Y800");
    const uint32_t id = SimControl::addItem(camera, orv::kKindImage);
    SimControl::injectFault(failSet(orv::kCapEventProc, orv::kObjItem));
    EXPECT_TRUE(link->OpenChild(source(), id));
    CamObject* item = link->FindChild(source(), id);
    ASSERT_NE(item, nullptr);
    // Without its procedure the item hears nothing.
    ASSERT_TRUE(SimControl::raiseEvent(orv::kObjItem, camera, id, 0, orv::kEvOrphanedChildren, 0));
    ASSERT_TRUE(link->IdlePump(item));
    EXPECT_FALSE(log.dslrContains("ITEM Event"));
    EXPECT_TRUE(link->CloseChild(source(), id));
}

TEST_F(CallbacksTest, ProceduresThatCannotBeSetAreSkipped) {
    const int camera = SimControl::attach("Y800");
    ASSERT_TRUE(SimControl::setOperations(camera, orv::kCapEventProc, orv::kOpGet));
    ASSERT_TRUE(link->OpenCameraModule("Y800"));
    ASSERT_TRUE(link->SelectSource("Y800", 1));
    SimControl::clearCallLog();
    ASSERT_TRUE(link->CloseCurrentSource());
    EXPECT_EQ(sets(requests()), (Sets{{orv::kObjSource, orv::kCapProgressProc}}));
}

TEST_F(CallbacksTest, ModuleRemovesProgressEventRequestThenCloses) {
    connect("Y800");
    ASSERT_TRUE(link->CloseCurrentSource());
    SimControl::clearCallLog();
    ASSERT_TRUE(link->CloseCameraModule());
    std::vector<CallRecord> calls = requests();
    ASSERT_EQ(calls.size(), 4u);
    const uint32_t order[] = {orv::kCapProgressProc, orv::kCapEventProc, orv::kCapUiRequestProc};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(calls[i].command, orv::kCmdSet);
        EXPECT_EQ(calls[i].param, order[i]);
        EXPECT_EQ(calls[i].dataType, orv::kDtNone);
    }
    EXPECT_EQ(calls[3].command, orv::kCmdClose);
}

TEST_F(CallbacksTest, FailedRemoveKeepsTheItemRegistered) {
    const int camera = connect("Y800");
    const uint32_t id = SimControl::addItem(camera, orv::kKindImage);
    ASSERT_TRUE(link->OpenChild(source(), id));
    CamObject* item = link->FindChild(source(), id);
    SimControl::clearCallLog();
    SimControl::injectFault(failSet(orv::kCapEventProc, orv::kObjItem));
    EXPECT_FALSE(link->CloseChild(source(), id));
    EXPECT_EQ(link->FindChild(source(), id), item);
    // Progress cleared, event refused, then nothing more: no close.
    EXPECT_EQ(sets(requests()),
              (Sets{{orv::kObjItem, orv::kCapProgressProc}, {orv::kObjItem, orv::kCapEventProc}}));
    EXPECT_EQ(SimControl::countCalls(orv::kCmdClose), 0);
    EXPECT_TRUE(link->CloseChild(source(), id));
    EXPECT_EQ(source()->childCount(), 0u);
}

TEST_F(CallbacksTest, FailedModuleRemoveKeepsTheModuleOpen) {
    connect("Y800");
    SimControl::injectFault(failSet(orv::kCapUiRequestProc, orv::kObjModule));
    EXPECT_FALSE(link->CloseCameraModule());
    EXPECT_NE(link->ModuleObject(), nullptr);
    EXPECT_TRUE(link->isLoaded());
    EXPECT_TRUE(link->CloseCameraModule());
    EXPECT_EQ(link->ModuleObject(), nullptr);
}

// ---- Module events ----------------------------------------------------------

TEST_F(CallbacksTest, SecondCameraIsOpenedAndAskedForItsItems) {
    SourceRecorder listener;
    link->setSourceEventListener(&listener);
    connect("Y800");
    const int second = SimControl::attach("Y800");
    const uint32_t waiting = SimControl::addItem(second, orv::kKindImage);
    ASSERT_TRUE(link->IdlePump(link->ModuleObject()));
    CamObject* added = link->FindChild(link->ModuleObject(), SimControl::sourceId(second));
    ASSERT_NE(added, nullptr);
    ASSERT_EQ(listener.events.size(), 1u);
    EXPECT_EQ(listener.events[0].source, added->id());
    EXPECT_EQ(listener.events[0].event, orv::kEvChildAdded);
    EXPECT_EQ(listener.events[0].data, waiting);
}

TEST_F(CallbacksTest, ModuleEventsUseTheLowByte) {
    connect("Y800");
    CamObject* module = link->ModuleObject();
    const int second = SimControl::attach("Y3");
    // The plug's own child-added opens it; 0x100 | 0 for a known camera
    // must not ask it for its children again.
    ASSERT_TRUE(link->IdlePump(module));
    SimControl::clearCallLog();
    ASSERT_TRUE(
        SimControl::raiseEvent(orv::kObjModule, 0, 0, 0, 0x100, SimControl::sourceId(second)));
    ASSERT_TRUE(SimControl::raiseEvent(orv::kObjModule, 0, 0, 0, 0x07, 0));
    ASSERT_TRUE(link->IdlePump(module));
    EXPECT_EQ(requests().size(), 0u);
    EXPECT_EQ(module->childCount(), 2u);
}

TEST_F(CallbacksTest, ModuleCapabilityChangeReplacesItsList) {
    connect("Y800");
    CamObject* module = link->ModuleObject();
    ASSERT_NE(CameraLink::FindCapability(module, orv::kCapModuleMode), nullptr);
    ASSERT_TRUE(SimControl::removeObjectCapability(orv::kObjModule, 0, 0, 0, orv::kCapModuleMode));
    ASSERT_TRUE(link->IdlePump(module));
    EXPECT_EQ(CameraLink::FindCapability(module, orv::kCapModuleMode), nullptr);
    EXPECT_NE(CameraLink::FindCapability(module, orv::kCapSources), nullptr);
}

// ---- Item and data events ---------------------------------------------------

TEST_F(CallbacksTest, ItemEventLogLines) {
    const int camera = connect("Y800");
    CamObject* item = openItem(camera);
    for (uint32_t event : {2u, 3u, 5u, 6u, 7u, 0x104u}) {
        ASSERT_TRUE(SimControl::raiseEvent(orv::kObjItem, camera, itemId, 0, event, 0x81ab));
    }
    ASSERT_TRUE(link->IdlePump(item));
    EXPECT_EQ(log.dslrLines, (std::vector<std::string>{
                                 "ITEM Event Orphaned children",
                                 "ITEM Event Capability 0x81AB value change",
                                 "ITEM Event Detected unknown Event to the Item object.",
                                 "ITEM Event Detected unknown Event to the Item object.",
                             }));
}

TEST_F(CallbacksTest, ItemCapabilityChangeReplacesTheListBeforeTheNextRead) {
    const int camera = connect("Y800");
    CamObject* item = openItem(camera);
    ASSERT_EQ(link->values().getUnsigned(item, orv::kCapDataKinds),
              uint32_t{orv::kKindImage | orv::kKindVideo});
    ASSERT_TRUE(
        SimControl::removeObjectCapability(orv::kObjItem, camera, itemId, 0, orv::kCapDataKinds));
    // The event arrives during the wait of the next read.
    EXPECT_FALSE(link->values().getText(item, orv::kCapName).empty());
    EXPECT_EQ(log.dslrLines, std::vector<std::string>{"ITEM Event Capability change 0x000C"});
    EXPECT_EQ(CameraLink::FindCapability(item, orv::kCapDataKinds), nullptr);
    SimControl::clearCallLog();
    EXPECT_EQ(link->values().getUnsigned(item, orv::kCapDataKinds), 0u);
    EXPECT_EQ(SimControl::countCalls(orv::kCmdGet), 0);
}

TEST_F(CallbacksTest, ItemOpensAndClosesItsDataObjects) {
    const int camera = connect("Y800");
    CamObject* item = openItem(camera);
    deliver(orv::kObjItem, camera, 0, orv::kEvChildRemoved, 1, item);
    ASSERT_EQ(item->childCount(), 1u);
    EXPECT_EQ(item->childAt(0)->id(), 4u);
    deliver(orv::kObjItem, camera, 0, orv::kEvChildAdded, 1, item);
    ASSERT_EQ(item->childCount(), 2u);
    EXPECT_NE(link->FindChild(item, 1), nullptr);
    EXPECT_TRUE(log.dslrLines.empty());
}

TEST_F(CallbacksTest, DataEventLogLinesUseTheLowSevenBits) {
    const int camera = connect("Y800");
    CamObject* item = openItem(camera);
    CamObject* data = link->FindChild(item, 4);
    ASSERT_NE(data, nullptr);
    for (uint32_t event : {0u, 1u, 2u, 3u, 5u, 0x86u, 7u, 0x107u}) {
        ASSERT_TRUE(SimControl::raiseEvent(orv::kObjData, camera, itemId, 4, event, 0x8317));
    }
    ASSERT_TRUE(link->IdlePump(data));
    EXPECT_EQ(log.dslrLines, (std::vector<std::string>{
                                 "DATA Event The value of Capability(0x8317) was changed.",
                                 "DATA Event Detected unknown Event to the Data object:0007",
                                 "DATA Event Detected unknown Event to the Data object:0107",
                             }));
}

TEST_F(CallbacksTest, DataCapabilityChangeReplacesItsList) {
    const int camera = connect("Y800");
    CamObject* item = openItem(camera);
    CamObject* data = link->FindChild(item, 1);
    ASSERT_NE(CameraLink::FindCapability(data, orv::kCapAcquire), nullptr);
    ASSERT_TRUE(
        SimControl::removeObjectCapability(orv::kObjData, camera, itemId, 1, orv::kCapAcquire));
    ASSERT_TRUE(link->IdlePump(data));
    EXPECT_EQ(log.dslrLines, std::vector<std::string>{"DATA Event Capability 0x0014 changed."});
    EXPECT_EQ(CameraLink::FindCapability(data, orv::kCapAcquire), nullptr);
    EXPECT_NE(CameraLink::FindCapability(data, orv::kCapName), nullptr);
}

// ---- Source hand-over -------------------------------------------------------

TEST_F(CallbacksTest, SourceEventsWithoutListenerAreLoggedRaw) {
    const int camera = connect("Y800");
    log.dslrLines.clear();
    ASSERT_TRUE(SimControl::raiseEvent(orv::kObjSource, camera, 0, 0, 0x10A, 0x2001));
    ASSERT_TRUE(link->IdlePump(source()));
    EXPECT_EQ(log.dslrLines, std::vector<std::string>{"CAMERA Event 0x010A data 0x2001"});
}

// ---- User-interface requests ------------------------------------------------

TEST_F(CallbacksTest, QuestionReachesTheHandlerAndItsReplyTheModule) {
    ScriptedHandler handler;
    link->setUiRequestHandler(&handler);
    connect("Y800");
    log.dslrLines.clear();
    ASSERT_TRUE(SimControl::requestUserInterface(2, "Format the card?", "All pictures go."));
    ASSERT_TRUE(link->IdlePump(link->ModuleObject()));
    EXPECT_EQ(SimControl::lastUiReply(), int32_t{orv::kReplyYes});
    ASSERT_EQ(handler.kinds, std::vector<int>{2});
    EXPECT_EQ(handler.messages[0], "Format the card?\r\nAll pictures go.");
    EXPECT_EQ(log.dslrLines, std::vector<std::string>{"CAMERA: UIRequestProc "});
}

TEST_F(CallbacksTest, EveryKnownKindIsAskedWithThePromptAlone) {
    ScriptedHandler handler;
    handler.reply = orv::kReplyCancel;
    link->setUiRequestHandler(&handler);
    connect("Y800");
    for (uint8_t kind = 0; kind <= 3; ++kind) {
        ASSERT_TRUE(SimControl::requestUserInterface(kind, "Go on?"));
        ASSERT_TRUE(link->IdlePump(link->ModuleObject()));
        EXPECT_EQ(SimControl::lastUiReply(), int32_t{orv::kReplyCancel});
    }
    EXPECT_EQ(handler.kinds, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(handler.messages, std::vector<std::string>(4, "Go on?"));
}

TEST_F(CallbacksTest, UnknownKindIsAnsweredZeroWithoutAsking) {
    ScriptedHandler handler;
    link->setUiRequestHandler(&handler);
    connect("Y800");
    log.dslrLines.clear();
    ASSERT_TRUE(SimControl::requestUserInterface(4, "?"));
    ASSERT_TRUE(link->IdlePump(link->ModuleObject()));
    EXPECT_EQ(SimControl::lastUiReply(), 0);
    EXPECT_TRUE(handler.kinds.empty());
    EXPECT_EQ(log.dslrLines, std::vector<std::string>{"CAMERA: UIRequestProc "});
}

TEST_F(CallbacksTest, NoHandlerOrStrayReplyGivesZero) {
    connect("Y800");
    ASSERT_TRUE(SimControl::requestUserInterface(1, "OK?"));
    ASSERT_TRUE(link->IdlePump(link->ModuleObject()));
    EXPECT_EQ(SimControl::lastUiReply(), 0);
    ScriptedHandler handler;
    handler.reply = 9;
    link->setUiRequestHandler(&handler);
    ASSERT_TRUE(SimControl::requestUserInterface(1, "OK?"));
    ASSERT_TRUE(link->IdlePump(link->ModuleObject()));
    EXPECT_EQ(SimControl::lastUiReply(), 0);
}

TEST(UiRequestMessageTest, PromptAndDetailAreJoinedByCrLf) {
    EXPECT_EQ(UiRequestMessage("Prompt", "Detail"), "Prompt\r\nDetail");
    EXPECT_EQ(UiRequestMessage("Prompt", nullptr), "Prompt");
    EXPECT_EQ(UiRequestMessage("Prompt", ""), "Prompt");
    EXPECT_EQ(UiRequestMessage(nullptr, "Detail"), "\r\nDetail");
    EXPECT_EQ(UiRequestMessage(nullptr, nullptr), "");
    const std::string endless(Callbacks::kMaxUiTextBytes + 10, 'x');
    EXPECT_EQ(UiRequestMessage(endless.c_str(), nullptr).size(), Callbacks::kMaxUiTextBytes);
}
