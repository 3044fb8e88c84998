// Movie recording in the simulated body: only in movie live view and with a
// usable card, the movie item that ends it, and a file that grows with the
// recording time.
#include "SimTestSupport.h"

#include <algorithm>
#include <string>

using namespace simtest;
using vsim::SimControl;

namespace {

bool has(const std::vector<Event>& events, uint32_t event, uintptr_t datum) {
    return std::any_of(events.begin(), events.end(),
                       [&](const Event& e) { return e.event == event && e.data == datum; });
}

} // namespace

class SimRecordingTest : public SimFixture {
protected:
    void SetUp() override {
        SimFixture::SetUp();
        SimControl::freezeLiveScene(0);
        m_camera = SimControl::attach("Y4");
        m_source = openSource(m_camera);
        installEvents(m_source, &m_events);
        SimControl::setUnsigned(m_camera, orv::kCapLiveViewStatus, 1);
    }
    // Records `ms` of simulated time; the movie's item id, 0 when refused.
    uint32_t record(uint32_t ms) {
        SimControl::setUnsigned(m_camera, orv::kCapMovieRecordStatus, 1);
        if (!SimControl::recordingState(m_camera).recording) {
            return 0;
        }
        SimControl::skipTime(ms);
        SimControl::setUnsigned(m_camera, orv::kCapMovieRecordStatus, 0);
        idle(m_source);
        return SimControl::recordingState(m_camera).lastItem;
    }

    int m_camera = 0;
    orv::VendorObject* m_source = nullptr;
    std::vector<Event> m_events;
};

TEST_F(SimRecordingTest, OnlyMovieLiveViewWithAGoodCardRecords) {
    // Photo live view: the status stays 0.
    EXPECT_EQ(record(1000), 0u);
    EXPECT_EQ(SimControl::getUnsigned(m_camera, orv::kCapMovieRecordStatus), 0u);

    SimControl::setEnumIndex(m_camera, orv::kCapLiveViewSelector, 1);
    ASSERT_TRUE(SimControl::setCardState(m_camera, vsim::kCardMissing));
    EXPECT_EQ(record(1000), 0u);
    idle(m_source);
    EXPECT_TRUE(has(m_events, vsim::kEvRecordingError, vsim::kCardMissing));

    ASSERT_TRUE(SimControl::setCardState(m_camera, vsim::kCardOk));
    const uint32_t movie = record(1000);
    ASSERT_NE(movie, 0u);
    EXPECT_TRUE(has(m_events, vsim::kEvCardItemAdded, movie));
    // Recording leaves the card's other bits alone.
    EXPECT_EQ(SimControl::getUnsigned(m_camera, orv::kCapMovieProhibit), 0u);
}

TEST_F(SimRecordingTest, TheMovieIsAQuickTimeFileThatGrowsWithTheRecordingTime) {
    SimControl::setEnumIndex(m_camera, orv::kCapLiveViewSelector, 1);
    const uint32_t shortMovie = record(1000);
    const vsim::RecordingState first = SimControl::recordingState(m_camera);
    const uint32_t longMovie = record(3000);
    const vsim::RecordingState second = SimControl::recordingState(m_camera);
    EXPECT_EQ(first.lastFrames, 25u);
    EXPECT_EQ(second.lastFrames, 75u);
    EXPECT_EQ(second.lastDuration_ms, 3000u);
    EXPECT_GT(second.lastSize, 2 * first.lastSize);

    const std::vector<uint8_t> bytes = SimControl::fileBytes(m_camera, longMovie, 4, 0);
    ASSERT_EQ(bytes.size(), second.lastSize);
    EXPECT_EQ(std::string(bytes.begin() + 4, bytes.begin() + 8), "ftyp");
    EXPECT_EQ(std::string(bytes.begin() + 24, bytes.begin() + 28), "mdat");
    // The first frame is a JPEG right behind the mdat header.
    EXPECT_EQ(bytes[28], 0xFF);
    EXPECT_EQ(bytes[29], 0xD8);
    EXPECT_NE(shortMovie, longMovie);

    // Live view ending on the body ends a recording and keeps it.
    SimControl::setUnsigned(m_camera, orv::kCapMovieRecordStatus, 1);
    SimControl::skipTime(400);
    ASSERT_TRUE(SimControl::endLiveView(m_camera));
    EXPECT_FALSE(SimControl::recordingState(m_camera).recording);
    EXPECT_EQ(SimControl::recordingState(m_camera).lastFrames, 10u);
    EXPECT_EQ(SimControl::getUnsigned(m_camera, orv::kCapMovieRecordStatus), 0u);
}
