// The timeline preview against the real ffmpeg and Debian's ffplay (SDL's
// dummy drivers): the preview files and FFplay command lines of its paths,
// the playhead its timer runs by the stand-in clock, and renders and
// previews that keep to what the timeline held when they started while the
// timeline is edited during their ffmpeg runs.
#include <gtest/gtest.h>
#include <signal.h>
#include <cstdlib>
#include "host/dispatch.h"
#include "host/host_state.h"
#include "host/teardown.h"
#include "platform/headless/headless_mci.h"
#include "platform/headless/headless_window.h"
#include "platform/platform.h"
#include "playback/preview_process.h"
#include "tests/support/test_support.h"
#include "tests/unit/capture_host.h"
#include "tests/unit/recorded_tools.h"
#include "tests/unit/window_test.h"
#include "timeline/timeline_model.h"

namespace {

// The edit a test makes while the first ffmpeg run of an action is waited for.
void (*g_editDuringRun)() = nullptr;
void EditOnce() {
    void (*edit)() = g_editDuringRun;
    g_editDuringRun = nullptr;
    if (edit) edit();
}

class TimelinePreview : public RecordedToolsTest {
protected:
    void SetUp() override {
        RecordedToolsTest::SetUp();
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        wt::Page::Open();  // the clock moves only when a test steps it
        clip = qt::ClipAV(2.0, 160, 90);
        // Natively no ffplay window is ever found, so a launch into the
        // player's Rectangle looks for one for 3 s: what must still play
        // afterwards is longer.
        longClip = qt::ClipAV(8.0, 160, 120);
        wt::Page::AddRect("NLE1", 640, 200);
    }
    void TearDown() override {
        plat::SetMessagePumpHook(nullptr);
        g_editDuringRun = nullptr;
        wt::Page::Close();
        ResetPluginTables();
        RecordedToolsTest::TearDown();
    }
    // A timeline in NLE1 that follows the player Rectangle of that size.
    void Timeline(int playerWidth, int playerHeight) {
        wt::Page::AddRect("Player1", playerWidth, playerHeight);
        wt::Call(200, {"NLE1", "Player1"});
        ASSERT_EQ(capture::Last("[QMT_Status]"), "Complete");
        tl = TimelineAt(0);
    }
    void Add(const std::string& track, const std::string& type, const std::string& what, const std::string& start,
             const std::string& duration) {
        wt::Call(202, {"NLE1", track, type, what, "", start, duration});
        ASSERT_EQ(capture::Last("[QMT_Status]"), "Complete") << capture::Last("[QMT_Error]");
    }
    void Preview() {
        capture::writes.clear();
        wt::Call(213, {"NLE1"});
        EXPECT_EQ(capture::Last("[QMT_Status]"), "Complete") << capture::Last("[QMT_Error]");
        EXPECT_EQ(capture::Last("[QMT_Progress]"), "100");
    }
    std::vector<std::string> Statuses() const { return capture::Values("[QMT_Status]"); }
    std::string PreviewFile() const { return tmp + "qmt_preview.mp4"; }
    // One step of the stand-in clock, then one tick of the preview's timer.
    void Step(unsigned long ms) {
        hmMciAdvanceClock(ms);
        hwFireThreadTimers();
    }

    std::string clip, longClip;
    NleTimeline* tl = nullptr;
};

}  // namespace

TEST_F(TimelinePreview, OneClipAloneIsPlayedFromTheSourceAndThePlayheadFollowsTheClock) {
    Timeline(321, 181);  // odd: the filter takes it even, the window as it is
    Add("V1", "0", longClip, "1", "0");
    hmMciSetNextLength(8000);
    wt::Call(121, {"Player1", longClip, ""});
    hmMciClearLog();
    tl->playhead = 1.5;
    Preview();

    EXPECT_EQ(rec->RunCount(), 0u) << "nothing is encoded";
    ASSERT_TRUE(rec->WaitForPlays(1));
    EXPECT_EQ(rec->Plays()[0], (std::vector<std::string>{"-ss", "0.500", "-i", longClip, "-vf", "scale=320:180:flags=bilinear",
                                                         "-x", "321", "-y", "181", "-noborder", "-window_title",
                                                         "QMT Preview", "-autoexit", "-loglevel", "quiet"}));
    EXPECT_EQ(Statuses(), (std::vector<std::string>{"Processing", "Previewing", "Complete"}));
    EXPECT_EQ(capture::Values("[QMT_PreviewMode]"), (std::vector<std::string>{"0", "1"}));
    EXPECT_EQ(wt::MciLog().at(0), "pause qmt_p0");  // the player makes way
    std::string pid = capture::Last("[QMT_PreviewPID]");
    EXPECT_TRUE(qt::Alive(pid));

    // The playhead runs with the clock from where the preview started.
    TimelinePreviewState& s = g_timelinePreview;
    ASSERT_TRUE(s.previewActive);
    EXPECT_EQ(s.previewTimeline, 0);
    EXPECT_EQ(hwThreadTimerPeriod(s.previewTimer), 50);
    int painted = hwInvalidationCount(HandleBits(tl->window));
    Step(250);
    EXPECT_DOUBLE_EQ(tl->playhead, 1.75);
    EXPECT_GT(hwInvalidationCount(HandleBits(tl->window)), painted);
    // The window's player-follow timer leaves it to the preview.
    wt::Send(HandleBits(tl->window), HW_TIMER, 0, 0, 0, 0, 1);
    EXPECT_DOUBLE_EQ(tl->playhead, 1.75);

    // Paused through the player's actions (natively the ffplay window is a
    // stand-in put in place here): the playhead holds, and after resuming it
    // goes on from where it stood.
    g_preview.ffplayWindow = WindowHandle{hwCreateWindow(wt::Page::Rects()["Player1"], "SDL_app", 0, 0, 321, 181)};
    wt::Call(124, {"Player1"});
    EXPECT_TRUE(s.previewPaused);
    Step(1000);
    EXPECT_DOUBLE_EQ(tl->playhead, 1.75);
    wt::Call(123, {"Player1"});
    EXPECT_FALSE(s.previewPaused);
    Step(100);
    EXPECT_DOUBLE_EQ(tl->playhead, 1.85);

    // Held at the end of the view.
    Step(60000);
    EXPECT_DOUBLE_EQ(tl->playhead, tl->viewLength);

    // The user closes FFplay: a tick once it has ended ends the preview.
    tl->playhead = 2.0;
    capture::writes.clear();
    kill(atoi(pid.c_str()), SIGTERM);
    EXPECT_TRUE(qt::WaitUntil(
        [&] {
            tl->playhead = 2.0;
            Step(0);
            return !s.previewActive;
        },
        5000));
    EXPECT_EQ(s.previewTimer, 0u);
    EXPECT_EQ(hwThreadTimerCount(), 0);
    EXPECT_EQ(Statuses(), (std::vector<std::string>{"Complete"}));
    EXPECT_EQ(capture::Last("[QMT_PreviewMode]"), "0");
    Step(500);
    EXPECT_DOUBLE_EQ(tl->playhead, 2.0);
}

TEST_F(TimelinePreview, OneClipWithAnEffectIsEncodedSilentAtTheDefaultSize) {
    Timeline(150, 100);  // too small: 514 x 289
    Add("V1", "0", clip, "1", "0");
    Add("FX", "2", "hue=s=0", "1.5", "1");
    tl->playhead = 0.5;  // before the clip: from its start
    Preview();

    EXPECT_EQ(Statuses(), (std::vector<std::string>{"Processing", "Building preview...", "Previewing", "Complete"}));
    ASSERT_EQ(rec->RunCount(), 1u);
    EXPECT_EQ(rec->Last(), (std::vector<std::string>{
                               "-y", "-ss", "0.000", "-t", "2.000", "-i", clip, "-filter_complex",
                               "[0:v]scale=514:288:flags=bilinear,hue=s=0:enable='between(t,0.50,1.50)'[outv]", "-map",
                               "[outv]", "-c:v", "libx264", "-preset", "ultrafast", "-crf", "28", "-an", PreviewFile()}));
    ASSERT_TRUE(rec->WaitForPlays(1));
    auto play = rec->Plays()[0];  // the built file at the window's size, no filter
    EXPECT_EQ(play[3] + " " + play[4] + " " + play[5] + "x" + play[7], PreviewFile() + " -x 514x289");
    qt::Probed p = qt::Probe(PreviewFile());
    EXPECT_TRUE(p.ok && p.audioStreams == 0 && p.height == 288);
    EXPECT_DOUBLE_EQ(g_timelinePreview.previewStartPlayhead, 0.5);

    // A failed encode starts no FFplay; its message stays.
    std::string first = capture::Last("[QMT_PreviewPID]");
    rec->FailWhen("hue=s=0");
    Preview();
    EXPECT_FALSE(qt::Alive(first)) << "the running preview is ended first";
    EXPECT_EQ(rec->Plays().size(), 1u);
    EXPECT_FALSE(g_timelinePreview.previewActive);
    EXPECT_EQ(capture::Last("[QMT_PreviewMode]"), "0");
    EXPECT_EQ(capture::Last("[QMT_Error]").rfind("FFmpeg failed (exit 1)", 0), 0u) << capture::Last("[QMT_Error]");
}

TEST_F(TimelinePreview, SeveralClipsAreCutAndJoinedLikeTheRenderWithoutSound) {
    Timeline(320, 180);
    Add("V1", "0", longClip, "0", "4");
    Add("V1", "0", longClip, "4", "4");
    wt::Call(205, {"NLE1", "V1", "1", "wipeleft", "1.0"});
    Add("TX", "3", "Hi", "5", "0.5");
    tl->playhead = 0.2;
    Preview();
    // One encode of both clips: the render's graph with the render's choice
    // of join (the second clip's wipe, 1 s: below 0.4 of the first piece).
    ASSERT_EQ(rec->RunCount(), 1u);
    auto run = rec->Runs()[0];
    const std::string& graph = run.at(14);
    EXPECT_NE(graph.find("drawtext=text='Hi'"), std::string::npos) << graph;
    EXPECT_NE(graph.find("xfade=transition=wipeleft:duration=1.000000:offset=0,"), std::string::npos) << graph;
    EXPECT_EQ(run[run.size() - 9], "[jv0]");
    ASSERT_TRUE(rec->WaitForPlays(1));
    EXPECT_EQ(rec->Plays()[0][1], "0.200");
    qt::Probed p = qt::Probe(PreviewFile());
    EXPECT_TRUE(p.ok && p.audioStreams == 0 && p.width == 320);
    EXPECT_NEAR(p.duration, 4.0 + 4.0 - 1.0, 0.1);
    EXPECT_FALSE(plat::PathExists(tmp + "qmt_prev"));
}

TEST_F(TimelinePreview, RenderAndPreviewKeepTheTimelineTheyStartedWith) {
    Timeline(320, 180);
    Add("V1", "0", clip, "0", "1");
    Add("V1", "0", clip, "1", "1");
    // While the first run is waited for, the user removes the second clip and
    // drags the first one away.
    plat::SetMessagePumpHook(EditOnce);
    g_editDuringRun = [] {
        wt::Call(203, {"NLE1", "V1", "1"});
        wt::Call(206, {"NLE1", "V1", "0", "5"});
    };
    std::string out = dir + "/out.mp4";
    capture::writes.clear();
    wt::Call(212, {"NLE1", out});
    EXPECT_EQ(capture::Last("[QMT_Status]"), "Complete") << capture::Last("[QMT_Error]");
    EXPECT_EQ(g_editDuringRun, nullptr) << "the edit was made during the render";
    EXPECT_EQ(CountClips(*tl), 3);  // the second clip's A1 companion stays
    EXPECT_NEAR(qt::Probe(out).duration, 2.0, 0.1);  // both clips, joined as they stood

    // The same for a preview: the edit (removing the only clip left) comes
    // during its encode.
    Add("FX", "2", "negate", "5", "1");
    rec->Clear();
    g_editDuringRun = [] { wt::Call(204, {"NLE1"}); };
    wt::Call(213, {"NLE1"});
    EXPECT_EQ(capture::Last("[QMT_Status]"), "Complete") << capture::Last("[QMT_Error]");
    EXPECT_EQ(g_editDuringRun, nullptr);
    EXPECT_EQ(CountClips(*tl), 0);
    ASSERT_EQ(rec->RunCount(), 1u);
    EXPECT_TRUE(rec->WaitForPlays(1));
    EXPECT_NEAR(qt::Probe(PreviewFile()).duration, 1.0, 0.1);
}
