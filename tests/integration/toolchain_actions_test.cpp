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

std::string Which(const std::string& tool) {
    std::string out;
    qt::Shell("command -v " + tool, &out);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    return out;
}

class DetectionTest : public PluginTest {
protected:
    void SetUp() override {
        savedPath = getenv("PATH") ? getenv("PATH") : "";
        if (g_ffmpeg.empty()) {
            g_ffmpeg = Which("ffmpeg");
            g_ffprobe = Which("ffprobe");
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
    ASSERT_TRUE(Run("QMT_DetectFFmpeg", {"[Found]"}));
    EXPECT_EQ(Var("[Found]"), "True");
    EXPECT_EQ(Var("[QMT_FFmpegPath]"), pub + "ffmpeg/bin");
    EXPECT_FALSE(Var("[QMT_FFmpegVersion]").empty());
    EXPECT_NE(Var("[QMT_FFmpegVersion]"), "Unknown");
    ASSERT_TRUE(Run("QMT_GetFFmpegPath", {"[P]"}));
    EXPECT_EQ(Var("[P]"), pub + "ffmpeg/bin");
}

TEST_F(DetectionTest, PathEntryWithTrailingSeparatorIsNotDoubled) {
    std::string tools = LinkTools(dir + "/tools") + "/";
    setenv("PATH", ("/nonexistent:" + tools).c_str(), 1);
    ASSERT_TRUE(Run("QMT_DetectFFmpeg", {"[Found]"}));
    EXPECT_EQ(Var("[Found]"), "True");
    EXPECT_EQ(Var("[QMT_FFmpegPath]"), tools);
    // The runner records the folder as found before every run.
    ASSERT_TRUE(Run("QMT_GetDuration", {qt::ClipAudio(2.0), "[D]"}));
    ExpectComplete();
}

TEST_F(DetectionTest, NothingFoundWritesNoToolVariables) {
    host.ClearWrites();
    ASSERT_TRUE(Run("QMT_DetectFFmpeg", {"[Found]"}));
    EXPECT_EQ(Var("[Found]"), "False");
    EXPECT_TRUE(host.WritesOf("[QMT_FFmpegPath]").empty());
    EXPECT_TRUE(host.WritesOf("[QMT_FFmpegVersion]").empty());
    ASSERT_TRUE(Run("QMT_GetDuration", {"x.mp4", "[D]"}));
    EXPECT_EQ(Var("[QMT_Error]"), "Failed to get duration.");
    EXPECT_EQ(host.WritesOf("[QMT_Error]").at(1), "FFmpeg not found. Place ffmpeg.exe in [PubDir] or plugin folder.");
    ASSERT_TRUE(Run("QMT_SetFFmpegPath", {dir}));
    EXPECT_EQ(Var("[QMT_Error]"), "FFmpeg not found at specified path or any auto-detect location.");
}

TEST_F(DetectionTest, SetPathTriesBinAndRefusesAFolderWithoutProbe) {
    std::filesystem::create_directories(dir + "/half");
    std::filesystem::create_symlink(g_ffmpeg, dir + "/half/ffmpeg");
    ASSERT_TRUE(Run("QMT_SetFFmpegPath", {dir + "/half"}));
    EXPECT_EQ(Var("[QMT_Status]"), "Error");
    LinkTools(dir + "/inst/bin");
    ASSERT_TRUE(Run("QMT_SetFFmpegPath", {dir + "/inst"}));
    ExpectComplete();
    EXPECT_EQ(Var("[QMT_FFmpegPath]"), dir + "/inst/bin");
    ASSERT_TRUE(Run("QMT_GetVersion", {"[V]"}));
    // The version as read, then the range of FFmpeg releases the plug-in works with.
    EXPECT_EQ(Var("[V]"), Var("[QMT_FFmpegVersion]") + " (FFmpeg 4.1 to 7.1; transitions need 4.3+)");
    // A folder found earlier makes a wrong path succeed and report the earlier folder.
    ASSERT_TRUE(Run("QMT_SetFFmpegPath", {dir + "/nowhere"}));
    ExpectComplete();
    EXPECT_EQ(Var("[QMT_FFmpegPath]"), dir + "/inst/bin");
}

TEST_F(DetectionTest, VanishedToolIsSearchedAgainByTheNextSearch) {
    std::string pub = dir + "/P/";
    LinkTools(pub + "bin");
    host.SetVar("[PubDir]", pub);
    ASSERT_TRUE(Run("QMT_GetFFmpegPath", {"[P]"}));
    EXPECT_EQ(Var("[P]"), pub + "bin");
    std::filesystem::remove_all(pub + "bin");
    LinkTools(pub + "ffmpeg");
    // The runner trusts the folder it has; the tools are gone.
    ASSERT_TRUE(Run("QMT_GetDuration", {qt::ClipAudio(2.0), "[D]"}));
    EXPECT_EQ(host.WritesOf("[QMT_Error]").at(1), "Failed to run ffprobe.");
    EXPECT_EQ(Var("[QMT_Error]"), "Failed to get duration.");
    // A search (here the fallback of a wrong explicit path) starts again.
    ASSERT_TRUE(Run("QMT_SetFFmpegPath", {dir + "/wrong"}));
    ExpectComplete();
    EXPECT_EQ(Var("[QMT_FFmpegPath]"), pub + "ffmpeg");
}

TEST_F(PluginTest, MediaInfoOfAGeneratedClip) {
    std::string wav = qt::Media("sine_83.456.wav", "-f lavfi -i sine=sample_rate=48000:duration=83.456 -c:a pcm_s16le");
    ASSERT_TRUE(Run("QMT_GetDuration", {wav, "[D]"}));
    ExpectComplete();
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
    ASSERT_TRUE(Run("QMT_GetFrameRate", {ntsc, "[F]"}));
    EXPECT_EQ(Var("[F]"), "29.970");
    ASSERT_TRUE(Run("QMT_GetResolution", {ntsc, "[W]", "[H]"}));
    EXPECT_EQ(Var("[W]"), "176");
    EXPECT_EQ(Var("[H]"), "144");
    ASSERT_TRUE(Run("QMT_GetCodecInfo", {ntsc, "[VC]", "[AC]"}));
    EXPECT_EQ(Var("[VC]"), "h264");
    EXPECT_EQ(Var("[AC]"), "aac");
    ASSERT_TRUE(Run("QMT_GetAudioInfo", {wav, "[SR]", "[CH]"}));
    EXPECT_EQ(Var("[SR]"), "48000");
    EXPECT_EQ(Var("[CH]"), "1");
    ASSERT_TRUE(Run("QMT_GetBitrate", {wav, "[BR]"}));
    EXPECT_EQ(Var("[BR]"), "768");  // 48 kHz x 16 bit mono
    ASSERT_TRUE(Run("QMT_GetFileSize", {wav, "[SZ]"}));
    EXPECT_EQ(Var("[SZ]"), std::to_string(qt::ReadFile(wav).size()));
    ASSERT_TRUE(Run("QMT_GetFullInfo", {ntsc, "[J]"}));
    EXPECT_NE(Var("[J]").find("\"codec_name\": \"h264\""), std::string::npos);
    ExpectComplete();
    EXPECT_FALSE(host.HasVar("[QMT_LastOutput]"));
}

TEST_F(PluginTest, UnparsableAnswersAreNotErrors) {
    std::string wav = qt::ClipAudio(2.0);  // no video stream
    ASSERT_TRUE(Run("QMT_GetResolution", {wav, "[W]", "[H]"}));
    ExpectComplete();
    EXPECT_EQ(Var("[W]"), "0");
    ASSERT_TRUE(Run("QMT_GetCodecInfo", {wav, "[VC]", "[AC]"}));
    ExpectComplete();
    EXPECT_EQ(Var("[AC]"), "pcm_s16le");
    ASSERT_TRUE(Run("QMT_GetDuration", {dir + "/none.mp4", "[D]"}));
    EXPECT_EQ(Var("[QMT_Error]"), "Failed to get duration.");
    ASSERT_TRUE(Run("QMT_GetFileSize", {dir + "/none.mp4", "[S]"}));
    EXPECT_EQ(Var("[QMT_Error]"), "File not found.");
    EXPECT_EQ(Var("[LastError]"), "File not found.");
}

TEST_F(PluginTest, UndoWithAnEmptyStack) {
    host.SetVar("[R]", "old");
    ASSERT_TRUE(Run("QMT_Undo", {"target.mp4", "[R]"}));
    EXPECT_EQ(Var("[R]"), "");
    EXPECT_EQ(Var("[QMT_Status]"), "Nothing to undo");
    EXPECT_FALSE(host.HasVar("[QMT_UndoCount]"));
}
