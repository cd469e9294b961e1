// Pictures of the native windows: qmthost's Capture writes a BMP or PNG of
// the window's last paint, the size of its client area, that other programs
// read; any other name still gets the draw log as text.
#include <gtest/gtest.h>
#include <fstream>
#include "tests/support/test_support.h"

using qt::PluginTest;

TEST_F(PluginTest, QmthostCapturesTheTimelineWindowAsPictures) {
    std::string script = Out("capture.qmt");
    std::ofstream(script) << "Rectangle NLE1 400 120\nQMT_TimelineCreate \"NLE1\" \"\"\n"
                             "Capture NLE1 \"[Out]timeline.bmp\"\nCapture NLE1 \"[Out]timeline.PNG\"\n"
                             "Capture NLE1 \"[Out]timeline.txt\"\n";
    std::string plugin = qt::PluginPath();
    std::string tool = plugin.substr(0, plugin.find_last_of('/')) + "/qmthost";
    std::string out;
    ASSERT_EQ(qt::Shell("'" + tool + "' --var '[Out]=" + dir + "/' '" + script + "'", &out), 0) << out;

    // ffmpeg reads both files as the same 400x120 picture, pixel for pixel,
    // the right way up: the ruler at the top, the lanes below it.
    std::string first;
    for (const char* name : {"timeline.bmp", "timeline.PNG"}) {
        std::string raw = Out(std::string(name) + ".rgb");
        ASSERT_EQ(qt::Shell("ffmpeg -v error -y -i '" + Out(name) + "' -f rawvideo -pix_fmt rgb24 '" + raw + "'"), 0)
            << name;
        std::string rgb = qt::ReadFile(raw);
        ASSERT_EQ(rgb.size(), 400u * 120 * 3) << name;
        auto at = [&](int x, int y) {
            const unsigned char* p = reinterpret_cast<const unsigned char*>(rgb.data()) + (y * 400 + x) * 3;
            return std::vector<int>{p[0], p[1], p[2]};
        };
        EXPECT_EQ(at(200, 20), (std::vector<int>{35, 35, 42})) << name;  // ruler
        EXPECT_EQ(at(200, 60), (std::vector<int>{22, 22, 28})) << name;  // lane background
        EXPECT_EQ(at(0, 0), (std::vector<int>{28, 28, 34})) << name;     // header column
        if (first.empty()) first = rgb;
        else EXPECT_TRUE(rgb == first) << name;
    }
    EXPECT_EQ(qt::ReadFile(Out("timeline.txt")).rfind("window QMT_NLETimelineWnd 400x120\nfill 0 0 400 120 #121216\n", 0), 0u);
}
