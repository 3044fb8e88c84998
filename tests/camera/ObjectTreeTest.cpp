// The object tree: source selection, opening and closing children, and
// reading capability lists.
#include "CameraTestSupport.h"
#include "camera/CapabilityListDump.h"
#include "camera/SourceEventListener.h"

#include <algorithm>

using vsim::SimControl;

namespace {

std::vector<vsim::CallRecord> closeCalls(const std::vector<vsim::CallRecord>& calls) {
    std::vector<vsim::CallRecord> closes;
    for (const vsim::CallRecord& call : calls) {
        if (call.command == orv::kCmdClose) {
            closes.push_back(call);
        }
    }
    return closes;
}

std::vector<uint32_t> childIds(const CamObject* object) {
    std::vector<uint32_t> ids;
    for (size_t i = 0; i < object->childCount(); ++i) {
        ids.push_back(object->childAt(i)->id());
    }
    return ids;
}

struct RecordingListener : SourceEventListener {
    void onSourceEvent(CamObject& source, uint32_t event, uint32_t data) override {
        events.push_back({source.id(), event, data});
    }
    struct Event {
        uint32_t source, event, data;
    };
    std::vector<Event> events;
};

} // namespace

TEST_F(CameraTest, SecondCameraOfAModelIsSelectedByOccurrence) {
    SimControl::attach("Y800");
    SimControl::attach("Y3");
    const int second = SimControl::attach("Y800");
    ASSERT_TRUE(link->OpenCameraModule("Y800"));
    ASSERT_TRUE(link->SelectSource("Y800", 2));
    ASSERT_NE(source(), nullptr);
    EXPECT_EQ(source()->id(), SimControl::sourceId(second));
    EXPECT_EQ(link->cameraName(), "Y800");
    EXPECT_TRUE(log.dslrContains("Cameras detected by the modul: <b>Y800, Y3, Y800</b>"));
    // The sources that were not chosen are closed again.
    EXPECT_EQ(childIds(link->ModuleObject()), std::vector<uint32_t>{SimControl::sourceId(second)});
}

TEST_F(CameraTest, SelectionFixesCameraTypeAndAfLayout) {
    connect("Y7000");
    EXPECT_EQ(link->CameraType(), 0x2Eu);
    EXPECT_EQ(link->AfPointCount(), 39u);
}

TEST_F(CameraTest, NoMatchingCameraClosesEverySource) {
    SimControl::attach("Y3");
    SimControl::attach("Y90");
    ASSERT_TRUE(link->OpenCameraModule("Y800"));
    EXPECT_FALSE(link->SelectSource("Y800", 1));
    EXPECT_EQ(source(), nullptr);
    EXPECT_EQ(link->ModuleObject()->childCount(), 0u);
    EXPECT_TRUE(log.dslrContains("Cameras detected by the modul: <b>Y3, Y90</b>"));
}

TEST_F(CameraTest, NoCameraAttachedFailsSelection) {
    ASSERT_TRUE(link->OpenCameraModule("Y800"));
    EXPECT_FALSE(link->SelectSource("Y800", 1));
    EXPECT_EQ(link->AfPointCount(), 0u);
}

TEST_F(CameraTest, SingleCameraLineIsSingular) {
    connect("Y90");
    EXPECT_TRUE(log.dslrContains("Camera detected by the modul: <b>Y90</b>"));
    EXPECT_EQ(link->AfPointCount(), 11u);
}

TEST_F(CameraTest, CloseIsDepthFirstAndKeepsSiblingsInOrder) {
    const int camera = connect("Y800");
    std::vector<uint32_t> items;
    for (int i = 0; i < 3; ++i) {
        items.push_back(SimControl::addItem(camera, orv::kKindImage | orv::kKindVideo));
        ASSERT_TRUE(link->OpenChild(source(), items.back()));
        CamObject* item = link->FindChild(source(), items.back());
        ASSERT_TRUE(link->EnumerateChildren(item));
        EXPECT_EQ(childIds(item), (std::vector<uint32_t>{1, 4}));
    }
    SimControl::clearCallLog();
    ASSERT_TRUE(link->CloseChild(source(), items[1]));
    std::vector<vsim::CallRecord> closes = closeCalls(requests());
    ASSERT_EQ(closes.size(), 3u);
    EXPECT_EQ(closes[0].objectType, orv::kObjData);
    EXPECT_EQ(closes[0].objectId, 1u);
    EXPECT_EQ(closes[1].objectType, orv::kObjData);
    EXPECT_EQ(closes[1].objectId, 4u);
    EXPECT_EQ(closes[2].objectType, orv::kObjItem);
    EXPECT_EQ(closes[2].objectId, items[1]);
    EXPECT_EQ(childIds(source()), (std::vector<uint32_t>{items[0], items[2]}));
}

TEST_F(CameraTest, ProceduresAreRemovedBeforeEachClose) {
    const int camera = connect("Y800");
    const uint32_t itemId = SimControl::addItem(camera, orv::kKindImage);
    ASSERT_TRUE(link->OpenChild(source(), itemId));
    SimControl::clearCallLog();
    ASSERT_TRUE(link->CloseChild(source(), itemId));
    std::vector<vsim::CallRecord> calls = requests();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[0].command, orv::kCmdSet);
    EXPECT_EQ(calls[0].param, orv::kCapProgressProc);
    EXPECT_EQ(calls[0].dataType, orv::kDtNone);
    EXPECT_EQ(calls[1].param, orv::kCapEventProc);
    EXPECT_EQ(calls.back().command, orv::kCmdClose);
}

TEST_F(CameraTest, RefusedCloseLeavesTheChildRegistered) {
    connect("Y800");
    const uint32_t id = source()->id();
    SimControl::injectFault({vsim::Fault::Kind::FailWithResult, orv::kCmdClose, 0, 0, -2, 1});
    EXPECT_FALSE(link->CloseChild(link->ModuleObject(), id));
    EXPECT_EQ(link->FindChild(link->ModuleObject(), id), source());
    EXPECT_TRUE(link->CloseCurrentSource());
    EXPECT_EQ(source(), nullptr);
    EXPECT_EQ(link->ModuleObject()->childCount(), 0u);
}

TEST_F(CameraTest, FailedOpenLeavesTheParentAsBefore) {
    connect("Y800");
    EXPECT_FALSE(link->OpenChild(source(), 0x7777));
    EXPECT_EQ(source()->childCount(), 0u);
    EXPECT_EQ(link->ChildAt(source(), 0), nullptr);
    EXPECT_EQ(link->ChildAt(nullptr, 0), nullptr);
    EXPECT_EQ(link->FindChild(nullptr, 1), nullptr);
}

TEST_F(CameraTest, ArrayTooSmallAsksForTheCountAgain) {
    connect("Y800");
    const size_t expected = source()->capabilities().size();
    SimControl::clearCallLog();
    SimControl::injectFault({vsim::Fault::Kind::ArrayTooSmall, orv::kCmdGetCapInfo, 0, 0, 0, 2});
    EXPECT_TRUE(link->RefreshCapabilities(source()));
    EXPECT_EQ(SimControl::countCalls(orv::kCmdGetCapCount), 3);
    EXPECT_EQ(SimControl::countCalls(orv::kCmdGetCapInfo), 3);
    EXPECT_EQ(source()->capabilities().size(), expected);
    // Each attempt asks for the count before the descriptions.
    std::vector<vsim::CallRecord> calls = requests();
    ASSERT_EQ(calls.size(), 6u);
    for (size_t i = 0; i < calls.size(); ++i) {
        EXPECT_EQ(calls[i].command, i % 2 == 0 ? orv::kCmdGetCapCount : orv::kCmdGetCapInfo);
    }
}

TEST_F(CameraTest, EndlessArrayTooSmallGivesUp) {
    connect("Y800");
    SimControl::clearCallLog();
    SimControl::injectFault({vsim::Fault::Kind::ArrayTooSmall, orv::kCmdGetCapInfo, 0, 0, 0, -1});
    EXPECT_FALSE(link->RefreshCapabilities(source()));
    EXPECT_EQ(SimControl::countCalls(orv::kCmdGetCapCount), CameraLink::kMaxCapabilityRetries + 1);
    EXPECT_TRUE(source()->capabilities().empty());
    SimControl::clearFaults();
    EXPECT_TRUE(link->RefreshCapabilities(source()));
}

TEST_F(CameraTest, CapabilitySupportsTestsOperationBits) {
    connect("Y800");
    EXPECT_TRUE(CameraLink::CapabilitySupports(source(), orv::kCapMeteringMode, orv::kOpSet));
    EXPECT_TRUE(CameraLink::CapabilitySupports(source(), 0x10000 + orv::kCapMeteringMode,
                                               orv::kOpGet | orv::kOpStart));
    EXPECT_FALSE(CameraLink::CapabilitySupports(source(), orv::kCapLensInfo, orv::kOpSet));
    EXPECT_FALSE(CameraLink::CapabilitySupports(source(), 0x9999, 0xFF));
    EXPECT_FALSE(CameraLink::CapabilitySupports(nullptr, orv::kCapLensInfo, 0xFF));
    EXPECT_EQ(CameraLink::FindCapability(nullptr, orv::kCapLensInfo), nullptr);
}

TEST_F(CameraTest, CameraPluggedInWhileOpenIsOpenedAndEnumerated) {
    connect("Y800");
    const int second = SimControl::attach("Y3");
    ASSERT_TRUE(link->IdlePump(link->ModuleObject()));
    CamObject* added = link->FindChild(link->ModuleObject(), SimControl::sourceId(second));
    ASSERT_NE(added, nullptr);
    EXPECT_FALSE(added->capabilities().empty());
    EXPECT_EQ(SimControl::countCalls(orv::kCmdEnumChildren), 1);
}

TEST_F(CameraTest, SourceEventsReachTheListener) {
    RecordingListener listener;
    link->setSourceEventListener(&listener);
    const int camera = connect("Y800");
    const uint32_t itemId = SimControl::addItem(camera, orv::kKindImage);
    ASSERT_TRUE(link->IdlePump(source()));
    ASSERT_FALSE(listener.events.empty());
    EXPECT_EQ(listener.events.back().source, source()->id());
    EXPECT_EQ(listener.events.back().event, orv::kEvChildAdded);
    EXPECT_EQ(listener.events.back().data, itemId);
}

TEST_F(CameraTest, DumpListsEveryCapability) {
    connect("Y800");
    std::vector<std::string> lines = CapabilityListDump(source());
    ASSERT_EQ(lines.size(), source()->capabilities().size() + 1);
    EXPECT_EQ(lines[0], "---------- <b>Camera capability list (" +
                            HexText(source()->vendorObject()->id, 2) + ")</b> ------------");
    const auto hasLine = [&lines](const std::string& part) {
        return std::any_of(lines.begin(), lines.end(), [&part](const std::string& line) {
            return line.find(part) != std::string::npos;
        });
    };
    EXPECT_TRUE(hasLine("8144: Lens info <gr>r--</gr> = <b>18-105mm f/3.5-5.6</b>"));
    EXPECT_TRUE(hasLine("8113: Aperture <gr>rw-</gr> = <b>f/"));
    EXPECT_TRUE(hasLine("8116: Metering mode <gr>rw-</gr> = <b>Matrix</b>"));
    EXPECT_EQ(lines[1].rfind("1. ", 0), 0u);
    EXPECT_TRUE(CapabilityListDump(nullptr).empty());
}

TEST_F(CameraTest, DumpOfAnUnreadableListIsEmpty) {
    connect("Y800");
    SimControl::injectFault({vsim::Fault::Kind::FailWithResult, orv::kCmdGetCapCount, 0, 0, -1, 1});
    EXPECT_TRUE(CapabilityListDump(source()).empty());
}

TEST_F(CameraTest, ItemEventsFollowTheItem) {
    const int camera = connect("Y800");
    const uint32_t itemId = SimControl::addItem(camera, orv::kKindImage | orv::kKindVideo);
    ASSERT_TRUE(link->OpenChild(source(), itemId));
    CamObject* item = link->FindChild(source(), itemId);
    ASSERT_TRUE(link->EnumerateChildren(item));
    ASSERT_EQ(item->childCount(), 2u);
    // Data object removed by the module: the item closes its node.
    ASSERT_TRUE(SimControl::raiseEvent(orv::kObjItem, camera, itemId, 0, orv::kEvChildRemoved, 4));
    ASSERT_TRUE(link->IdlePump(item));
    EXPECT_EQ(childIds(item), std::vector<uint32_t>{1});
    // A changed capability list is read again.
    item->clearCapabilities();
    ASSERT_TRUE(SimControl::raiseEvent(orv::kObjItem, camera, itemId, 0, orv::kEvCapListChanged,
                                       orv::kCapName));
    ASSERT_TRUE(link->IdlePump(item));
    EXPECT_NE(CameraLink::FindCapability(item, orv::kCapName), nullptr);
}

TEST_F(CameraTest, ClosingTheSourceClearsCurrentSource) {
    connect("Y800");
    ASSERT_TRUE(link->CloseChild(link->ModuleObject(), source()->id()));
    EXPECT_EQ(source(), nullptr);
    EXPECT_FALSE(link->CloseCurrentSource());
}
