// Typed values never add, drop or split an ffmpeg argument: quoted values
// arrive byte for byte, unquoted ones that would split are refused by name
// before anything runs.
#include <gtest/gtest.h>
#include "tests/support/test_support.h"

namespace {

using qt::Quoted;
using CommandSafety = qt::OperationTest;

// An action with an unquoted slot: its ordinary arguments, the position and
// the name of the parameter that fills the slot.
struct UnquotedSlot {
    const char* action;
    std::vector<std::string> args;  // "IN" stands for the input clip, "OUT" for an output
    size_t index;
    const char* name;
};

}  // namespace

TEST_F(CommandSafety, EveryUnquotedSlotRefusesWhatWouldSplitIt) {
    const std::vector<UnquotedSlot> slots = {
        {"QMT_Trim", {"IN", "0", "1", "OUT"}, 1, "StartTime"},
        {"QMT_Trim", {"IN", "0", "1", "OUT"}, 2, "EndTime"},
        {"QMT_TrimExact", {"IN", "0", "1", "OUT"}, 1, "StartTime"},
        {"QMT_TrimExact", {"IN", "0", "1", "OUT"}, 2, "EndTime"},
        {"QMT_Split", {"IN", "1", "OUT", "OUT"}, 1, "SplitTime"},
        {"QMT_RemoveSegment", {"IN", "0.5", "1", "OUT"}, 1, "SegStart"},
        {"QMT_RemoveSegment", {"IN", "0.5", "1", "OUT"}, 2, "SegEnd"},
        {"QMT_FrameRate", {"IN", "10", "OUT"}, 1, "Rate"},
        {"QMT_ExtractFrame", {"IN", "1", "OUT"}, 1, "Time"},
        {"QMT_ExtractFrames", {"IN", "0", "1", "1", "OUT"}, 1, "Start"},
        {"QMT_ExtractFrames", {"IN", "0", "1", "1", "OUT"}, 2, "End"},
        {"QMT_ExtractGIF", {"IN", "0", "1", "80", "5", "OUT"}, 1, "StartSec"},
        {"QMT_ExtractGIF", {"IN", "0", "1", "80", "5", "OUT"}, 2, "DurationSec"},
        {"QMT_ConvertAdvanced", {"IN", "h264", "aac", "high", "OUT"}, 1, "VCodec"},
        {"QMT_ConvertAdvanced", {"IN", "h264", "aac", "high", "OUT"}, 2, "ACodec"},
        {"QMT_ConvertAdvanced", {"IN", "h264", "aac", "high", "OUT"}, 3, "Quality"},
        {"QMT_ToMP4", {"IN", "medium", "OUT"}, 1, "Quality"},
        {"QMT_ToWebM", {"IN", "medium", "OUT"}, 1, "Quality"},
        {"QMT_SetBitrate", {"IN", "300", "64", "OUT"}, 1, "VideoBitrate"},
        {"QMT_SetBitrate", {"IN", "300", "64", "OUT"}, 2, "AudioBitrate"},
        {"QMT_FromImages", {"IN", "5", "1", "OUT"}, 1, "FPS"},
        {"QMT_FromImages", {"IN", "5", "1", "OUT"}, 2, "DurationSec"},
        {"QMT_FromImage", {"IN", "1", "", "OUT"}, 1, "DurationSec"},
        {"QMT_FromImage", {"IN", "1", "IN", "OUT"}, 1, "DurationSec"},
    };
    const std::vector<std::string> bad = {"25 evil2.mp4", "1\t-f", "1\"", "2\" \"evil3.mp4"};
    for (const UnquotedSlot& slot : slots) {
        for (const std::string& value : bad) {
            std::vector<std::string> args = slot.args;
            for (std::string& arg : args) {
                if (arg == "IN") arg = in;
                if (arg == "OUT") arg = Out("never.mp4");
            }
            args[slot.index] = value;
            host.ClearWrites();
            ASSERT_TRUE(Run(slot.action, args));
            std::string where = std::string(slot.action) + " " + slot.name + " [" + value + "]";
            EXPECT_EQ(Var("[QMT_Status]"), "Error") << where;
            EXPECT_EQ(Var("[QMT_Error]"), std::string("Invalid value for ") + slot.name + ": " + value) << where;
            EXPECT_EQ(host.WritesOf("[QMT_Error]").size(), 2u) << where;  // cleared at the start, then the one report
            EXPECT_EQ(rec->RunCount(), 0u) << where;
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
    EXPECT_NE(rec->Last().at(4).find(crafted), std::string::npos);
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

TEST_F(CommandSafety, StabilizeWithATempFolderHoldingColonAndBackslash) {
    // The motion data path goes into a filter option, where ':' and '\' are
    // syntax; it must come back whole so pass 2 reads what pass 1 wrote.
    std::string odd = dir + "/C:\\Temp\\";
    ASSERT_EQ(qt::Shell("mkdir -p '" + odd + "'"), 0);
    setenv("TMPDIR", odd.c_str(), 1);
    qt::Probed p = Do("QMT_Stabilize", {in, "low", Out("s.mp4")});
    auto runs = rec->Runs();
    ASSERT_EQ(runs.size(), 2u);
    std::string escaped = dir + "/C\\:\\\\Temp\\\\/qmt_trf.trf";
    EXPECT_EQ(runs[0].at(4), "vidstabdetect=shakiness=3:result='" + escaped + "'");
    EXPECT_EQ(runs[1].at(4), "vidstabtransform=input='" + escaped + "':smoothing=10,unsharp=5:5:0.8:3:3:0.4");
    EXPECT_NEAR(p.duration, 2.0, 0.1);
    EXPECT_FALSE(qt::Exists(odd + "/qmt_trf.trf"));
    // Split at the colon, pass 1 would have written the stray file "C".
    EXPECT_FALSE(qt::Exists(dir + "/C"));
}
