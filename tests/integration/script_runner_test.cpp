// The host simulator's script language, as newcomers and the demo use it.
#include <gtest/gtest.h>
#include "tests/support/test_support.h"

using qt::PluginTest;

TEST_F(PluginTest, ScriptRunsActionsExpandsVariablesAndChecks) {
    std::string out, err;
    std::string script =
        "# output names\n"
        "SetVar [In] \"C:\\Videos\\clip.mp4\"\n"
        "\n"
        "QMT_SmartOutput \"[In]\" \"cut\" \"mkv\"\n"
        "Assert [OutputFile] \"C:\\Videos\\clip_cut.mkv\"\n"
        "Print [OutputFile]\n"
        "Echo done [OutputFile]\n";
    EXPECT_EQ(host.RunScript(script, &out, &err), 0) << err;
    EXPECT_EQ(out, "[OutputFile] = C:\\Videos\\clip_cut.mkv\ndone C:\\Videos\\clip_cut.mkv\n");
}

TEST_F(PluginTest, ScriptErrorsNameTheLine) {
    std::string out, err;
    EXPECT_NE(host.RunScript("QMT_SmartOutput \"a\" \"b\" \"c\"\nQMT_NoSuchThing \"x\"\n", &out, &err), 0);
    EXPECT_EQ(err, "line 2: unknown action \"QMT_NoSuchThing\"");
    EXPECT_NE(host.RunScript("\nQMT_SmartOutput \"a \"b\"\n", &out, &err), 0);
    EXPECT_EQ(err.rfind("line 2: malformed line", 0), 0u) << err;
    EXPECT_NE(host.RunScript("QMT_GetDuration \"a\" \"[D]\" \"extra\"\n", &out, &err), 0);
    EXPECT_EQ(err, "line 1: QMT_GetDuration takes 2 parameters, 3 given");
    EXPECT_NE(host.RunScript("Assert [QMT_Status] \"Complete\"\n", &out, &err), 0);
    EXPECT_NE(err.find("expected \"Complete\""), std::string::npos);
}

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
