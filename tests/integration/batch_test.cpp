// Batch hands one script line per matching file to the host's script processor.
#include <gtest/gtest.h>
#include <algorithm>
#include "tests/support/test_support.h"

using qt::PluginTest;

TEST_F(PluginTest, BatchHandsEveryMatchingFileToTheScriptProcessor) {
    std::string src = Out("src"), dst = Out("dst");
    qt::Shell("mkdir -p '" + src + "/folder.mp4' '" + dst + "'");
    std::string clip = qt::ClipAV(1.0, 160, 120);
    for (const char* name : {"a.mp4", "b.MP4", "c.mov"}) qt::Shell("cp '" + clip + "' '" + src + "/" + name + "'");
    host.runScriptLines = true;  // the simulator runs each line as a script line
    Completes("QMT_Batch", {src, "mp4", "QMT_Grayscale", "", dst});
    ASSERT_EQ(host.scriptLines.size(), 2u);  // the folder named like a video is skipped
    std::vector<std::string> lines = host.scriptLines;
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines[0], "QMT_Grayscale \"" + src + "/a.mp4\"  \"" + dst + "/a.mp4\"");
    EXPECT_EQ(qt::Probe(dst + "/a.mp4").videoStreams, 1);
    EXPECT_EQ(qt::Probe(dst + "/b.MP4").videoStreams, 1);
    std::vector<std::string> status = host.WritesOf("[QMT_Status]");
    ASSERT_GE(status.size(), 2u);
    EXPECT_EQ(status[status.size() - 2], "Processed 2/2 files");

    host.scriptLines.clear();
    host.runScriptLines = false;
    ASSERT_TRUE(Run("QMT_Batch", {src, "*", "QMT_Resize", "\"80\" \"60\"", dst}));
    EXPECT_EQ(host.scriptLines.size(), 3u);
    EXPECT_NE(host.scriptLines[0].find("\" \"80\" \"60\" \""), std::string::npos) << host.scriptLines[0];

    host.scriptLines.clear();
    EXPECT_EQ(After("QMT_Batch", {Out("nowhere"), "mp4", "QMT_Grayscale", "", dst}), "No files found.");
    EXPECT_TRUE(host.scriptLines.empty());

    // Only folders match: nothing handed over, yet complete.
    qt::Shell("mkdir -p '" + src + "/only.dirx'");
    Completes("QMT_Batch", {src, "dirx", "QMT_Grayscale", "", dst});
    EXPECT_TRUE(host.scriptLines.empty());
    EXPECT_EQ(host.WritesOf("[QMT_Status]").end()[-2], "Processed 0/0 files");
}

TEST(Batch, NeedsTheScriptProcessor) {
    HostSimulator bare;
    ASSERT_TRUE(bare.Load(qt::PluginPath()));
    bare.Init(false);
    ASSERT_TRUE(bare.Call("QMT_Batch", {"/tmp", "*", "QMT_Grayscale", "", "/tmp"}));
    EXPECT_EQ(bare.Var("[QMT_Error]"), "Script processor not available.");
}
