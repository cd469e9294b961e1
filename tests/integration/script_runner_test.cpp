// The host simulator's script language where it meets the native plug-in's dialogs.
#include <gtest/gtest.h>
#include "tests/support/test_support.h"

using qt::PluginTest;

// The native plug-in opens no dialogs: the editor answers "cancelled" and
// leaves the parameters alone, and dialog steps fail instead of passing unseen.
TEST_F(PluginTest, NativeEditorCancelsAndDialogStepsFailLoudly) {
    std::string out, err;
    EXPECT_EQ(host.RunScript("Edit QMT_Trim \"in.mp4\" NULL \"\" \"out.mp4\"\n"
                             "Assert [EditResult] \"0\"\n"
                             "Assert [EditParam1] \"in.mp4\"\n"
                             "Assert [EditParam2] \"NULL\"\n"
                             "Assert [EditParam3] \"\"\n"
                             "Assert [EditParam4] \"out.mp4\"\n"
                             "SetVar [QMT_LastOutput] \"before\"\n"
                             "QMT_ExportDialog \"in.mp4\"\n"
                             "Assert [QMT_LastOutput] \"before\"\n",
                             &out, &err),
              0)
        << err;
    EXPECT_NE(host.RunScript("Dialog Press 1\nEdit QMT_Trim\n", &out, &err), 0);
    EXPECT_EQ(err, "line 2: dialog steps need the Windows build: the native plug-in opens no dialogs");
    EXPECT_NE(host.RunScript("Dialog Push 1\n", &out, &err), 0);
    EXPECT_EQ(err.rfind("line 1: usage: Dialog", 0), 0u) << err;
}
