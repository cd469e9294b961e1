// The exports as the host uses them. The registrations themselves are
// compared with the catalogue under Wine (the host group), through the DLL.
#include <gtest/gtest.h>
#include "tests/support/test_support.h"

using qt::PluginTest;

TEST_F(PluginTest, InitHandsBackTitleAndHint) {
    EXPECT_EQ(host.title, "Quillmont");
    EXPECT_FALSE(host.publisher.empty());
    EXPECT_EQ(host.hint.rfind("V1.3 - Professional video editing plugin. 144 actions.", 0), 0u);
    EXPECT_NE(host.hint.find("35 transition types. Powered by FFmpeg."), std::string::npos);
    EXPECT_NE(host.initResult, 0);
    host.RegisterOnly(false, true);  // without AddAction nothing is registered
    EXPECT_TRUE(host.Actions().empty());
}

TEST_F(PluginTest, IdsOutsideTheTableDoNothingAndNullParametersReadAsEmptyTexts) {
    host.ClearWrites();
    char* params[4] = {nullptr, nullptr, nullptr, nullptr};
    for (int id : {0, 5, 221, -1, 220, 10}) EXPECT_NE(host.CallId(id, params), 0) << id;
    EXPECT_NE(host.CallId(11, nullptr), 0);  // a null array reads as empty parameters
    for (auto& w : host.Writes()) EXPECT_NE(w.first, "[QMT_LastOutput]");
    host.CallId(host.ActionId("QMT_SmartOutput"), params);
    EXPECT_EQ(host.Var("[OutputFile]"), "_.");
    host.CallId(host.ActionId("QMT_GetFileSize"), params);
    EXPECT_EQ(host.Var("[QMT_Error]"), "File not found.");
}

TEST_F(PluginTest, ActionsBeforeRegistrationSetNothing) {
    HostSimulator fresh;  // a second host on the same library: callbacks not handed over yet
    fresh.Load(qt::PluginPath());
    fresh.RegisterOnly(false, false);
    host.ClearWrites();
    char* params[3] = {const_cast<char*>("a"), const_cast<char*>("b"), const_cast<char*>("mp4")};
    EXPECT_NE(fresh.CallId(162, params), 0);
    EXPECT_TRUE(fresh.Writes().empty());
    EXPECT_TRUE(host.Writes().empty());
}

TEST_F(PluginTest, MessagesOtherThanTwoAreIgnoredAndTwoIsRepeatable) {
    for (int message : {1, 3, 2, 2}) host.Message(message);
    EXPECT_EQ(After("QMT_SmartOutput", {"a.mp4", "x", "mkv"}, "[OutputFile]"), "a_x.mkv");
}
