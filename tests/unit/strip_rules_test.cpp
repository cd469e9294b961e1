// The strips' pure rules that their windows do not show on their own:
// thumbnail counts and times, the edges of the geometry, peak
// buckets, the lanes' links and the overlay's opacity and named colours.
#include <gtest/gtest.h>
#include <cstring>
#include "strips/filmstrip_geometry.h"
#include "strips/filmstrip_record.h"
#include "strips/overlay_box.h"
#include "strips/peak_scan.h"
#include "strips/track_lane_record.h"
#include "strips/wave_geometry.h"

TEST(FilmstripRules, ThumbnailCountAndTimesFollowTheDuration) {
    const struct {
        double duration;
        int count;
    } counts[] = {{9.9, 20}, {10.0, 40}, {59.99, 40}, {60.0, 60}};
    for (const auto& c : counts) EXPECT_EQ(ThumbnailCount(c.duration), c.count) << c.duration;
    // 60 s: 60 / 61 s apart, the first one interval in (20 of a short clip: the worker's runs).
    EXPECT_NEAR(ThumbnailTime(60, 59), 59.016, 0.0005);
}

TEST(FilmstripRules, EdgesOfTheGeometryAndLabels) {
    EXPECT_EQ(FollowFirstVisible(5000, 10.0, 3, 160, 6500), 0);  // more room than frames
    EXPECT_EQ(ClickSeekMs(5, 160, 0, 0, 19.0), -1);             // nothing to click yet
    EXPECT_EQ(ClickSeekMs(500, 160, 1, 0, 30.0), 0);             // one frame: the start
    EXPECT_EQ(ThumbnailLabel(0, 30.0, 1), "0:00");
    EXPECT_EQ(ThumbnailLabel(19, 95.0, 20), "1:35");
    EXPECT_DOUBLE_EQ(PlayheadFraction(-5, 10), 0);
    EXPECT_DOUBLE_EQ(PlayheadFraction(20000, 10), 1);
}

TEST(WaveRules, EdgesOfTheGeometryAndTheRuler) {
    EXPECT_EQ(ColumnPeakIndex(400, 400, 4000), 3999);  // past the end: the last
    EXPECT_EQ(ColumnPeakIndex(1, 400, 3), 0);
    EXPECT_EQ(PeakAmplitude(1.0f, 38), 38);
    EXPECT_EQ(WavePlayheadX(-20, 3, 400), 0);
    EXPECT_EQ(WavePlayheadX(9000, 3, 400), 400);
    EXPECT_EQ(WaveClickSeekMs(65535, 400, 3), 3000);
    EXPECT_EQ(WaveClickSeekMs(10, 0, 3), 0);
    // A tick every 2 s below 10 s, 5 below 30, 10 up to 2 min, 30 up to 10, then a minute.
    const struct {
        double duration;
        int step;
    } steps[] = {{9, 2}, {10, 5}, {29.9, 5}, {30, 10}, {120, 10}, {121, 30}, {600, 30}, {700, 60}};
    for (const auto& s : steps) EXPECT_EQ(RulerStep(s.duration), s.step) << s.duration;
    EXPECT_EQ(RulerLabel(660), "11:00");
}

TEST(LaneRules, EdgesOfTheGeometry) {
    EXPECT_EQ(LaneThumbWidth(6), 10);
    EXPECT_EQ(LaneThumbFrame(3, 4, 2), 1);
    EXPECT_EQ(LaneThumbFrame(5, 8, 3), 1);
    EXPECT_EQ(LaneClickSeekMs(299, 300, 3), 2988);
}

TEST(PeakRules, PeaksAreTheLargestMagnitudeAndThePartialBucketIsKeptOnRequest) {
    // Samples 100, -32768, 16384 | 0, -8192 (buckets of 3 planned from 6 samples into 2).
    const unsigned char bytes[] = {100, 0, 0x00, 0x80, 0x00, 0x40, 0, 0, 0x00, 0xE0};
    std::vector<float> got;
    PeakStore store = [&](int index, float peak) {
        EXPECT_EQ(index, static_cast<int>(got.size()));
        got.push_back(peak);
    };
    PeakScan scan = PlanPeaks(12, 2);
    EXPECT_EQ(scan.bucketSize, 3);
    // Fed in odd pieces: a sample split over two blocks still counts once.
    ScanPeakBlock(scan, bytes, 3, store);
    ScanPeakBlock(scan, bytes + 3, 7, store);
    EXPECT_EQ(got, std::vector<float>{1.0f});
    EXPECT_EQ(scan.stored, 1);  // the lanes leave the partial bucket out
    StorePartialBucket(scan, store);
    EXPECT_EQ(got, (std::vector<float>{1.0f, 0.25f}));
}

TEST(LaneRules, LinksAndLabels) {
    int strip = OpenFrameStrip("Strip", "/media/v.mp4", "P", kNoWindow, 320, 90);
    int slot = OpenTrackLanes("Lanes", "/media/v.mp4", "", "P", kNoWindow);
    int other = OpenTrackLanes("Lanes2", "/media/V.mp4", "/a.wav", "P", kNoWindow);
    TrackLaneRecord& d = *TrackLaneAt(slot);
    EXPECT_STREQ(d.lanes[1].path, "/media/v.mp4");  // A1 is the video's own sound
    EXPECT_EQ(TrackLaneAt(other)->lanes[0].linkedStrip, -1);  // paths compare exactly: no strip of V.mp4
    EXPECT_STREQ(TrackLaneAt(other)->lanes[1].path, "/a.wav");
    int lane = -1;
    bool now = true;
    d.analysing = true;  // a running worker reaches new lanes itself
    EXPECT_TRUE(AddAudioLane(d, "/b.wav", "Music track long", "pink", lane, now).ok);
    EXPECT_EQ(lane, 2);
    EXPECT_FALSE(now);
    EXPECT_STREQ(d.lanes[2].label, "Music track lon");
    d.analysing = false;
    CloseTrackLanes(slot, kLaneDestroyWaitMs);
    CloseTrackLanes(other, kLaneDestroyWaitMs);
    CloseFrameStrip(strip, kStripDestroyWaitMs);
}

TEST(OverlayRules, OpacityAndTextColours) {
    EXPECT_FLOAT_EQ(OverlayOpacity("0.3"), 0.3f);
    EXPECT_EQ(ParseOverlayColour("Blue"), Rgb(0, 100, 255));
}
