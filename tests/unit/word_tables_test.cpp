// The word tables and computed values of the file operations, for the words
// the operations' command lines (integration tests) do not already show.
#include <gtest/gtest.h>
#include "operations/word_tables.h"

TEST(WordTables, CodecChoices) {
    CodecChoice c = ChooseCodecs("", "", "");
    EXPECT_EQ(c.encoder + "|" + c.audioOption + "|" + c.rateOption + "|" + c.extraOption, "libx264|-c:a aac|-crf 23|-preset fast");
    c = ChooseCodecs("AV1", "Opus", "veryslow");
    EXPECT_EQ(c.encoder + "|" + c.audioOption + "|" + c.rateOption + "|" + c.extraOption,
              "libaom-av1|-c:a libopus|-crf 23|-b:v 0 -cpu-used 4 -row-mt 1");
    c = ChooseCodecs("prores_ks", "pcm_s16le", "31");
    EXPECT_EQ(c.encoder + "|" + c.audioOption + "|" + c.rateOption + "|" + c.extraOption,
              "prores_ks|-c:a pcm_s16le|-crf 31|-preset fast");
    c = ChooseCodecs("mpeg4", "copy", "Lossless");
    EXPECT_EQ(c.rateOption + "|" + c.extraOption, "-crf 0|-preset fast");
    EXPECT_EQ(ChooseCodecs("h264", "mp3", "ULTRAFAST").extraOption, "-preset ultrafast");
}

TEST(WordTables, SmallMappings) {
    EXPECT_EQ(ChromaKeyColour("Green"), "0x00FF00");
    EXPECT_EQ(ChromaKeyColour("blue"), "0x0000FF");
    EXPECT_EQ(ChromaKeyColour("0xABCDEF"), "0xABCDEF");
    EXPECT_EQ(StabilizeShakiness("low"), 3);
    EXPECT_EQ(StabilizeShakiness(""), 5);
    for (const char* none : {"0", "1", "", "-4"}) EXPECT_EQ(LoopRepeats(none), 0) << none;
    EXPECT_EQ(FlipFilter("Both"), "hflip,vflip");
    EXPECT_EQ(DenoiseFilter("High"), "hqdn3d=8:6:12:9");
    EXPECT_EQ(WatermarkPosition("CENTER"), "(main_w-overlay_w)/2:(main_h-overlay_h)/2");
    EXPECT_EQ(BitrateNumber("2000K"), "2000");
    EXPECT_EQ(BitrateNumber("128"), "128");
    EXPECT_EQ(ConcatListLine("a'b.mp4"), "file 'a'\\''b.mp4'\n");
}

TEST(WordTables, AtempoStagesAndSpeedFactor) {
    EXPECT_EQ(AtempoChain(0.3), "atempo=0.5000,atempo=0.6000");
    EXPECT_EQ(AtempoChain(0.1), "atempo=0.5000,atempo=0.5000,atempo=0.5000,atempo=0.8000");
    EXPECT_EQ(AtempoChain(100), "atempo=100.0000");
    EXPECT_EQ(AtempoChain(250), "atempo=100.0000,atempo=2.5000");
    EXPECT_EQ(SpeedFactor("inf"), 1.0);
}
