// The timeline's dialog actions in the native plug-in, which opens no
// dialogs: they refuse clearly and leave the timeline as it was.
#include <gtest/gtest.h>
#include "tests/support/test_support.h"

namespace {

class TimelineDialogActions : public qt::PluginTest {};

}  // namespace

TEST_F(TimelineDialogActions, RefuseWithoutDialogsAndChangeNothing) {
    host.AddRectangle("NLE1", 800, 300);
    Run("QMT_TimelineCreate", {"NLE1", ""});
    ExpectComplete();
    Run("QMT_TimelineAddClip", {"NLE1", "TX", "3", "Title", "", "2", "4"});
    ExpectComplete();
    for (const char* action : {"QMT_TimelinePickEffect", "QMT_TimelinePickText"}) {
        host.ClearWrites();
        Run(action, {"nle1"});
        EXPECT_EQ(host.WritesOf("[QMT_Status]"), (std::vector<std::string>{"Processing", "Error"})) << action;
        EXPECT_EQ(Var("[QMT_Error]"), "Dialogs are not available in this build.") << action;
        EXPECT_EQ(Var("[LastError]"), "Dialogs are not available in this build.") << action;
        EXPECT_TRUE(host.WritesOf("[NLE_ClipIndex]").empty()) << action;
        Run(action, {"NLE9"});
        EXPECT_EQ(Var("[QMT_Error]"), "NLE Timeline not found.") << action;
    }
    Run("QMT_TimelineGetState", {"NLE1"});
    EXPECT_EQ(Var("[NLE_ClipCount]"), "1");
    EXPECT_EQ(Var("[NLE_TotalDuration]"), "15.000");
}
