// Typed values never add, drop or split an ffmpeg argument: quoted values
// arrive byte for byte, unquoted ones that would split are refused by name
// before anything runs.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <fstream>
#include "tests/support/test_support.h"

namespace {

using qt::Quoted;
using CommandSafety = qt::OperationTest;

// An action's ordinary arguments ("IN" the input clip, "OUT" an output) and
// its unquoted slots: the position and the name of the parameter filling each.
struct UnquotedSlots {
    const char* action;
    std::vector<std::string> args;
    std::vector<std::pair<size_t, const char*>> slots;
};

}  // namespace

TEST_F(CommandSafety, EveryUnquotedSlotRefusesWhatWouldSplitIt) {
    const std::vector<UnquotedSlots> actions = {
        {"QMT_Trim", {"IN", "0", "1", "OUT"}, {{1, "StartTime"}, {2, "EndTime"}}},
        {"QMT_TrimExact", {"IN", "0", "1", "OUT"}, {{1, "StartTime"}, {2, "EndTime"}}},
        {"QMT_Split", {"IN", "1", "OUT", "OUT"}, {{1, "SplitTime"}}},
        {"QMT_RemoveSegment", {"IN", "0.5", "1", "OUT"}, {{1, "SegStart"}, {2, "SegEnd"}}},
        {"QMT_FrameRate", {"IN", "10", "OUT"}, {{1, "Rate"}}},
        {"QMT_ExtractFrame", {"IN", "1", "OUT"}, {{1, "Time"}}},
        {"QMT_ExtractFrames", {"IN", "0", "1", "1", "OUT"}, {{1, "Start"}, {2, "End"}}},
        {"QMT_ExtractGIF", {"IN", "0", "1", "80", "5", "OUT"}, {{1, "StartSec"}, {2, "DurationSec"}}},
        {"QMT_ConvertAdvanced", {"IN", "h264", "aac", "high", "OUT"}, {{1, "VCodec"}, {2, "ACodec"}, {3, "Quality"}}},
        {"QMT_ToMP4", {"IN", "medium", "OUT"}, {{1, "Quality"}}},
        {"QMT_ToWebM", {"IN", "medium", "OUT"}, {{1, "Quality"}}},
        {"QMT_SetBitrate", {"IN", "300", "64", "OUT"}, {{1, "VideoBitrate"}, {2, "AudioBitrate"}}},
        {"QMT_FromImages", {"IN", "5", "1", "OUT"}, {{1, "FPS"}, {2, "DurationSec"}}},
        {"QMT_FromImage", {"IN", "1", "", "OUT"}, {{1, "DurationSec"}}},
        {"QMT_FromImage", {"IN", "1", "IN", "OUT"}, {{1, "DurationSec"}}},
    };
    const std::vector<std::string> bad = {"25 evil2.mp4", "1\t-f", "1\"", "2\" \"evil3.mp4"};
    for (const UnquotedSlots& a : actions) {
        for (const auto& slot : a.slots) {
            for (const std::string& value : bad) {
                std::vector<std::string> args = a.args;
                for (std::string& arg : args) arg = arg == "IN" ? in : arg == "OUT" ? Out("never.mp4") : arg;
                args[slot.first] = value;
                host.ClearWrites();
                ASSERT_TRUE(Run(a.action, args));
                std::string where = std::string(a.action) + " " + slot.second + " [" + value + "]";
                EXPECT_EQ(Var("[QMT_Status]"), "Error") << where;
                EXPECT_EQ(Var("[QMT_Error]"), std::string("Invalid value for ") + slot.second + ": " + value) << where;
                EXPECT_EQ(host.WritesOf("[QMT_Error]").size(), 2u) << where;  // cleared at the start, then the one report
                EXPECT_EQ(rec->RunCount(), 0u) << where;
            }
        }
    }
    EXPECT_FALSE(qt::Exists(Out("never.mp4")));
    EXPECT_FALSE(qt::Exists("evil2.mp4"));
    EXPECT_FALSE(qt::Exists("evil3.mp4"));
}

TEST_F(CommandSafety, QuotedValuesReachFfmpegByteForByte) {
    // A crafted overlay text stays inside its filter argument: no extra
    // output file appears and the run has as many arguments as a plain one.
    const std::string crafted = "x'\" \"" + Out("evil.mp4") + "\" -vf \"drawtext=text='y";
    Run("QMT_TextOverlay", {in, "plain", "20", "white", "10", "10", Out("t.mp4")});
    size_t plainCount = rec->Last().size();
    Run("QMT_TextOverlay", {in, crafted, "20", "white", "10", "10", Out("t2.mp4")});
    EXPECT_EQ(rec->Last().size(), plainCount);
    EXPECT_EQ(rec->Last().back(), Out("t2.mp4"));
    // The text itself is escaped for drawtext (so that it is drawn as typed),
    // and the filter still ends with its own options.
    const std::string filter = rec->Last().at(4);
    EXPECT_EQ(filter.rfind("drawtext=text='x\\'\\''\" \"", 0), 0u) << filter;
    EXPECT_EQ(filter.substr(filter.size() - 44), "'\\''y':fontsize=20:fontcolor=white:x=10:y=10") << filter;
    EXPECT_FALSE(qt::Exists(Out("evil.mp4")));

    // The same text as a whole filter argument arrives exactly as typed.
    Run("QMT_CustomFilter", {in, crafted, Out("c.mp4")});
    EXPECT_EQ(rec->Last(), (std::vector<std::string>{"-y", "-i", in, "-vf", crafted, "-c:v", "libx264", "-preset", "fast",
                                                     "-crf", "18", "-c:a", "copy", Out("c.mp4")}));
    EXPECT_FALSE(qt::Exists(Out("evil.mp4")));

    // A folder path ending in a backslash does not swallow the closing quote.
    Run("QMT_Convert", {"C:\\frames\\", Out("x\\\"y.mkv")});
    EXPECT_EQ(rec->Last(), (std::vector<std::string>{"-y", "-i", "C:\\frames\\", Out("x\\\"y.mkv")}));
    EXPECT_EQ(Var("[QMT_Status]"), "Error");  // no such input; ffmpeg says so
}

TEST_F(CommandSafety, FilterFilePathsSurviveTheGraphAndOptionSyntax) {
    // A file path inside a filter option is read by the graph parser and then
    // the option parser; each of these characters is syntax to one of them,
    // as in a profile folder such as C:\Users\O'Brien\AppData\Local\Temp\.
    std::string odd = dir + "/O'Brien: C\\Temp, [x]; y/";
    ASSERT_EQ(mkdir(odd.c_str(), 0777), 0);
    setenv("TMPDIR", odd.c_str(), 1);
    // Pass 2 must read the motion data where pass 1 wrote it, under that name.
    rec->Snapshot(odd + "qmt_trf.trf");
    qt::Probed p = Do("QMT_Stabilize", {in, "low", Out("s.mp4")});
    EXPECT_EQ(rec->RunCount(), 2u);
    EXPECT_NE(rec->SnapshotText(), "");
    EXPECT_FALSE(qt::Exists(odd + "qmt_trf.trf"));
    EXPECT_EQ(p.width, 160);
    EXPECT_NEAR(p.videoDuration, 2.0, 0.1);

    // The subtitles filter refuses to start without its file.
    std::string srt = odd + "a.srt";
    std::ofstream(srt) << "1\n00:00:00,000 --> 00:00:01,500\nHello\n";
    p = Do("QMT_BurnSubtitles", {in, srt, "18", "00FFFF", Out("b.mp4")});
    EXPECT_EQ(Arg(4).substr(Arg(4).rfind("':force_style")), "':force_style='FontSize=18,PrimaryColour=&H00FFFF&'");
    EXPECT_EQ(p.width, 160);
    EXPECT_NEAR(p.videoDuration, 2.0, 0.1);
}
