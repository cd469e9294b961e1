// Detection, version and media information through the host simulator,
// against the real ffmpeg and ffprobe.
#include <gtest/gtest.h>
#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include "tests/support/test_support.h"

using qt::PluginTest;

namespace {
std::string g_ffmpeg, g_ffprobe;  // the real tools, resolved before PATH is emptied

// A folder holding links to the real tools.
std::string LinkTools(const std::string& folder) {
    // Made without the shell: PATH is emptied while these tests run.
    std::filesystem::create_directories(folder);
    std::filesystem::create_symlink(g_ffmpeg, folder + "/ffmpeg");
    std::filesystem::create_symlink(g_ffprobe, folder + "/ffprobe");
    return folder;
}

class DetectionTest : public PluginTest {
protected:
    void SetUp() override {
        savedPath = getenv("PATH") ? getenv("PATH") : "";
        if (g_ffmpeg.empty()) {
            g_ffmpeg = qt::Which("ffmpeg");
            g_ffprobe = qt::Which("ffprobe");
        }
        setenv("PATH", "/nonexistent", 1);  // nothing found unless a test says so
        PluginTest::SetUp();
    }
    void TearDown() override {
        setenv("PATH", savedPath.c_str(), 1);
        PluginTest::TearDown();
    }
    std::string savedPath;
};
}  // namespace

TEST_F(DetectionTest, PubDirCandidatesAreAppendedDirectly) {
    std::string pub = dir + "/Pub/";
    LinkTools(pub + "ffmpeg/bin");
    host.SetVar("[PubDir]", pub);
    EXPECT_EQ(After("QMT_DetectFFmpeg", {"[Found]"}, "[Found]"), "True");
    EXPECT_EQ(Var("[QMT_FFmpegPath]"), pub + "ffmpeg/bin");
    EXPECT_FALSE(Var("[QMT_FFmpegVersion]").empty());
    EXPECT_NE(Var("[QMT_FFmpegVersion]"), "Unknown");
    EXPECT_EQ(After("QMT_GetFFmpegPath", {"[P]"}, "[P]"), pub + "ffmpeg/bin");
}

TEST_F(DetectionTest, PathEntryWithTrailingSeparatorIsNotDoubled) {
    std::string tools = LinkTools(dir + "/tools") + "/";
    setenv("PATH", ("/nonexistent:" + tools).c_str(), 1);
    EXPECT_EQ(After("QMT_DetectFFmpeg", {"[Found]"}, "[Found]"), "True");
    EXPECT_EQ(Var("[QMT_FFmpegPath]"), tools);
    // The runner records the folder as found before every run.
    Completes("QMT_GetDuration", {qt::ClipAudio(2.0), "[D]"});
}

TEST_F(DetectionTest, NothingFoundWritesNoToolVariables) {
    host.ClearWrites();
    EXPECT_EQ(After("QMT_DetectFFmpeg", {"[Found]"}, "[Found]"), "False");
    EXPECT_TRUE(host.WritesOf("[QMT_FFmpegPath]").empty());
    EXPECT_TRUE(host.WritesOf("[QMT_FFmpegVersion]").empty());
    EXPECT_EQ(After("QMT_GetDuration", {"x.mp4", "[D]"}), "Failed to get duration.");
    EXPECT_EQ(host.WritesOf("[QMT_Error]").at(1), "FFmpeg not found. Place ffmpeg.exe in [PubDir] or plugin folder.");
    EXPECT_EQ(After("QMT_SetFFmpegPath", {dir}), "FFmpeg not found at specified path or any auto-detect location.");
}

TEST_F(DetectionTest, SetPathTriesBinAndRefusesAFolderWithoutProbe) {
    std::filesystem::create_directories(dir + "/half");
    std::filesystem::create_symlink(g_ffmpeg, dir + "/half/ffmpeg");
    EXPECT_EQ(After("QMT_SetFFmpegPath", {dir + "/half"}, "[QMT_Status]"), "Error");
    LinkTools(dir + "/inst/bin");
    Completes("QMT_SetFFmpegPath", {dir + "/inst"});
    EXPECT_EQ(Var("[QMT_FFmpegPath]"), dir + "/inst/bin");
    ASSERT_TRUE(Run("QMT_GetVersion", {"[V]"}));
    // The version as read, then the range of FFmpeg releases the plug-in works with.
    EXPECT_EQ(Var("[V]"), Var("[QMT_FFmpegVersion]") + " (FFmpeg 4.1 to 7.1; transitions need 4.3+)");
    // A folder found earlier makes a wrong path succeed and report the earlier folder.
    Completes("QMT_SetFFmpegPath", {dir + "/nowhere"});
    EXPECT_EQ(Var("[QMT_FFmpegPath]"), dir + "/inst/bin");
}

TEST_F(DetectionTest, VanishedToolIsSearchedAgainByTheNextSearch) {
    std::string pub = dir + "/P/";
    LinkTools(pub + "bin");
    host.SetVar("[PubDir]", pub);
    EXPECT_EQ(After("QMT_GetFFmpegPath", {"[P]"}, "[P]"), pub + "bin");
    std::filesystem::remove_all(pub + "bin");
    LinkTools(pub + "ffmpeg");
    // The runner trusts the folder it has; the tools are gone.
    ASSERT_TRUE(Run("QMT_GetDuration", {qt::ClipAudio(2.0), "[D]"}));
    EXPECT_EQ(host.WritesOf("[QMT_Error]").at(1), "Failed to run ffprobe.");
    EXPECT_EQ(Var("[QMT_Error]"), "Failed to get duration.");
    // A search (here the fallback of a wrong explicit path) starts again.
    Completes("QMT_SetFFmpegPath", {dir + "/wrong"});
    EXPECT_EQ(Var("[QMT_FFmpegPath]"), pub + "ffmpeg");
}

TEST_F(PluginTest, MediaInfoOfAGeneratedClip) {
    std::string wav = qt::Media("sine_83.456.wav", "-f lavfi -i sine=sample_rate=48000:duration=83.456 -c:a pcm_s16le");
    Completes("QMT_GetDuration", {wav, "[D]"});
    EXPECT_EQ(Var("[D]"), "00:01:23.456");
    EXPECT_EQ(Var("[QMT_Duration]"), "00:01:23.456");
    EXPECT_EQ(Var("[QMT_DurationSec]"), "83.456");
    auto order = host.Writes();
    ASSERT_GE(order.size(), 6u);
    EXPECT_EQ(order[order.size() - 5].first, "[D]");
    EXPECT_EQ(order[order.size() - 3].first, "[QMT_DurationSec]");
    EXPECT_EQ(order.back().first, "[QMT_Progress]");

    std::string ntsc = qt::Media("ntsc.mp4", "-f lavfi -i testsrc=size=176x144:rate=30000/1001:duration=1 "
                                             "-f lavfi -i sine=duration=1 -c:v libx264 -preset ultrafast "
                                             "-pix_fmt yuv420p -c:a aac -shortest");
    EXPECT_EQ(After("QMT_GetFrameRate", {ntsc, "[F]"}, "[F]"), "29.970");
    EXPECT_EQ(After("QMT_GetResolution", {ntsc, "[W]", "[H]"}, "[W]"), "176");
    EXPECT_EQ(Var("[H]"), "144");
    EXPECT_EQ(After("QMT_GetCodecInfo", {ntsc, "[VC]", "[AC]"}, "[VC]"), "h264");
    EXPECT_EQ(Var("[AC]"), "aac");
    EXPECT_EQ(After("QMT_GetAudioInfo", {wav, "[SR]", "[CH]"}, "[SR]"), "48000");
    EXPECT_EQ(Var("[CH]"), "1");
    EXPECT_EQ(After("QMT_GetBitrate", {wav, "[BR]"}, "[BR]"), "768");  // 48 kHz x 16 bit mono
    EXPECT_EQ(After("QMT_GetFileSize", {wav, "[SZ]"}, "[SZ]"), std::to_string(qt::ReadFile(wav).size()));
    ASSERT_TRUE(Run("QMT_GetFullInfo", {ntsc, "[J]"}));
    EXPECT_NE(Var("[J]").find("\"codec_name\": \"h264\""), std::string::npos);
    ExpectComplete();
    EXPECT_FALSE(host.HasVar("[QMT_LastOutput]"));
}

TEST_F(PluginTest, UnparsableAnswersAreNotErrors) {
    std::string wav = qt::ClipAudio(2.0);  // no video stream
    Completes("QMT_GetResolution", {wav, "[W]", "[H]"});
    EXPECT_EQ(Var("[W]"), "0");
    Completes("QMT_GetCodecInfo", {wav, "[VC]", "[AC]"});
    EXPECT_EQ(Var("[AC]"), "pcm_s16le");
    EXPECT_EQ(After("QMT_GetDuration", {dir + "/none.mp4", "[D]"}), "Failed to get duration.");
    EXPECT_EQ(After("QMT_GetFileSize", {dir + "/none.mp4", "[S]"}), "File not found.");
}

TEST_F(PluginTest, UndoWithAnEmptyStack) {
    host.SetVar("[R]", "old");
    EXPECT_EQ(After("QMT_Undo", {"target.mp4", "[R]"}, "[R]"), "");
    EXPECT_EQ(Var("[QMT_Status]"), "Nothing to undo");
    EXPECT_FALSE(host.HasVar("[QMT_UndoCount]"));
}
