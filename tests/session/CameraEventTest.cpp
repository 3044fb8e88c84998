// Source events read from their number and datum, and the session that
// hands them on: typed, as signals, and with the open connection's state.
#include "camera/CameraEvent.h"
#include "VantoraTest.h"
#include "camera/CameraLink.h"
#include "session/CameraSession.h"

#include <memory>
#include <vector>

using vsim::SimControl;

TEST(DecodeSourceEvent, LowBitsGiveTheKindAndTheFullNumberTheNotice) {
    struct Row {
        uint32_t code;
        SourceEventKind kind;
        SourceEventNotice notice;
    };
    const std::vector<Row> rows = {
        {0x0000, SourceEventKind::ChildAdded, SourceEventNotice::None},
        {0x0001, SourceEventKind::ChildRemoved, SourceEventNotice::None},
        {0x0002, SourceEventKind::Other, SourceEventNotice::None},
        {0x0004, SourceEventKind::CapabilityChanged, SourceEventNotice::None},
        {0x0005, SourceEventKind::OrphanedChildren, SourceEventNotice::None},
        {0x0006, SourceEventKind::CapabilityValueChanged, SourceEventNotice::None},
        // The eighth bit is not part of the kind: 0x86 is a value change.
        {0x0086, SourceEventKind::CapabilityValueChanged, SourceEventNotice::None},
        {0x0107, SourceEventKind::Other, SourceEventNotice::None},
        {0x0108, SourceEventKind::Other, SourceEventNotice::CaptureComplete},
        {0x0109, SourceEventKind::Other, SourceEventNotice::CardItemAdded},
        {0x010A, SourceEventKind::Other, SourceEventNotice::RecordingStoppedByError},
        {0x010B, SourceEventKind::Other, SourceEventNotice::Unknown},
        // Both tables apply: a child added with a number above 0x10A.
        {0x0180, SourceEventKind::ChildAdded, SourceEventNotice::Unknown},
    };
    for (const Row& row : rows) {
        const CameraEvent event = DecodeSourceEvent(row.code, 0x8117);
        EXPECT_EQ(event.kind, row.kind) << std::hex << row.code;
        EXPECT_EQ(event.notice, row.notice) << std::hex << row.code;
        EXPECT_EQ(event.code, row.code);
        EXPECT_EQ(event.datum, 0x8117u);
    }
}

class CameraSessionTest : public VantoraTest {
protected:
    void SetUp() override {
        m_link.setClock(m_clock);
        m_camera = SimControl::attach("Y800");
        ASSERT_TRUE(m_link.OpenCameraModule("Y800"));
        ASSERT_TRUE(m_link.SelectSource("Y800", 1));
    }

    CameraLink m_link{&m_sink};
    CameraSession m_session{m_link};
    int m_camera = 0;
};

TEST_F(CameraSessionTest, CameraValueChangeArrivesTypedAndAsSignal) {
    std::vector<uint32_t> values;
    QObject::connect(&m_session, &CameraSession::capabilityValueChanged,
                     [&](uint32_t capId) { values.push_back(capId); });
    std::vector<CameraEvent> events;
    QObject::connect(&m_session, &CameraSession::cameraEvent,
                     [&](CamObject* source, const CameraEvent& event) {
                         EXPECT_EQ(source, m_link.CurrentSource());
                         events.push_back(event);
                     });
    ASSERT_TRUE(SimControl::setUnsigned(m_camera, orv::kCapMeteringMode, 2));
    ASSERT_TRUE(m_link.IdlePump(m_link.CurrentSource()));

    EXPECT_EQ(values, std::vector<uint32_t>{orv::kCapMeteringMode});
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, SourceEventKind::CapabilityValueChanged);
}

TEST_F(CameraSessionTest, OpenAndCloseFrameTheConnectionAndForgetTheCamera) {
    int opened = 0;
    int closed = 0;
    QObject::connect(&m_session, &CameraSession::opened, [&] { ++opened; });
    QObject::connect(&m_session, &CameraSession::closed, [&] { ++closed; });
    m_session.beginConnect(2, {QStringLiteral("SN1"), QStringLiteral("1.10")});
    EXPECT_FALSE(m_session.connected());
    m_session.open("Y800", "18-105mm");
    m_session.addPendingItem(0x42);
    EXPECT_TRUE(m_session.connected());
    EXPECT_EQ(m_session.cameraOrdinal(), 2);
    EXPECT_EQ(m_session.afPointCount(), m_link.AfPointCount());
    EXPECT_EQ(m_session.pendingItemCount(), 1);

    m_session.close();
    m_session.close(); // a second close changes nothing and says nothing
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(m_session.connected());
    EXPECT_EQ(m_session.cameraName(), CameraSession::kNoCamera);
    EXPECT_EQ(m_session.pendingItemCount(), 0);
    m_session.itemDone(); // never below zero
    EXPECT_EQ(m_session.pendingItemCount(), 0);
}
