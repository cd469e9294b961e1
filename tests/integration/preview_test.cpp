// FFplay filter previews against Debian's real ffplay (SDL's dummy video and
// audio drivers): the exact arguments, the one preview process that a new
// launch replaces and stop ends, and the messages.
#include <gtest/gtest.h>
#include <cstdlib>
#include "platform/headless/headless_window.h"
#include "tests/support/test_support.h"

namespace {

class Previews : public qt::PluginTest {
protected:
    // The arguments of the n-th ffplay run (1-based); a launch without a
    // parent window returns before the wrapper has written them.
    std::vector<std::string> Play(size_t n) {
        rec->WaitForPlays(n);
        auto plays = rec->Plays();
        return plays.size() >= n ? plays[n - 1] : std::vector<std::string>();
    }
    void SetUp() override {
        qt::PluginTest::SetUp();
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        rec = &Record();
    }
    qt::ToolRecorder* rec = nullptr;
};

}  // namespace

TEST_F(Previews, InRectReplacesTheRunningPreviewAndStopEndsIt) {
    std::string clip = qt::ClipAV(8.0, 160, 120);
    host.AddRectangle("Rect1", 150, 100);  // too small: the preview takes its own size
    Run("QMT_PlayerCreate", {"Rect1", clip, ""});
    host.ClearWrites();
    Completes("QMT_PreviewInRect", {"Rect1", ""});
    EXPECT_EQ(host.WritesOf("[QMT_Status]"), (std::vector<std::string>{"Processing", "Previewing", "Complete"}));
    std::string first = Var("[QMT_PreviewPID]");
    ASSERT_FALSE(first.empty());
    EXPECT_TRUE(qt::Alive(first)) << "ffplay " << first << " ended early";
    ASSERT_TRUE(rec->WaitForPlays(1));

    Completes("QMT_PreviewInRect", {"RECT1", "hflip"});
    std::string second = Var("[QMT_PreviewPID]");
    EXPECT_NE(second, first);
    EXPECT_FALSE(qt::Alive(first));
    EXPECT_TRUE(qt::Alive(second));
    ASSERT_TRUE(rec->WaitForPlays(2));
    auto plays = rec->Plays();
    EXPECT_EQ(plays[0], (std::vector<std::string>{"-i", clip, "-vf", "scale=514:289:flags=bilinear", "-x", "514", "-y",
                                                  "289", "-noborder", "-window_title", "QMT Preview", "-autoexit",
                                                  "-loglevel", "quiet"}));
    EXPECT_EQ(plays[1][3], "scale=514:289:flags=bilinear,hflip");

    host.ClearWrites();
    Completes("QMT_PreviewStop", {});
    EXPECT_EQ(host.WritesOf("[QMT_Status]"), (std::vector<std::string>{"Processing", "Complete"}));
    EXPECT_EQ(Var("[QMT_PreviewMode]"), "0");
    EXPECT_FALSE(qt::Alive(second));
    // Stopping again, with nothing running, still completes.
    Completes("QMT_PreviewStop", {});
}

TEST_F(Previews, InRectFindsItsVideoAndPageTearDownEndsIt) {
    std::string clip = qt::ClipAV(8.0, 160, 120);
    host.AddRectangle("Big", 320, 240);
    // No player: the page's input file is played at the Rectangle's size.
    host.SetVar("[InputFile]", clip);
    Completes("QMT_PreviewInRect", {"Big", "negate"});
    std::string pid = Var("[QMT_PreviewPID]");
    EXPECT_TRUE(qt::Alive(pid));
    EXPECT_EQ(Play(1).at(3), "scale=320:240:flags=bilinear,negate");
    host.Message(2);
    EXPECT_FALSE(qt::Alive(pid));

    // Without a Rectangle a file named in its place is played at the default size.
    // A double quote in the filter stays inside its one argument.
    host.SetVar("[InputFile]", "");
    Completes("QMT_PreviewInRect", {clip, "drawtext=text=\"a \\\"b\\\"\""});
    EXPECT_EQ(Play(2).at(3), "scale=514:289:flags=bilinear,drawtext=text=\"a \\\"b\\\"\"");
    pid = Var("[QMT_PreviewPID]");
    Run("QMT_PreviewStop", {});
    EXPECT_FALSE(qt::Alive(pid));

    Run("QMT_PreviewInRect", {"Nowhere", ""});
    EXPECT_EQ(Var("[QMT_Status]"), "Error");
    EXPECT_EQ(Var("[QMT_Error]"), "No video loaded. Load a video first, then preview.");

    // A tool folder without ffplay: nothing starts and the message says what to get.
    remove((rec->folder() + "/ffplay").c_str());
    host.SetVar("[QMT_PreviewPID]", "");
    Run("QMT_PreviewInRect", {clip, ""});
    EXPECT_EQ(Var("[QMT_Error]"),
              "ffplay.exe not found. Download FFmpeg FULL build (not essentials) which includes ffplay.exe.");
    EXPECT_EQ(Var("[QMT_PreviewPID]"), "");
    EXPECT_EQ(rec->Plays().size(), 2u);
}

TEST_F(Previews, BlockingPreviewWaitsForFFplayOverThePlayer) {
    std::string clip = qt::ClipAV(1.0, 160, 120);
    host.AddRectangle("Big", 320, 240);
    hwMoveWindow(host.Rectangle("Big"), 40, 30, 320, 240);
    host.AddRectangle("Small", 150, 100);
    Run("QMT_PlayerCreate", {"Big", clip, ""});
    Run("QMT_PlayerCreate", {"Small", clip, ""});
    host.ClearWrites();

    // A small player takes the first player's size and place.
    ASSERT_TRUE(Run("QMT_Preview", {"Small", "negate"}));
    EXPECT_EQ(rec->Plays().back(),
              (std::vector<std::string>{"-i", clip, "-vf", "negate,scale=320:240:flags=bilinear", "-x", "320", "-y", "240",
                                        "-left", "40", "-top", "30", "-noborder", "-window_title", "QMT Preview",
                                        "-autoexit"}));
    EXPECT_TRUE(host.WritesOf("[QMT_Status]").empty());  // no success status

    // A file has no place on screen: two thirds of the screen, no position.
    host.Message(2);
    Run("QMT_Preview", {clip, ""});
    EXPECT_EQ(rec->Plays().back().at(3), "scale=1280:720:flags=bilinear");
    EXPECT_EQ(rec->Plays().back().at(8), "-noborder");
    EXPECT_EQ(rec->Plays().size(), 2u);
    EXPECT_TRUE(host.WritesOf("[QMT_Error]").empty());

    Run("QMT_Preview", {"Small", ""});
    EXPECT_EQ(Var("[QMT_Error]"), "Video file not found. Pass a file path or a Player Rectangle name.");
}
