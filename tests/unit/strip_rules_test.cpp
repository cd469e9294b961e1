// The strips' pure rules: thumbnail counts and times, cell widths and zoom,
// clicks and wheel turns, colours, peak buckets and the overlay box.
#include <gtest/gtest.h>
#include <cstring>
#include "strips/filmstrip_geometry.h"
#include "strips/filmstrip_record.h"
#include "strips/overlay_box.h"
#include "strips/overlay_record.h"
#include "strips/peak_scan.h"
#include "strips/track_lane_record.h"
#include "tests/unit/capture_host.h"

TEST(FilmstripRules, ThumbnailCountAndTimesFollowTheDuration) {
    EXPECT_EQ(ThumbnailCount(9.9), 20);
    EXPECT_EQ(ThumbnailCount(10.0), 40);
    EXPECT_EQ(ThumbnailCount(59.99), 40);
    EXPECT_EQ(ThumbnailCount(60.0), 60);
    // 9.9 s: interval 9.9 / 21, the first frame one interval in.
    EXPECT_NEAR(ThumbnailTime(9.9, 0), 0.471, 0.0005);
    EXPECT_NEAR(ThumbnailTime(9.9, 1), 0.943, 0.0005);
    EXPECT_NEAR(ThumbnailTime(9.9, 19), 20 * 9.9 / 21, 1e-9);
    EXPECT_NEAR(ThumbnailTime(60, 0), 60.0 / 61, 1e-9);
    EXPECT_NEAR(ThumbnailTime(60, 59), 60 * 60.0 / 61, 1e-9);
}

TEST(FilmstripRules, CellWidthsAndTheZoomTable) {
    EXPECT_EQ(InitialCellWidth(90), 160);
    EXPECT_EQ(InitialCellWidth(20), 40);  // 35 would be too narrow
    EXPECT_EQ(ParseZoomLevel("0"), 1);
    EXPECT_EQ(ParseZoomLevel("abc"), 1);
    EXPECT_EQ(ParseZoomLevel("9"), 5);
    EXPECT_EQ(ParseZoomLevel("4"), 4);
    EXPECT_EQ(ZoomCellWidth(50, 1), 25);
    EXPECT_EQ(ZoomCellWidth(30, 1), 20);  // not 15
    EXPECT_EQ(ZoomCellWidth(160, 2), 120);
    EXPECT_EQ(ZoomCellWidth(160, 4), 240);
    EXPECT_EQ(ZoomCellWidth(160, 5), 320);

    FrameStripRecord strip;
    memset(static_cast<void*>(&strip), 0, sizeof strip);
    plat::InitLock(strip.lock);
    strip.baseWidth = strip.cellWidth = 160;
    strip.zoomLevel = 3;
    strip.framesReady = 20;
    for (int i = 0; i < 3; ++i) WheelStrip(strip, 120, true);
    EXPECT_EQ(strip.zoomLevel, 5);
    EXPECT_EQ(strip.cellWidth, 320);
    WheelStrip(strip, 0, true);  // zero counts as a turn toward the user
    EXPECT_EQ(strip.zoomLevel, 4);
    strip.firstVisible = 10;
    WheelStrip(strip, -240, false);
    EXPECT_EQ(strip.firstVisible, 16);
    WheelStrip(strip, -360, false);
    EXPECT_EQ(strip.firstVisible, 19);  // the last frame
    WheelStrip(strip, 119, false);      // less than a notch does nothing
    EXPECT_EQ(strip.firstVisible, 19);
    WheelStrip(strip, 120 * 10, false);
    EXPECT_EQ(strip.firstVisible, 0);
    plat::DeleteLock(strip.lock);
}

TEST(FilmstripRules, PositionsClicksAndLabels) {
    // 20 frames of a 10 s video in cells of 160 + 2.
    EXPECT_EQ(FramePosition(5.0, 10.0, 20), 9);
    EXPECT_EQ(StripTimeX(5.0, 10.0, 20, 0, 160, true), 9 * 162 + 80);
    EXPECT_EQ(StripTimeX(5.0, 10.0, 20, 4, 160, false), 5 * 162);
    // The follow timer keeps the playhead in the middle of 4 visible cells.
    EXPECT_EQ(FollowFirstVisible(5000, 10.0, 20, 160, 650), 7);
    EXPECT_EQ(FollowFirstVisible(0, 10.0, 20, 160, 650), 0);
    EXPECT_EQ(FollowFirstVisible(10000, 10.0, 20, 160, 650), 16);
    EXPECT_EQ(FollowFirstVisible(99000, 10.0, 20, 160, 650), 16);  // clamped past the end
    EXPECT_EQ(FollowFirstVisible(5000, 10.0, 3, 160, 6500), 0);   // more room than frames
    // Clicks: frame under x, at most the last one.
    EXPECT_EQ(ClickSeekMs(163, 160, 20, 0, 19.0), 1000);
    EXPECT_EQ(ClickSeekMs(163, 160, 20, 18, 19.0), 19000);
    EXPECT_EQ(ClickSeekMs(5, 160, 0, 0, 19.0), -1);
    // One frame: a click seeks to 0 and the label reads 0:00.
    EXPECT_EQ(ClickSeekMs(500, 160, 1, 0, 30.0), 0);
    EXPECT_EQ(ThumbnailLabel(0, 30.0, 1), "0:00");
    EXPECT_EQ(ThumbnailLabel(19, 95.0, 20), "1:35");
    EXPECT_EQ(ThumbnailLabel(2, 95.0, 20), "0:10");
    EXPECT_DOUBLE_EQ(PlayheadFraction(-5, 10), 0);
    EXPECT_DOUBLE_EQ(PlayheadFraction(20000, 10), 1);
}

TEST(FilmstripRules, MarkerColoursAndTheFiftyFirstMarker) {
    EXPECT_EQ(ParseMarkerColour("#00ff00"), Rgb(0, 255, 0));
    EXPECT_EQ(ParseMarkerColour("#0f0"), Rgb(255, 220, 40));  // short form: yellow
    EXPECT_EQ(ParseMarkerColour("Red"), Rgb(255, 50, 50));
    EXPECT_EQ(ParseMarkerColour("rED"), Rgb(255, 50, 50));
    EXPECT_EQ(ParseMarkerColour("MAGENTA"), Rgb(220, 50, 220));
    EXPECT_EQ(ParseMarkerColour("mauve"), Rgb(255, 220, 40));

    capture::Install();
    int slot = OpenFrameStrip("Strip", "/v.mp4", "Player", kNoWindow, 640, 90);
    ASSERT_GE(slot, 0);
    FrameStripRecord& strip = *FrameStripAt(slot);
    for (int i = 0; i < kMaxMarkers; ++i) ASSERT_TRUE(AddMarker(strip, std::to_string(i), "m", "blue").ok);
    EXPECT_EQ(AddMarker(strip, "1:02.5", "late", "red").message, "Max markers reached.");
    EXPECT_EQ(strip.markerCount, 50);
    ClearMarkers(strip);
    EXPECT_TRUE(AddMarker(strip, "1:02.5", std::string(40, 'x'), "#102030").ok);
    EXPECT_DOUBLE_EQ(strip.markers[0].time, 62.5);
    EXPECT_EQ(strlen(strip.markers[0].label), 31u);
    EXPECT_EQ(strip.markers[0].colour, Rgb(0x10, 0x20, 0x30));
    CloseFrameStrip(slot, kStripDestroyWaitMs);
    capture::Remove();
}

TEST(FilmstripTable, FourStripsFoundByNameInAnyCase) {
    int slots[4];
    for (int i = 0; i < 4; ++i)
        slots[i] = OpenFrameStrip("Strip" + std::to_string(i), "/v.mp4", "P", kNoWindow, 320, 90);
    EXPECT_EQ(OpenFrameStrip("Fifth", "/v.mp4", "P", kNoWindow, 320, 90), -1);
    EXPECT_EQ(FindFrameStrip("STRIP2"), slots[2]);
    EXPECT_EQ(FindFrameStrip("strip9"), -1);
    // Re-creating under a name takes the old strip's place.
    EXPECT_EQ(OpenFrameStrip("strip1", "/w.mp4", "P", kNoWindow, 320, 20), slots[1]);
    EXPECT_STREQ(FrameStripAt(slots[1])->videoPath, "/w.mp4");
    EXPECT_EQ(FrameStripAt(slots[1])->cellWidth, 40);
    EXPECT_EQ(FrameStripAt(slots[1])->selectedSplit, -1);
    EXPECT_EQ(FrameStripAt(slots[1])->zoomLevel, 3);
    for (int s : slots) CloseFrameStrip(s, kStripDestroyWaitMs);
    EXPECT_EQ(FindFrameStrip("Strip0"), -1);
}

TEST(PeakRules, BucketsForThreeSecondsAndAQuarterSecond) {
    // Waveform, 8 kHz: 3 s = 24000 samples in buckets of 6; 0.25 s = 2000 of 1.
    PeakScan three = PlanPeaks(24000 * 2, kWaveformPeaks);
    EXPECT_EQ(three.bucketSize, 6);
    EXPECT_EQ(three.bucketCount, 4000);
    PeakScan quarter = PlanPeaks(2000 * 2, kWaveformPeaks);
    EXPECT_EQ(quarter.bucketSize, 1);
    EXPECT_EQ(quarter.bucketCount, 2000);
    // Lanes, 4 kHz: 3 s = 12000 samples into 2000 peaks of 6; 0.25 s = 1000 of 1.
    PeakScan lane = PlanPeaks(12000 * 2, kLanePeaks);
    EXPECT_EQ(lane.bucketSize, 6);
    EXPECT_EQ(lane.bucketCount, 2000);
    EXPECT_EQ(PlanPeaks(1000 * 2, kLanePeaks).bucketCount, 1000);
    // 3.02 s of decoded AAC still gives exactly 4000.
    EXPECT_EQ(PlanPeaks(24160 * 2, kWaveformPeaks).bucketCount, 4000);
}

TEST(PeakRules, PeaksAreTheLargestMagnitudeAndThePartialBucketIsKeptOnRequest) {
    // Samples 100, -32768, 16384 | 0, -8192 (buckets of 3 planned from 6 samples into 2).
    const int16_t samples[] = {100, -32768, 16384, 0, -8192};
    unsigned char bytes[10];
    for (int i = 0; i < 5; ++i) {
        bytes[2 * i] = static_cast<unsigned char>(samples[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<unsigned char>((samples[i] >> 8) & 0xFF);
    }
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
    ASSERT_EQ(got.size(), 1u);
    EXPECT_FLOAT_EQ(got[0], 1.0f);
    PeakScan withoutPartial = scan;
    StorePartialBucket(scan, store);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_FLOAT_EQ(got[1], 0.25f);
    EXPECT_EQ(withoutPartial.stored, 1);  // the lanes leave it out
}

TEST(LaneRules, ColoursLinksAndTheFifthLane) {
    EXPECT_EQ(LaneColour("Pink"), Rgb(255, 100, 150));
    EXPECT_EQ(LaneColour("PURPLE"), Rgb(160, 80, 220));
    EXPECT_EQ(LaneColour("green"), Rgb(255, 160, 30));
    int strip = OpenFrameStrip("Strip", "/media/v.mp4", "P", kNoWindow, 320, 90);
    int slot = OpenTrackLanes("Lanes", "/media/v.mp4", "", "P", kNoWindow);
    TrackLaneRecord& d = *TrackLaneAt(slot);
    EXPECT_EQ(d.laneCount, 2);
    EXPECT_EQ(d.lanes[0].linkedStrip, strip);
    EXPECT_STREQ(d.lanes[1].path, "/media/v.mp4");  // A1 is the video's own sound
    EXPECT_EQ(d.lanes[1].kind, kLaneAudio);
    int other = OpenTrackLanes("Lanes2", "/media/V.mp4", "/a.wav", "P", kNoWindow);
    EXPECT_EQ(TrackLaneAt(other)->lanes[0].linkedStrip, -1);  // paths compare exactly
    EXPECT_STREQ(TrackLaneAt(other)->lanes[1].path, "/a.wav");
    EXPECT_EQ(OpenTrackLanes("Lanes3", "/v", "", "P", kNoWindow), -1);
    int lane = -1;
    bool now = false;
    d.analysing = true;  // a running worker reaches new lanes itself
    EXPECT_TRUE(AddAudioLane(d, "/b.wav", "Music track long", "pink", lane, now).ok);
    EXPECT_EQ(lane, 2);
    EXPECT_FALSE(now);
    EXPECT_STREQ(d.lanes[2].label, "Music track lon");
    d.analysing = false;
    EXPECT_TRUE(AddAudioLane(d, "/c.wav", "Voice", "?", lane, now).ok);
    EXPECT_TRUE(now);
    EXPECT_EQ(d.lanes[3].colour, Rgb(255, 160, 30));
    EXPECT_EQ(AddAudioLane(d, "/d.wav", "Five", "pink", lane, now).message, "Max lanes reached.");
    CloseTrackLanes(slot, kLaneDestroyWaitMs);
    CloseTrackLanes(other, kLaneDestroyWaitMs);
    CloseFrameStrip(strip, kStripDestroyWaitMs);
}

class OverlayBox : public ::testing::Test {
protected:
    void SetUp() override {
        capture::Install();
        slot = OpenOverlay("Player", kNoWindow, 640, 360);
        ASSERT_GE(slot, 0);
        o = OverlayAt(slot);
    }
    void TearDown() override {
        CloseOverlay(slot);
        capture::Remove();
    }
    int slot = -1;
    OverlayRecord* o = nullptr;
};

TEST_F(OverlayBox, ImageBoxSitsAtTheBottomRightAndWheelsInEightPixelSteps) {
    o->kind = kOverlayImage;
    o->imageWidth = 400;
    o->imageHeight = 200;
    PlaceImageBox(*o, 640, 360, "0");
    EXPECT_EQ(o->w, 100);
    EXPECT_EQ(o->h, 50);
    EXPECT_EQ(o->x, 640 - 100 - 10);
    EXPECT_EQ(o->y, 360 - 50 - 10);
    WheelOverlay(*o, 120);
    EXPECT_EQ(o->w, 108);
    EXPECT_EQ(o->h, 54);
    for (int i = 0; i < 20; ++i) WheelOverlay(*o, -120);
    EXPECT_EQ(o->w, 20);
    EXPECT_EQ(o->h, 10);
    PublishOverlayBox(*o);
    EXPECT_EQ(capture::Last("[OvW]"), "20");
    EXPECT_EQ(capture::Last("[OvVideoW]"), "640");
    EXPECT_EQ(capture::Last("[OvVideoH]"), "360");
    EXPECT_FLOAT_EQ(OverlayOpacity("0"), 0.5f);
    EXPECT_FLOAT_EQ(OverlayOpacity("3"), 1.0f);
    EXPECT_FLOAT_EQ(OverlayOpacity("0.3"), 0.3f);
}

TEST_F(OverlayBox, DraggingStaysInsideAndTextSizesStopAtEightAndTwoHundred) {
    o->kind = kOverlayText;
    o->fontSize = OverlayFontSize("5");
    EXPECT_EQ(o->fontSize, 24);
    o->x = o->y = 10;
    FitTextBox(*o, 72, 26);
    EXPECT_EQ(o->w, 80);
    EXPECT_EQ(o->h, 30);
    EXPECT_FALSE(StartOverlayDrag(*o, 96, 20));  // 6 pixels right of the box
    ASSERT_TRUE(StartOverlayDrag(*o, 94, 44));   // within the 5-pixel margin
    DragOverlay(*o, 5000, 100, 640, 360);
    EXPECT_EQ(o->x, 640 - 80);
    DragOverlay(*o, -50, 5000, 640, 360);
    EXPECT_EQ(o->x, 0);
    EXPECT_EQ(o->y, 360 - 30);
    EXPECT_EQ(OverlayLabel(*o), "DRAG TO MOVE X:0 Y:330 W:80 H:30");
    for (int i = 0; i < 100; ++i) WheelOverlay(*o, 120);
    EXPECT_EQ(o->fontSize, 200);
    for (int i = 0; i < 100; ++i) WheelOverlay(*o, -1);
    EXPECT_EQ(o->fontSize, 8);
    o->locked = true;
    EXPECT_FALSE(WheelOverlay(*o, 120));
    EXPECT_EQ(o->fontSize, 8);
    EXPECT_FALSE(StartOverlayDrag(*o, 5, 335));
    EXPECT_EQ(OverlayLabel(*o), "LOCKED X:0 Y:330 W:80 H:30");
    UpdateOverlay(*o, "", "3");
    EXPECT_EQ(o->fontSize, 8);
    UpdateOverlay(*o, "New", "");
    EXPECT_STREQ(o->text, "New");
    EXPECT_EQ(o->w, 80);  // the box keeps its size
}

TEST(OverlayRules, TextColours) {
    EXPECT_EQ(ParseOverlayColour("#00FF00"), Rgb(0, 255, 0));
    EXPECT_EQ(ParseOverlayColour("#0F0"), Rgb(255, 255, 255));
    EXPECT_EQ(ParseOverlayColour("#00FF00FF"), Rgb(255, 255, 255));
    EXPECT_EQ(ParseOverlayColour("Blue"), Rgb(0, 100, 255));
    EXPECT_EQ(ParseOverlayColour("black"), Rgb(0, 0, 0));
}
