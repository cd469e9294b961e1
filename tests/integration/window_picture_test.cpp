// Pictures of the native windows: qmthost's Capture writes a BMP or PNG of
// the window's last paint, the size of its client area, that other programs
// read; any other name still gets the draw log as text.
#include <gtest/gtest.h>
#include <cstdint>
#include <fstream>
#include "tests/support/test_support.h"

using qt::PluginTest;

namespace {
uint32_t Le(const std::string& bytes, size_t at, int n) {
    uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes.at(at + i));
    return v;
}
}  // namespace

TEST_F(PluginTest, QmthostCapturesTheTimelineWindowAsPictures) {
    std::string script = Out("capture.qmt");
    std::ofstream(script) << "Rectangle NLE1 400 120\nQMT_TimelineCreate \"NLE1\" \"\"\n"
                             "Capture NLE1 \"[Out]timeline.bmp\"\nCapture NLE1 \"[Out]timeline.PNG\"\n"
                             "Capture NLE1 \"[Out]timeline.txt\"\n";
    std::string plugin = qt::PluginPath();
    std::string tool = plugin.substr(0, plugin.find_last_of('/')) + "/qmthost";
    std::string out;
    ASSERT_EQ(qt::Shell("'" + tool + "' --var '[Out]=" + dir + "/' '" + script + "'", &out), 0) << out;

    // A 24-bit bottom-up BMP of the client area; the middle of the timeline's
    // second lane is lane background RGB(22,22,28), stored blue first.
    std::string bmp = qt::ReadFile(Out("timeline.bmp"));
    ASSERT_GE(bmp.size(), 54u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(Le(bmp, 2, 4), bmp.size());
    EXPECT_EQ(Le(bmp, 18, 4), 400u);
    EXPECT_EQ(Le(bmp, 22, 4), 120u);
    EXPECT_EQ(Le(bmp, 28, 2), 24u);
    EXPECT_EQ(bmp.size(), 54u + 400 * 3 * 120);
    size_t pixel = Le(bmp, 10, 4) + (120 - 1 - 60) * 400 * 3 + 200 * 3;
    EXPECT_EQ(static_cast<unsigned char>(bmp[pixel]), 28);
    EXPECT_EQ(static_cast<unsigned char>(bmp[pixel + 1]), 22);
    EXPECT_EQ(static_cast<unsigned char>(bmp[pixel + 2]), 22);
    // The picture as rows of RGB from the top, as ffmpeg decodes it.
    std::string rgb;
    for (int row = 119; row >= 0; --row)
        for (int x = 0; x < 400; ++x) {
            size_t at = Le(bmp, 10, 4) + (static_cast<size_t>(row) * 400 + x) * 3;
            rgb += {bmp[at + 2], bmp[at + 1], bmp[at]};
        }

    // ffmpeg reads both files as the same picture, pixel for pixel.
    for (const char* name : {"timeline.bmp", "timeline.PNG"}) {
        qt::Probed p = qt::Probe(Out(name));
        EXPECT_EQ(p.width, 400) << name;
        EXPECT_EQ(p.height, 120) << name;
        std::string raw = Out(std::string(name) + ".rgb");
        ASSERT_EQ(qt::Shell("ffmpeg -v error -y -i '" + Out(name) + "' -f rawvideo -pix_fmt rgb24 '" + raw + "'"), 0)
            << name;
        EXPECT_TRUE(qt::ReadFile(raw) == rgb) << name;
    }
    EXPECT_EQ(qt::ReadFile(Out("timeline.txt")).rfind("window QMT_NLETimelineWnd 400x120\nfill 0 0 400 120 #121216\n", 0), 0u);

    // A picture that cannot be written is named.
    std::string err;
    host.AddRectangle("NLE1", 400, 120);
    ASSERT_TRUE(Run("QMT_TimelineCreate", {"NLE1", ""}));
    host.RunScript("Capture NLE1 \"/nonexistent/dir/x.bmp\"\n", &out, &err);
    EXPECT_EQ(err, "line 1: cannot write /nonexistent/dir/x.bmp");
}
