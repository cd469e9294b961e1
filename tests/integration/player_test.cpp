// The embedded players through the host simulator, played by the native MCI
// stand-in: the exact command strings, state words, conversions, the table's
// limits and the page tear-down (real devices: the Wine players group).
#include <gtest/gtest.h>
#include "platform/headless/headless_mci.h"
#include "tests/support/test_support.h"

namespace {

std::string OpenString(const std::string& file, int slot, intptr_t parent, bool withType = true) {
    return "open \"" + file + "\"" + (withType ? " type mpegvideo" : "") + " alias qmt_p" + std::to_string(slot) +
           " parent " + std::to_string(static_cast<unsigned long>(parent)) + " style child";
}

class Players : public qt::PluginTest {
protected:
    void SetUp() override {
        qt::PluginTest::SetUp();
        clip = qt::ClipAV(2.0, 160, 120);
        rect = host.AddRectangle("Rect1", 320, 240);
        hmMciAdvanceClock(0);  // from here on the devices' clock moves only when told
        hmMciClearLog();
    }
    std::string State(const std::string& rectName = "Rect1") {
        return After("QMT_PlayerState", {rectName, "[Mode]"}, "[Mode]");
    }
    std::string Position() { return After("QMT_PlayerPosition", {"Rect1", "[Pos]"}, "[Pos]"); }
    std::string clip;
    intptr_t rect = 0;
};

}  // namespace

TEST_F(Players, TransportWordsFollowTheDevice) {
    ASSERT_TRUE(Run("QMT_PlayerCreate", {"Rect1", clip, "[PlayerState]"}));
    EXPECT_EQ(Var("[PlayerState]"), "Ready");
    EXPECT_EQ(MciLog(), (std::vector<std::string>{OpenString(clip, 0, rect), "put qmt_p0 window at 0 0 320 240"}));
    EXPECT_EQ(Var("[QMT_Recent1]"), clip);

    Run("QMT_PlayerPlay", {"Rect1"});
    EXPECT_EQ(Var("[PlayerState]"), "Playing");
    hmMciAdvanceClock(500);
    EXPECT_EQ(Position(), "00:00:00.500");
    EXPECT_EQ(Var("[QMT_PositionSec]"), "0.500");

    Run("QMT_PlayerPause", {"RECT1"});
    EXPECT_EQ(Var("[PlayerState]"), "Paused");
    hmMciClearLog();
    Run("QMT_PlayerStop", {"Rect1"});
    EXPECT_EQ(Var("[PlayerState]"), "Stopped");
    EXPECT_EQ(MciLog(), (std::vector<std::string>{"stop qmt_p0", "seek qmt_p0 to start"}));
    // The player actions write no common status words of their own.
    EXPECT_TRUE(host.WritesOf("[QMT_Status]").empty());

    Run("QMT_PlayerDestroy", {"rECT1"});
    EXPECT_EQ(MciLog(), (std::vector<std::string>{"close qmt_p0"}));
    EXPECT_EQ(hmMciOpenDevices(), 0);
    EXPECT_EQ(State(), "None");
}

TEST_F(Players, TableLimitAndOpenFailures) {
    for (int i = 1; i <= 9; ++i) host.AddRectangle("R" + std::to_string(i), 160, 120);
    for (int i = 1; i <= 8; ++i) Run("QMT_PlayerCreate", {"R" + std::to_string(i), clip, ""});
    EXPECT_TRUE(host.WritesOf("[QMT_Status]").empty());
    hmMciClearLog();
    Run("QMT_PlayerCreate", {"R9", clip, ""});
    EXPECT_EQ(Var("[QMT_Status]"), "Error");
    EXPECT_EQ(Var("[LastError]"), "Max players reached.");
    EXPECT_TRUE(MciLog().empty());
    // Re-creating an existing name, in any case, closes its player and reuses
    // the slot, even when the table is full.
    Run("QMT_PlayerCreate", {"r8", clip, "[S8]"});
    EXPECT_EQ(Var("[S8]"), "Ready");
    EXPECT_EQ(MciLog(), (std::vector<std::string>{"close qmt_p7", OpenString(clip, 7, host.Rectangle("R8")),
                                                  "put qmt_p7 window at 0 0 160 120"}));

    // A device that refuses the type is asked again without it.
    host.Message(2);
    hmMciClearLog();
    hmMciRefuseOpens(1, 281);
    Run("QMT_PlayerCreate", {"Rect1", clip, "[S]"});
    EXPECT_EQ(Var("[S]"), "Ready");
    auto log = MciLog();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[1], OpenString(clip, 0, rect, false));

    // Refused twice: the system's own text is the message, and a failing
    // re-create has already closed the old player.
    host.SetVar("[S]", "");
    Run("QMT_PlayerCreate", {"Rect1", dir + "/missing.mp4", "[S]"});
    EXPECT_EQ(Var("[QMT_Status]"), "Error");
    EXPECT_EQ(Var("[QMT_Error]"), "Cannot find the specified file. Make sure the path and filename are correct.");
    EXPECT_EQ(Var("[S]"), "");
    log = MciLog();
    EXPECT_EQ(log, (std::vector<std::string>{"close qmt_p0", OpenString(dir + "/missing.mp4", 0, rect),
                                             OpenString(dir + "/missing.mp4", 0, rect, false)}));
    EXPECT_EQ(State(), "None");

    Run("QMT_PlayerCreate", {"Nowhere", clip, ""});
    EXPECT_EQ(Var("[QMT_Error]"), "Rectangle not found.");
}

TEST(PlayersWithoutInterfaceAccess, EveryCreateFindsNoRectangle) {
    hmMciClearLog();  // the stand-in devices outlive the tests before this one
    HostSimulator host;
    ASSERT_TRUE(host.Load(qt::PluginPath()));
    host.Init(false);
    host.AddRectangle("Rect1", 320, 240);
    host.Call("QMT_PlayerCreate", {"Rect1", qt::ClipAV(2.0, 160, 120), "[S]"});
    EXPECT_EQ(host.Var("[QMT_Status]"), "Error");
    EXPECT_EQ(host.Var("[QMT_Error]"), "Rectangle not found.");
    EXPECT_FALSE(host.HasVar("[S]"));
    EXPECT_EQ(hmMciLogCount(), 0);
}

TEST_F(Players, SeekVolumeAndSpeedConversions) {
    hmMciSetNextLength(4000000);  // long enough for every seek below
    Run("QMT_PlayerCreate", {"Rect1", clip, ""});
    hmMciClearLog();
    const char* const seeks[][2] = {{"1:30", "90000"}, {"0:01:30.5", "90500"}, {"12.25", "12250"}, {"", "0"}};
    for (auto& s : seeks) Run("QMT_PlayerSeek", {"Rect1", s[0]});
    const char* const volumes[] = {"150", "-5", "loud", "55"};
    for (auto& v : volumes) Run("QMT_PlayerVolume", {"Rect1", v});
    const char* const speeds[] = {"0.25", "1.0", "-2", "2"};  // not clamped
    for (auto& s : speeds) Run("QMT_PlayerSpeed", {"rect1", s});
    EXPECT_EQ(MciLog(),
              (std::vector<std::string>{"seek qmt_p0 to 90000", "seek qmt_p0 to 90500", "seek qmt_p0 to 12250",
                                        "seek qmt_p0 to 0", "setaudio qmt_p0 volume to 1000",
                                        "setaudio qmt_p0 volume to 0", "setaudio qmt_p0 volume to 0",
                                        "setaudio qmt_p0 volume to 550", "set qmt_p0 speed 250",
                                        "set qmt_p0 speed 1000", "set qmt_p0 speed -2000", "set qmt_p0 speed 2000"}));
    // Seeking positions the device without starting it; speed 2000 doubles the run.
    Run("QMT_PlayerSeek", {"Rect1", "1:02:05.5"});
    EXPECT_EQ(Position(), "01:02:05.500");
    EXPECT_EQ(Var("[QMT_PositionSec]"), "3725.500");
    EXPECT_EQ(State(), "stopped");
    Run("QMT_PlayerPlay", {"Rect1"});
    hmMciAdvanceClock(1000);
    EXPECT_EQ(Position(), "01:02:07.500");
}

TEST_F(Players, WithoutAPlayerOnlyPositionAndStateAnswer) {
    host.SetVar("[QMT_PositionSec]", "7.000");
    host.ClearWrites();
    const char* const silent[][2] = {{"QMT_PlayerPlay", ""},      {"QMT_PlayerPause", ""},   {"QMT_PlayerStop", ""},
                                     {"QMT_PlayerSeek", "1"},     {"QMT_PlayerVolume", "5"}, {"QMT_PlayerLoop", "1"},
                                     {"QMT_PlayerLoad", "x.mp4"}, {"QMT_PlayerSpeed", "2"},  {"QMT_PlayerFullscreen", "true"},
                                     {"QMT_PlayerDestroy", ""}};
    for (auto& action : silent) {
        if (action[1][0]) Run(action[0], {"Rect1", action[1]});
        else Run(action[0], {"Rect1"});
    }
    EXPECT_TRUE(host.Writes().empty());
    EXPECT_EQ(hmMciLogCount(), 0);
    EXPECT_EQ(Position(), "00:00:00.000");
    EXPECT_EQ(Var("[QMT_PositionSec]"), "7.000");
    EXPECT_EQ(State(), "None");
    EXPECT_EQ(host.Writes().size(), 2u);
}

TEST_F(Players, LoadAndFullscreenResizeTheVideoWindow) {
    std::string other = qt::ClipVideoOnly(1.0, 160, 120);
    Run("QMT_PlayerCreate", {"Rect1", clip, "[S]"});
    Run("QMT_PlayerPlay", {"Rect1"});
    hmMciClearLog();
    Run("QMT_PlayerLoad", {"Rect1", other});
    EXPECT_EQ(MciLog(),
              (std::vector<std::string>{"close qmt_p0", OpenString(other, 0, rect), "put qmt_p0 window at 0 0 320 240"}));
    EXPECT_EQ(Var("[S]"), "Playing");  // the status variable is not touched
    EXPECT_EQ(State(), "stopped");

    // "true" in any case is the screen's size, "1" is not (the size itself: Wine player_strings).
    for (const char* on : {"TRUE", "1", "true"}) Run("QMT_PlayerFullscreen", {"Rect1", on});
    auto log = MciLog();
    EXPECT_EQ(log[2], "put qmt_p0 window at 0 0 320 240");
    EXPECT_EQ(log[3], "put qmt_p0 window at 0 0 1920 1080");
}

TEST_F(Players, PageTearDownClosesEveryPlayer) {
    host.AddRectangle("Rect2", 200, 150);
    host.AddRectangle("Rect3", 200, 150);
    for (const char* r : {"Rect1", "Rect2", "Rect3"}) Run("QMT_PlayerCreate", {r, clip, ""});
    Run("QMT_PlayerDestroy", {"Rect2"});
    hmMciClearLog();
    host.Message(2);
    EXPECT_EQ(MciLog(), (std::vector<std::string>{"close qmt_p0", "close qmt_p2"}));
    EXPECT_EQ(State("Rect3"), "None");
    host.Message(2);
    EXPECT_EQ(hmMciLogCount(), 0);  // nothing left to close
    // The table starts again from its first slot.
    Run("QMT_PlayerCreate", {"Rect3", clip, ""});
    EXPECT_EQ(MciLog().back(), "put qmt_p0 window at 0 0 200 150");
}
