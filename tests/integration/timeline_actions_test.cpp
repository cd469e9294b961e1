// The timeline's editing actions through the host simulator: table limits,
// clip slots, companions, the published variables.
#include <gtest/gtest.h>
#include "platform/headless/headless_window.h"
#include "tests/support/test_support.h"

namespace {

class TimelineActions : public qt::PluginTest {
protected:
    void SetUp() override {
        qt::PluginTest::SetUp();
        host.AddRectangle("NLE1", 800, 300);
        Completes("QMT_TimelineCreate", {"NLE1", ""});
    }
    void Add(const std::string& track, const std::string& type, const std::string& what, const std::string& start,
             const std::string& duration, const std::string& label = "") {
        Run("QMT_TimelineAddClip", {"NLE1", track, type, what, label, start, duration});
    }
    std::string State(const std::string& var) { return After("QMT_TimelineGetState", {"NLE1"}, var); }
};

}  // namespace

TEST_F(TimelineActions, CreateLimitsAndUnknownNames) {
    host.AddRectangle("NLE2", 400, 200);
    host.AddRectangle("NLE3", 400, 200);
    Completes("QMT_TimelineCreate", {"nle1", ""});
    Completes("QMT_TimelineCreate", {"NLE2", ""});
    EXPECT_EQ(After("QMT_TimelineCreate", {"NLE3", ""}), "Max NLE timelines reached.");
    EXPECT_EQ(After("QMT_TimelineCreate", {"Nowhere", ""}), "Rectangle not found.");
    EXPECT_EQ(After("QMT_TimelineClear", {"Nowhere"}), "NLE Timeline not found.");
    // Destroy takes the child window away and frees the slot for the next create.
    int windows = hwWindowCount();
    Run("QMT_TimelineDestroy", {"NLE2"});
    EXPECT_EQ(hwWindowCount(), windows - 1);
    Completes("QMT_TimelineCreate", {"NLE3", ""});
    EXPECT_EQ(hwWindowCount(), windows);
    // Leaving the page destroys every timeline; the next page starts from empty tables.
    host.Message(2);
    EXPECT_EQ(hwWindowCount(), windows - 2);
    EXPECT_EQ(After("QMT_TimelineGetState", {"NLE1"}), "NLE Timeline not found.");
    Completes("QMT_TimelineCreate", {"NLE1", ""});
    EXPECT_EQ(hwWindowCount(), windows - 1);
}

TEST_F(TimelineActions, SlotsTracksAndStateVariables) {
    EXPECT_EQ(State("[NLE_TotalDuration]"), "60.000");  // a new timeline shows a minute
    EXPECT_EQ(Var("[NLE_ClipCount]"), "0");
    Run("QMT_TimelineClear", {"NLE1"});
    EXPECT_EQ(State("[NLE_TotalDuration]"), "15.000");  // empty: the shortest extent
    EXPECT_EQ(Var("[NLE_Zoom]"), "30.0");
    for (int i = 0; i < 32; ++i) Add("fx", "2", "negate", std::to_string(i), "1");
    EXPECT_EQ(Var("[NLE_ClipIndex]"), "31");
    Add("FX", "2", "negate", "40", "1");
    EXPECT_EQ(Var("[QMT_Error]"), "Max clips on track.");
    Completes("QMT_TimelineRemoveClip", {"NLE1", "FX", "7"});
    EXPECT_EQ(After("QMT_TimelineRemoveClip", {"NLE1", "FX", "7"}), "Clip not found.");
    EXPECT_EQ(After("QMT_TimelineRemoveClip", {"NLE1", "FX", "-1"}), "Clip not found.");
    Add("FX", "2", "hue=s=0", "3", "1");
    EXPECT_EQ(Var("[NLE_ClipIndex]"), "7");  // the freed slot, not renumbered
    Add("V3", "0", "x.mp4", "0", "1");
    EXPECT_EQ(Var("[QMT_Error]"), "Track not found.");
    EXPECT_EQ(State("[NLE_ClipCount]"), "32");
    EXPECT_EQ(Var("[NLE_TotalDuration]"), "37.000");

    Run("QMT_TimelineZoom", {"NLE1", "1000"});
    EXPECT_EQ(State("[NLE_Zoom]"), "500.0");
    Run("QMT_TimelineZoomToFit", {"NLE1"});
    EXPECT_EQ(State("[NLE_Zoom]"), "20.2");  // (800 - 52) / 37

    Run("QMT_TimelineClear", {"NLE1"});
    EXPECT_EQ(State("[NLE_ClipCount]"), "0");
    EXPECT_EQ(Var("[NLE_SelTrack]"), "-1");
    EXPECT_EQ(Var("[NLE_SelLabel]"), "");
}

TEST_F(TimelineActions, MediaClipsProbeAndGetCompanions) {
    std::string av = qt::ClipAV(2.0, 160, 120);
    std::string silent = qt::ClipVideoOnly(1.0, 160, 120);
    Add("v1", "0", av, "0", "0");
    ExpectComplete();
    EXPECT_EQ(Var("[NLE_ClipIndex]"), "0");
    Add("V1", "0", silent, "2", "0", "Quiet");
    EXPECT_EQ(Var("[NLE_ClipIndex]"), "1");
    Add("V1", "0", dir + "/missing.mp4", "3", "0");
    ExpectComplete();
    EXPECT_EQ(State("[NLE_ClipCount]"), "4");  // only the first clip has sound
    EXPECT_EQ(Var("[NLE_TotalDuration]"), "15.000");

    // Save shows the probed lengths and the link both ways.
    Completes("QMT_TimelineSave", {"NLE1", Out("p.qmtproj")});
    EXPECT_EQ(Var("[QMT_LastOutput]"), Out("p.qmtproj"));
    std::string text = qt::ReadFile(Out("p.qmtproj"));
    EXPECT_NE(text.find("TRACK V1 0 3\nCLIP 0\n  start=0.000000\n  duration=2.0"), std::string::npos) << text;
    EXPECT_NE(text.find("  duration=5.000000\n"), std::string::npos);  // the missing file keeps 5 s
    EXPECT_NE(text.find("  label=Quiet\n"), std::string::npos);
    EXPECT_NE(text.find("TRACK A1 4 1\nCLIP 4\n"), std::string::npos);
    EXPECT_NE(text.find("(audio)\n  fontSize=0\n"), std::string::npos);
    EXPECT_NE(text.find("  linkedTrack=4\n  linkedClip=0\n"), std::string::npos);

    // Split at the playhead needs it inside; the partner follows, remove-selected takes both.
    EXPECT_EQ(After("QMT_TimelineSplit", {"NLE1"}), "No clip at playhead to split.");
    EXPECT_EQ(After("QMT_TimelineDuplicate", {"NLE1"}), "No clip selected.");
    EXPECT_EQ(After("QMT_TimelineRemoveSelected", {"NLE1"}), "No clip selected.");
}

TEST_F(TimelineActions, TransitionsMovesTrimsAndLoad) {
    Add("TX", "3", "Hello", "1", "2");
    EXPECT_EQ(Var("[NLE_ClipIndex]"), "0");
    Completes("QMT_TimelineSetTransition", {"NLE1", "TX", "0", "WipeLeft", "0"});
    Run("QMT_TimelineMoveClip", {"NLE1", "TX", "0", "-3"});
    Run("QMT_TimelineTrimClip", {"NLE1", "TX", "0", "-1", "0.05"});
    Run("QMT_TimelineSnap", {"NLE1", "ON"});
    ASSERT_TRUE(Run("QMT_TimelineSave", {"NLE1", Out("t.qmtproj")}));
    std::string text = qt::ReadFile(Out("t.qmtproj"));
    // The move, the trims and the zero-length transition as saved.
    for (const char* kept : {"CLIP 3\n  start=0.000000\n  duration=2.000000\n  srcIn=0.000000\n  srcOut=2.000000\n",
                             "  transIn=WipeLeft\n  transInDur=1.000\n"})
        EXPECT_NE(text.find(kept), std::string::npos) << text;

    qt::Shell("printf 'qmt_project 1.0\\n' > " + Out("bad.qmtproj"));
    EXPECT_EQ(After("QMT_TimelineLoad", {"NLE1", Out("bad.qmtproj")}), "Not a valid QMT project file.");
    EXPECT_EQ(State("[NLE_ClipCount]"), "1");  // untouched
    EXPECT_EQ(After("QMT_TimelineLoad", {"NLE1", Out("none.qmtproj")}), "Cannot open project file.");
    EXPECT_EQ(After("QMT_TimelineSave", {"NLE1", dir + "/no/such/folder/x.qmtproj"}), "Cannot create project file.");

    qt::Shell("printf 'QMT_PROJECT 2.7\\nzoom=12.5\\nTRACK A2 4 1\\nCLIP 4\\n  start=20\\n  file=m.wav\\n' > " +
              Out("short.qmtproj"));
    Completes("QMT_TimelineLoad", {"NLE1", Out("short.qmtproj")});
    EXPECT_EQ(State("[NLE_ClipCount]"), "1");
    EXPECT_EQ(Var("[NLE_Zoom]"), "12.5");
    EXPECT_EQ(Var("[NLE_TotalDuration]"), "25.000");  // no duration key: 0
    EXPECT_EQ(Var("[NLE_SelClip]"), "-1");
}
