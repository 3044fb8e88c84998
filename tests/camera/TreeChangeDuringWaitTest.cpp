// Callbacks that arrive while the program waits on the module may add and
// remove objects; nothing may keep using a node the module took away.
#include "CameraTestSupport.h"
#include "camera/CapabilityValues.h"
#include "camera/SourceEventListener.h"

using vsim::Fault;
using vsim::SimControl;

namespace {

// Follows the camera's items the way the connection does: opens and
// enumerates added items, closes removed ones.
struct ItemFollower : SourceEventListener {
    explicit ItemFollower(CameraLink& link) : link(link) {}
    void onSourceEvent(CamObject& source, uint32_t event, uint32_t data) override {
        if ((event & 0x7F) == orv::kEvChildAdded && link.OpenChild(&source, data)) {
            link.EnumerateChildren(link.FindChild(&source, data));
        } else if ((event & 0x7F) == orv::kEvChildRemoved) {
            link.CloseChild(&source, data);
        }
    }
    CameraLink& link;
};

std::vector<uint32_t> childIds(const CamObject* object) {
    std::vector<uint32_t> ids;
    for (size_t i = 0; i < object->childCount(); ++i) {
        ids.push_back(object->childAt(i)->id());
    }
    return ids;
}

class TreeChangeTest : public CameraTest {
protected:
    void SetUp() override {
        CameraTest::SetUp();
        follower = std::make_unique<ItemFollower>(*link);
        link->setSourceEventListener(follower.get());
        camera = connect("Y800");
        for (int i = 0; i < 3; ++i) {
            items.push_back(SimControl::addItem(camera, orv::kKindImage | orv::kKindVideo));
        }
        ASSERT_TRUE(link->IdlePump(source()));
        ASSERT_EQ(childIds(source()), items);
    }
    CamObject* item(size_t index) const { return link->FindChild(source(), items[index]); }
    // The module announces that item `index` is gone (its data stays in the
    // camera, so requests on it still complete).
    void announceRemoval(size_t index) {
        ASSERT_TRUE(SimControl::raiseEvent(orv::kObjSource, camera, 0, 0, orv::kEvChildRemoved,
                                           items[index]));
    }

    std::unique_ptr<ItemFollower> follower;
    int camera = 0;
    std::vector<uint32_t> items;
};

} // namespace

TEST_F(TreeChangeTest, ItemRemovedWhileWaitingOnTheSource) {
    ASSERT_TRUE(SimControl::removeItem(camera, items[1]));
    EXPECT_EQ(link->values().getText(source(), orv::kCapName), "Y800");
    EXPECT_EQ(childIds(source()), (std::vector<uint32_t>{items[0], items[2]}));
    EXPECT_EQ(childIds(item(0)), (std::vector<uint32_t>{1, 4}));
    EXPECT_EQ(childIds(item(2)), (std::vector<uint32_t>{1, 4}));
    EXPECT_EQ(item(1), nullptr);
}

TEST_F(TreeChangeTest, ItemRemovedWhileItsOwnReadIsPending) {
    CamObject* doomed = item(1);
    SimControl::injectFault(
        {Fault::Kind::NeverComplete, orv::kCmdGet, orv::kCapName, orv::kObjItem, 0, 1});
    announceRemoval(1);
    // The wait ends with its object instead of idling a freed node.
    EXPECT_EQ(link->values().getText(doomed, orv::kCapName), "");
    EXPECT_EQ(childIds(source()), (std::vector<uint32_t>{items[0], items[2]}));
    EXPECT_FALSE(link->isLive(doomed));
    // Nothing is sent for the closed node any more.
    SimControl::clearCallLog();
    EXPECT_EQ(link->values().getText(doomed, orv::kCapName), "");
    EXPECT_FALSE(link->RefreshCapabilities(doomed));
    EXPECT_TRUE(requests().empty());
}

TEST_F(TreeChangeTest, RefreshOfAnItemClosedDuringTheRefresh) {
    CamObject* doomed = item(0);
    announceRemoval(0);
    EXPECT_FALSE(link->RefreshCapabilities(doomed));
    EXPECT_EQ(childIds(source()), (std::vector<uint32_t>{items[1], items[2]}));
}

TEST_F(TreeChangeTest, ItemCapabilityChangeWhileTheItemIsRemoved) {
    ASSERT_TRUE(SimControl::raiseEvent(orv::kObjItem, camera, items[2], 0, orv::kEvCapListChanged,
                                       orv::kCapName));
    announceRemoval(2);
    ASSERT_TRUE(link->IdlePump(source()));
    EXPECT_TRUE(log.dslrContains("ITEM Event Capability change 0x0009"));
    EXPECT_EQ(childIds(source()), (std::vector<uint32_t>{items[0], items[1]}));
}

TEST_F(TreeChangeTest, DataObjectAddedWhileItsItemIsRemoved) {
    CamObject* parent = item(1);
    ASSERT_TRUE(link->CloseChild(parent, 4));
    ASSERT_TRUE(SimControl::raiseEvent(orv::kObjItem, camera, items[1], 0, orv::kEvChildAdded, 4));
    announceRemoval(1);
    ASSERT_TRUE(link->IdlePump(source()));
    EXPECT_EQ(childIds(source()), (std::vector<uint32_t>{items[0], items[2]}));
}

TEST_F(TreeChangeTest, RemovalDuringACloseOfTheSameItem) {
    announceRemoval(0);
    // The close's own waits deliver the removal; both end with one close.
    EXPECT_TRUE(link->CloseChild(source(), items[0]));
    EXPECT_EQ(childIds(source()), (std::vector<uint32_t>{items[1], items[2]}));
    EXPECT_EQ(SimControl::countCalls(orv::kCmdClose), 3);
}

TEST_F(TreeChangeTest, EventsQueuedForAClosedItemAreNotDelivered) {
    ASSERT_TRUE(link->CloseChild(source(), items[0]));
    log.dslrLines.clear();
    // The module no longer knows the item: nothing is queued for it.
    EXPECT_FALSE(
        SimControl::raiseEvent(orv::kObjItem, camera, items[0], 0, orv::kEvOrphanedChildren, 0));
    ASSERT_TRUE(link->IdlePump(source()));
    EXPECT_TRUE(log.dslrLines.empty());
}
