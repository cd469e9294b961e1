// The strips' workers against the real ffmpeg, and their tear-down while a
// tool is still running (a stand-in that never ends by itself).
#include <gtest/gtest.h>
#include <algorithm>
#include <atomic>
#include <filesystem>
#include <thread>
#include "platform/platform.h"
#include "strips/filmstrip_record.h"
#include "strips/thumbnail_bitmap.h"
#include "strips/thumbnail_worker.h"
#include "strips/track_lane_record.h"
#include "strips/waveform_record.h"
#include "tests/support/test_support.h"
#include "tests/unit/capture_host.h"
#include "tests/unit/recorded_tools.h"
#include "tests/unit/window_test.h"
#include "toolchain/tool_location.h"

namespace {

// The host's [PubDir], and how many times a thread other than the host's asked.
std::string g_pubDir;
std::thread::id g_hostThread;
std::atomic<int> g_asksOffThread(0);

void QMT_CALL PubDir(const char* name, char** value) {
    if (std::this_thread::get_id() != g_hostThread) ++g_asksOffThread;
    static std::string answer;
    answer = std::string(name) == "[PubDir]" ? g_pubDir : "";
    *value = &answer[0];
}

class StripWorkers : public RecordedToolsTest {
protected:
    void TearDown() override {
        PageTearDown();
        EXPECT_EQ(LiveThumbnailBitmaps(), 0);
        RecordedToolsTest::TearDown();
    }
    // Names in the plug-in's temporary folder that begin with qmt_.
    std::vector<std::string> Leftovers() const {
        std::vector<std::string> names = plat::FindFiles(tmp, "qmt_*");
        if (plat::PathExists(tmp + "qmt_split")) names.push_back("qmt_split");
        return names;
    }
    double Elapsed(uint64_t since) const { return static_cast<double>(plat::TickMs() - since); }
    // This process's threads: a worker that has ended is no longer among them.
    static int ThreadCount() {
        int n = 0;
        for (auto& entry : std::filesystem::directory_iterator("/proc/self/task")) n += entry.exists() ? 1 : 0;
        return n;
    }
};

}  // namespace

// One run a thumbnail at the cell size of the moment the run starts, by the
// tools found on the host's thread when the worker started: a folder set
// while it runs is for the jobs after it, and the worker never asks the host.
TEST_F(StripWorkers, AWorkerRunsTheToolsLocatedBeforeItStarted) {
    g_tools = ToolLocation{false, "", "", "", ""};
    g_pubDir = rec->folder() + "/";
    g_hostThread = std::this_thread::get_id();
    g_asksOffThread = 0;
    g_host.getVariable = PubDir;
    std::string video = qt::ClipAV(3.0, 160, 90);
    intptr_t window = hwCreateWindow(0, "QMT_FrameStripWnd", 0, 0, 640, 90);
    int slot = OpenFrameStrip("Strip", video, "Player", kNoWindow, 640, 90);
    ASSERT_GE(slot, 0);
    FrameStripRecord& strip = *FrameStripAt(slot);
    strip.stripWindow = WindowHandle{window};
    ASSERT_TRUE(StartFrameStripExtraction(slot));
    qt::ToolRecorder other(dir + "/other");
    wt::Call(1, {other.folder()});  // QMT_SetFFmpegPath
    EXPECT_EQ(capture::Last("[QMT_FFmpegPath]"), other.folder());
    ASSERT_TRUE(qt::WaitUntil([&] { return rec->RunCount() > 0; }, 60000));
    SetZoom(strip, 5);
    std::string zoomed = std::to_string(strip.cellWidth);
    ASSERT_TRUE(qt::WaitUntil([&] { return !strip.extracting; }, 240000));
    EXPECT_EQ(other.RunCount(), 1u);  // QMT_SetFFmpegPath's "-version"
    EXPECT_EQ(g_asksOffThread, 0);

    EXPECT_NEAR(strip.duration, 3.0, 0.05);
    EXPECT_EQ(strip.framesReady, 20);
    EXPECT_EQ(LiveThumbnailBitmaps(), 20);
    EXPECT_EQ(strip.thumbnails[20], kNoBitmap);
    auto runs = rec->Runs();
    ASSERT_EQ(runs.size(), 20u);
    EXPECT_EQ(runs[0], (std::vector<std::string>{"-y", "-ss", "0.143", "-i", video, "-frames:v", "1", "-vf",
                                                 "scale=160:90", "-pix_fmt", "bgr24", ThumbnailImagePath(slot, 0)}));
    EXPECT_EQ(ThumbnailImagePath(slot, 0), tmp + "qmt_fs_" + std::to_string(slot) + "_0.bmp");
    EXPECT_EQ(runs[19][2], "2.857");
    EXPECT_EQ(runs[19][8], "scale=" + zoomed + ":90");
    int w = 0, h = 0;
    ASSERT_TRUE(ThumbnailBitmapSize(strip.thumbnails[19], w, h));
    EXPECT_EQ(std::to_string(w), zoomed);
    EXPECT_GE(hwInvalidationCount(window), 20);
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(StripWorkers, AWorkerLetGoAfterTheWaitNeverReachesTheFreedRecord) {
    rec->DelayProbes(1.0);
    int threads = ThreadCount();
    int slot = OpenFrameStrip("Strip", qt::ClipAV(3.0, 160, 90), "Player", kNoWindow, 640, 90);
    ASSERT_TRUE(StartFrameStripExtraction(slot));
    ASSERT_TRUE(qt::WaitUntil([&] { return rec->ProbesStarted() > 0; }, 60000));
    uint64_t t0 = plat::TickMs();
    CloseFrameStrip(slot, 100);  // the probe is still running
    EXPECT_LT(Elapsed(t0), 900);
    EXPECT_FALSE(FrameStripAt(slot)->inUse);
    // The slot is taken again at once; the old worker, going on after its
    // probe, must not fill it.
    ASSERT_EQ(OpenFrameStrip("Other", "/nothing.mp4", "Player", kNoWindow, 640, 90), slot);
    ASSERT_TRUE(qt::WaitUntil([&] { return ThreadCount() <= threads; }, 60000));
    EXPECT_EQ(FrameStripAt(slot)->duration, 0);
    EXPECT_EQ(FrameStripAt(slot)->framesReady, 0);
    EXPECT_EQ(rec->RunCount(), 0u);
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(StripWorkers, WaveformHasFourThousandPeaksOfTheSine) {
    std::string video = qt::ClipAV(3.0, 160, 90);
    intptr_t window = hwCreateWindow(0, "QMT_WaveformWnd", 0, 0, 400, 80);
    int slot = OpenWaveform("Wave", video, "Player", kNoWindow);
    WaveformRecord& wave = *WaveformAt(slot);
    wave.waveWindow = WindowHandle{window};
    ASSERT_TRUE(StartWaveformAnalysis(slot));
    ASSERT_TRUE(qt::WaitUntil([&] { return !wave.analysing; }, 120000));
    EXPECT_NEAR(wave.duration, 3.0, 0.05);
    EXPECT_EQ(wave.peakCount, 4000);
    EXPECT_FALSE(wave.noSound);
    // lavfi's sine has an amplitude of 1/8.
    std::vector<float> peaks(wave.peaks, wave.peaks + wave.peakCount);
    std::sort(peaks.begin(), peaks.end());
    EXPECT_NEAR(peaks[2000], 0.125, 0.02);
    EXPECT_LT(peaks.back(), 0.2);
    EXPECT_EQ(rec->Last(), (std::vector<std::string>{"-y", "-i", video, "-ac", "1", "-ar", "8000", "-f", "s16le",
                                                      "-acodec", "pcm_s16le", WaveformRawPath(slot)}));
    EXPECT_EQ(WaveformRawPath(slot), tmp + "qmt_wf_" + std::to_string(slot) + ".raw");
    EXPECT_GE(hwInvalidationCount(window), 1);

    // A quarter of a second decodes to 2000 samples, one peak each; a video
    // without sound gives none and says so.
    const struct {
        std::string name, path;
        int peaks;
        bool noSound;
    } others[] = {{"Quarter", qt::ClipAudio(0.25), 2000, false}, {"Mute", qt::ClipVideoOnly(1.0, 160, 90), 0, true}};
    for (const auto& o : others) {
        int other = OpenWaveform(o.name, o.path, "Player", kNoWindow);
        ASSERT_TRUE(StartWaveformAnalysis(other));
        ASSERT_TRUE(qt::WaitUntil([&] { return !WaveformAt(other)->analysing; }, 120000));
        EXPECT_EQ(WaveformAt(other)->peakCount, o.peaks) << o.name;
        EXPECT_EQ(WaveformAt(other)->noSound, o.noSound) << o.name;
    }
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(StripWorkers, LanesAnalyseEachAudioLaneAtFourKilohertz) {
    std::string video = qt::ClipVideoOnly(3.0, 160, 90);
    std::string audio = qt::ClipAudio(3.0);
    int slot = OpenTrackLanes("Lanes", video, audio, "Player", kNoWindow);
    TrackLaneRecord& d = *TrackLaneAt(slot);
    ASSERT_TRUE(StartTrackLaneAnalysis(slot));
    ASSERT_TRUE(qt::WaitUntil([&] { return !d.analysing; }, 120000));
    EXPECT_NEAR(d.duration, 3.0, 0.05);  // from V1, the first lane with a duration
    EXPECT_EQ(d.lanes[0].peakCount, 0);  // video lanes are not analysed
    EXPECT_EQ(d.lanes[1].peakCount, 2000);
    EXPECT_EQ(rec->Last(), (std::vector<std::string>{"-y", "-i", audio, "-ac", "1", "-ar", "4000", "-f", "s16le",
                                                      "-acodec", "pcm_s16le", tmp + "qmt_tl0_a1.raw"}));
    // With the worker done, an added lane is analysed by the action itself.
    wt::Call(149, {"lanes", qt::ClipAudio(0.25), "Quarter", "pink"});
    EXPECT_EQ(d.lanes[2].peakCount, 1000);

    EXPECT_TRUE(Leftovers().empty());
}

// Re-created, destroyed or left with the page while a decode never ends,
// each ends its own tools within its wait and leaves nothing behind.
TEST_F(StripWorkers, RecreateDestroyAndPageTearDownEndTheirOwnTools) {
    rec->DelayWhen("s16le");
    std::string video = qt::ClipAV(3.0, 160, 90);
    int wave = OpenWaveform("Wave", video, "Player", kNoWindow);
    ASSERT_TRUE(StartWaveformAnalysis(wave));
    ASSERT_TRUE(StartTrackLaneAnalysis(OpenTrackLanes("Lanes", video, "", "Player", kNoWindow)));
    ASSERT_TRUE(qt::WaitUntil([&] { return rec->DelayedPids().size() == 2; }, 60000));
    std::vector<int> first = rec->DelayedPids();

    uint64_t t0 = plat::TickMs();
    wave = OpenWaveform("WAVE", video, "Player", kNoWindow);
    EXPECT_LT(Elapsed(t0), kWaveformRecreateWaitMs);
    ASSERT_TRUE(StartWaveformAnalysis(wave));
    ASSERT_TRUE(qt::WaitUntil([&] { return rec->DelayedPids().size() == 3; }, 60000));
    // The old waveform's decode has ended, not the lanes'.
    EXPECT_EQ(qt::Alive(std::to_string(first[0])) + qt::Alive(std::to_string(first[1])), 1);

    t0 = plat::TickMs();
    wt::Call(146, {"wave"});
    EXPECT_LT(Elapsed(t0), kWaveformDestroyWaitMs);
    EXPECT_FALSE(qt::Alive(std::to_string(rec->DelayedPids()[2])));
    EXPECT_EQ(FindWaveform("Wave"), -1);

    // The page goes while the lanes still decode and a strip is half-way through its thumbnails.
    int strip = OpenFrameStrip("Strip", video, "Player", kNoWindow, 320, 90);
    ASSERT_TRUE(StartFrameStripExtraction(strip));
    ASSERT_TRUE(qt::WaitUntil(
        [&] {
            plat::LockHold held(FrameStripAt(strip)->lock);  // the worker is storing thumbnails
            return FrameStripAt(strip)->framesReady > 0;
        },
        60000));
    t0 = plat::TickMs();
    PageTearDown();
    EXPECT_LT(Elapsed(t0), kStripRecreateWaitMs);
    for (int pid : rec->DelayedPids()) EXPECT_FALSE(qt::Alive(std::to_string(pid))) << pid;
    EXPECT_EQ(FindTrackLane("Lanes"), -1);
    EXPECT_EQ(FindFrameStrip("Strip"), -1);
    EXPECT_EQ(LiveThumbnailBitmaps(), 0);
    EXPECT_TRUE(Leftovers().empty());
}
