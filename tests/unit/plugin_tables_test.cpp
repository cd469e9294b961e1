// One reset for every table of the plug-in, run before each unit test so the
// tests pass in any order in one process.
#include <gtest/gtest.h>
#include "host/dispatch.h"
#include "host/teardown.h"
#include "operations/transition_list.h"
#include "timeline/timeline_model.h"
#include "toolchain/backups.h"
#include "toolchain/tool_location.h"

namespace {

class ResetBeforeEachTest : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { ResetPluginTables(); }
};

const bool kInstalled = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new ResetBeforeEachTest);
    return true;
}();

}  // namespace

TEST(PluginTables, OneResetEmptiesEveryTable) {
    ASSERT_EQ(AddTransition(5, "fade", "1", nullptr), kTransitionAdded);
    AddRecentFile("a.mp4");
    g_tools.ffmpegFound = true;
    TimelineTable()[1].inUse = true;
    RegisterAction(5, [](const ActionArgs&) {});  // an id no row uses
    ASSERT_TRUE(HasHandler(5));

    ResetPluginTables();
    EXPECT_EQ(TransitionCount(), 0);
    EXPECT_EQ(g_recent.count, 0);
    EXPECT_FALSE(g_tools.ffmpegFound);
    EXPECT_FALSE(HasHandler(5));
    EXPECT_TRUE(HasHandler(21));  // refilled on first use
    EXPECT_FALSE(TimelineTable()[1].inUse);
}
