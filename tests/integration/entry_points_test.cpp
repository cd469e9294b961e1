// The eight exports as the host uses them.
#include <gtest/gtest.h>
#include "tests/support/test_support.h"

using qt::PluginTest;

TEST_F(PluginTest, InitHandsBackTitleAndHint) {
    EXPECT_EQ(host.title, "Quillmont");
    EXPECT_FALSE(host.publisher.empty());
    EXPECT_EQ(host.hint.rfind("V1.3 - Professional video editing plugin. 144 actions.", 0), 0u);
    EXPECT_NE(host.hint.find("35 transition types. Powered by FFmpeg."), std::string::npos);
    EXPECT_NE(host.initResult, 0);
}

TEST_F(PluginTest, RegistersTheWholeCatalogueInOrder) {
    const auto& rows = host.Actions();
    ASSERT_EQ(rows.size(), 167u);
    int headers = 0;
    for (auto& r : rows) {
        EXPECT_EQ(r.count, r.count2);
        EXPECT_EQ(static_cast<int>(r.types.size()), r.count);
        if (r.id == 0) {
            ++headers;
            EXPECT_EQ(r.count, 0);
            EXPECT_EQ(r.hint, "");
        }
    }
    EXPECT_EQ(headers, 19);
    EXPECT_EQ(rows[0].name, "Quillmont - Configuration");
    EXPECT_EQ(rows[1].name, "QMT_SetFFmpegPath");
    EXPECT_EQ(rows[1].types, std::vector<unsigned char>{5});
    int res = host.ActionId("QMT_GetResolution");
    for (auto& r : rows)
        if (r.id == res) EXPECT_EQ(r.types, (std::vector<unsigned char>{5, 1, 6}));
}

TEST_F(PluginTest, RegistrationWithoutAddActionMakesNoCalls) {
    host.RegisterOnly(false, true);
    EXPECT_TRUE(host.Actions().empty());
}

TEST_F(PluginTest, IdsOutsideTheTableDoNothingAndStillAnswerNonzero) {
    host.ClearWrites();
    char* params[4] = {nullptr, nullptr, nullptr, nullptr};
    for (int id : {0, 5, 221, -1, 220, 10})
        EXPECT_NE(host.CallId(id, params), 0) << id;
    EXPECT_NE(host.CallId(11, nullptr), 0);  // a null array reads as empty parameters
    for (auto& w : host.Writes()) EXPECT_NE(w.first, "[QMT_LastOutput]");
}

TEST_F(PluginTest, NullParametersReadAsEmptyTexts) {
    host.ClearWrites();
    char* params[3] = {nullptr, nullptr, nullptr};
    host.CallId(host.ActionId("QMT_SmartOutput"), params);
    EXPECT_EQ(host.Var("[OutputFile]"), "_.");
    host.CallId(host.ActionId("QMT_GetFileSize"), params);
    EXPECT_EQ(host.Var("[QMT_Status]"), "Error");
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
    host.Message(1);
    host.Message(3);
    host.Message(2);
    host.Message(2);
    ASSERT_TRUE(Run("QMT_SmartOutput", {"a.mp4", "x", "mkv"}));
    EXPECT_EQ(Var("[OutputFile]"), "a_x.mkv");
}

TEST_F(PluginTest, RectangleLookupGoesThroughInterfaceAccess) {
    // The host answers request 7 with the handle; an unknown name gets no answer.
    intptr_t rect = host.AddRectangle("Rect1", 320, 200);
    ASSERT_NE(rect, 0);
    EXPECT_EQ(host.Rectangle("rect1"), rect);
}
