#include "tests/unit/recorded_tools.h"
#include <cstdlib>
#include "tests/unit/capture_host.h"
#include "toolchain/tool_location.h"

void RecordedToolsTest::SetUp() {
    const char* before = getenv("TMPDIR");
    savedTmpDir.reset(before ? new std::string(before) : nullptr);
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir = qt::MakeTempDir(std::string(info->test_suite_name()) + "." + info->name());
    ASSERT_FALSE(dir.empty());
    tmp = dir + "/tmp/";
    qt::Shell("mkdir -p '" + tmp + "'");
    setenv("TMPDIR", tmp.c_str(), 1);
    rec.reset(new qt::ToolRecorder(dir + "/tools"));
    ASSERT_TRUE(TryFFmpegFolder(rec->folder()));
    g_tools.ffmpegFound = true;
    capture::Install();
}

void RecordedToolsTest::TearDown() {
    // Tests that share the process find the temporary folder as it was (the
    // plug-in's tables and callbacks are reset before every test).
    if (savedTmpDir) setenv("TMPDIR", savedTmpDir->c_str(), 1);
    else unsetenv("TMPDIR");
    // Kept after a failure so the outputs can be looked at.
    if (!HasFailure()) qt::RemoveTree(dir);
}
