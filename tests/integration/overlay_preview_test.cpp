// The overlay preview through the host: the text and image pop-ups over a
// player Rectangle, what they paint (draw log), the mouse dragging and the
// wheel resizing them, the lock, following the host in front, and the
// variables the publication reads.
#include <gtest/gtest.h>
#include "platform/headless/headless_window.h"
#include "tests/support/test_support.h"

namespace {

class OverlayPreview : public qt::PluginTest {
protected:
    void SetUp() override {
        qt::PluginTest::SetUp();
        rect = host.AddRectangle("Player", 320, 180);
    }
    std::string Box() const { return Var("[OvX]") + " " + Var("[OvY]") + " " + Var("[OvW]") + " " + Var("[OvH]"); }
    intptr_t Window() { return hwFindChild(rect, "QMT_"); }
    intptr_t rect = 0;
};

}  // namespace

// Natively a text is measured half its font size wide per character and its
// font size high: "Hello" at 24 is 60 x 24, so the box is 68 x 28.
TEST_F(OverlayPreview, TextOverlayPaintsItsBoxFrameLabelAndGrip) {
    ASSERT_TRUE(Run("QMT_OverlayPreviewText", {"player", "Hello", "5", "#00FF00"}));
    EXPECT_EQ(Var("[QMT_Status]"), "Overlay preview: drag to position, wheel to resize");
    EXPECT_EQ(Box(), "10 10 68 28");
    EXPECT_EQ(Var("[OvVideoW]") + "x" + Var("[OvVideoH]"), "320x180");
    EXPECT_EQ(Var("[OvText]"), "Hello");
    EXPECT_EQ(Var("[OvFontSize]"), "24");  // 5 is below 8
    EXPECT_EQ(Var("[OvColor]"), "#00FF00");
    intptr_t window = Window();
    ASSERT_NE(window, 0);
    EXPECT_EQ(hwTimerPeriod(window, 2), 100);
    EXPECT_EQ(hwGetCursor(window), 2);  // the four-arrow move cursor
    std::string painted = Capture("Player");
    EXPECT_TRUE(Has(painted, "fill 0 0 320 180 #010101"));  // the see-through key
    EXPECT_TRUE(Has(painted, "text 12 12 80 40 #000000 layout=3 font=\"Arial 24\" \"Hello\""));  // its shadow
    EXPECT_TRUE(Has(painted, "frame 9 9 79 39 #00ff64 width=1 style=2"));
    EXPECT_TRUE(Has(painted, "text 4 166 200 180 #00ff64 layout=0 font=\"Consolas 11 bold\" \"DRAG TO MOVE X:10 Y:10 W:68 H:28\""));

    // Locked: the frame and label turn orange, and neither drag nor wheel moves it.
    ASSERT_TRUE(Run("QMT_OverlayPreviewLock", {"PLAYER", "1"}));
    EXPECT_EQ(Var("[QMT_Status]"), "Overlay locked");
    EXPECT_EQ(Script("Drag Player 20 20 200 100 3\nWheel Player 30 20 120\n"), "");
    EXPECT_EQ(Box(), "10 10 68 28");
    EXPECT_EQ(Var("[OvFontSize]"), "24");
    std::string locked = Capture("Player");
    EXPECT_TRUE(Has(locked, "frame 9 9 79 39 #ffa01e width=1 style=2"));
    EXPECT_TRUE(Has(locked, "text 4 166 200 180 #ffa01e layout=0 font=\"Consolas 11 bold\" \"LOCKED X:10 Y:10 W:68 H:28\""));

    // A short colour is no colour: the text is white.
    ASSERT_TRUE(Run("QMT_OverlayPreviewText", {"Player", "Hi", "12", "#0F0"}));
    EXPECT_NE(Capture("Player").find("text 10 10 30 26 #ffffff layout=3 font=\"Arial 12\" \"Hi\""), std::string::npos);
}

TEST_F(OverlayPreview, DragStaysInsideAndWheelStopsAtEightAndTwoHundred) {
    ASSERT_TRUE(Run("QMT_OverlayPreviewText", {"Player", "Hello", "24", "white"}));
    intptr_t window = Window();
    // Grabbed 10 pixels into the box and pulled far past the bottom right corner.
    EXPECT_EQ(Script("Drag Player 20 20 5000 5000 4\n"), "");
    EXPECT_EQ(Box(), "252 152 68 28");  // 320 - 68, 180 - 28
    EXPECT_EQ(hwGetCapture(), 0);       // released with the button
    EXPECT_EQ(host.WritesOf("[OvX]").size(), 1u + 4u + 1u);  // creation, each move, the release
    // A press outside the box widened by 5 pixels does not grab it.
    EXPECT_EQ(Script("Drag Player 246 160 100 100 2\n"), "");
    EXPECT_EQ(Box(), "252 152 68 28");
    // Inside the margin, grabbed by the second press of a quick double click.
    EXPECT_EQ(Script("Drag Player 248 184 -400 -400 2 Double\n"), "");
    EXPECT_EQ(Box(), "0 0 68 28");

    std::string ups, downs;
    for (int i = 0; i < 100; ++i) ups += "Wheel Player 10 10 120\n";
    for (int i = 0; i < 100; ++i) downs += "Wheel Player 10 10 -120\n";
    EXPECT_EQ(Script(ups), "");
    EXPECT_EQ(Var("[OvFontSize]"), "200");
    EXPECT_EQ(Box(), "0 0 508 204");  // measured again: 5 x 100 + 8, 200 + 4
    EXPECT_EQ(Script(downs), "");
    EXPECT_EQ(Var("[OvFontSize]"), "8");
    EXPECT_EQ(Box(), "0 0 28 12");
    EXPECT_GT(hwInvalidationCount(window), 200);

    // Update changes the text and size but keeps the box.
    ASSERT_TRUE(Run("QMT_OverlayPreviewUpdate", {"Player", "Longer text", "40"}));
    EXPECT_NE(Capture("Player").find("font=\"Arial 40\" \"Longer text\""), std::string::npos);
    ASSERT_TRUE(Run("QMT_OverlayPreviewUpdate", {"Player", "", "3"}));  // no text: kept; below 8: 8
    EXPECT_NE(Capture("Player").find("font=\"Arial 8\" \"Longer text\""), std::string::npos);
    host.SetVar("[GX]", "");
    ASSERT_TRUE(Run("QMT_OverlayPreviewGetPos", {"Player", "[GX]", "[GY]", "[GW]", "[GH]"}));
    EXPECT_EQ(Var("[GX]") + " " + Var("[GY]") + " " + Var("[GW]") + " " + Var("[GH]"), "0 0 28 12");
}

TEST_F(OverlayPreview, ImageBoxNeverShrinksUnderTwentyAndANonPictureLeavesNothing) {
    std::string picture = qt::ImagePng(400, 200);
    ASSERT_TRUE(Run("QMT_OverlayPreviewImage", {"Player", picture, "0", "0"}));
    // Never under 20 wide, in proportion (the box and a notch's 8 pixels are checked under Wine).
    std::string downs;
    for (int i = 0; i < 20; ++i) downs += "Wheel Player 250 140 -120\n";
    EXPECT_EQ(Script(downs), "");
    EXPECT_EQ(Box(), "210 120 20 10");

    // A file that is no picture leaves nothing behind.
    std::string notPicture = Out("notes.txt");
    qt::Shell("echo hello > '" + notPicture + "'");
    ASSERT_TRUE(Run("QMT_OverlayPreviewImage", {"Player", notPicture, "0", "0"}));
    EXPECT_EQ(Var("[QMT_Error]"), "Could not load image.");
    EXPECT_EQ(Window(), 0);
    host.SetVar("[GX]", "none");
    Run("QMT_OverlayPreviewGetPos", {"Player", "[GX]", "[GY]", "[GW]", "[GH]"});
    EXPECT_EQ(Var("[GX]"), "none");
}

TEST_F(OverlayPreview, FollowsTheHostAndHidesBehindOtherApplications) {
    ASSERT_TRUE(Run("QMT_OverlayPreviewText", {"Player", "Hello", "24", "red"}));
    intptr_t window = Window();
    intptr_t other = hwCreateWindow(0, "OtherApplication", 0, 0, 400, 300);
    hwSetForeground(other);
    EXPECT_EQ(Script("Tick Player 2\n"), "");
    EXPECT_FALSE(hwIsVisible(window));
    hwSetForeground(rect);  // a child of the host's window
    hwMoveWindow(rect, 0, 0, 400, 200);
    EXPECT_EQ(Script("Tick Player 2\n"), "");
    EXPECT_TRUE(hwIsVisible(window));
    int w = 0, h = 0;
    hwGetClientSize(window, &w, &h);
    EXPECT_EQ(std::to_string(w) + "x" + std::to_string(h), "400x200");  // the Rectangle's size again
    hwSetForeground(0);
    hwDestroyWindow(other);
}

TEST_F(OverlayPreview, TwoSlotsAndFailures) {
    host.AddRectangle("Second", 200, 100);
    host.AddRectangle("Third", 200, 100);
    ASSERT_TRUE(Run("QMT_OverlayPreviewText", {"Nowhere", "x", "20", "red"}));
    EXPECT_EQ(Var("[QMT_Error]"), "Rectangle not found.");
    Run("QMT_OverlayPreviewText", {"Player", "a", "20", "red"});
    Run("QMT_OverlayPreviewText", {"Second", "b", "20", "red"});
    Run("QMT_OverlayPreviewText", {"Third", "c", "20", "red"});
    EXPECT_EQ(Var("[QMT_Error]"), "Max overlay previews reached.");
    EXPECT_EQ(hwFindChild(host.Rectangle("Third"), "QMT_"), 0);
    // Again on the same Rectangle replaces the overlay in its slot.
    intptr_t first = Window();
    Run("QMT_OverlayPreviewText", {"PLAYER", "again", "20", "red"});
    EXPECT_EQ(Var("[QMT_Status]"), "Overlay preview: drag to position, wheel to resize");
    EXPECT_FALSE(hwIsWindow(first));
    Run("QMT_OverlayPreviewDestroy", {"Second"});
    EXPECT_EQ(hwFindChild(host.Rectangle("Second"), "QMT_"), 0);
    Run("QMT_OverlayPreviewText", {"Third", "c", "20", "red"});
    EXPECT_NE(hwFindChild(host.Rectangle("Third"), "QMT_"), 0);
}
