// The host simulator's picture painter: the pixels of each solid drawing call
// (fills, pens and their end points, dashes, the hatch brush, triangles), and
// the BMP files its bitmaps are read from. Text is font-dependent and shown
// only by the pictures qmthost writes (integration window_picture_test).
#include <gtest/gtest.h>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>
#include "host/window_frame.h"
#include "hostsim/picture_painter.h"
#include "tests/support/test_support.h"

namespace {

const Colour kBack = Rgb(1, 2, 3), kInk = Rgb(250, 200, 40);

struct PictureTest : ::testing::Test {
    Picture picture = BlankPicture(64, 48, kBack);
    PicturePainter painter{picture};
    Colour At(int x, int y) const { return picture.pixels[static_cast<size_t>(y) * picture.width + x]; }
    // The smallest box holding every pixel that is not the background; empty when none is.
    Box Ink() const {
        Box b{picture.width, picture.height, 0, 0};
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x)
                if (At(x, y) != kBack) b = Box{std::min(b.left, x), std::min(b.top, y), std::max(b.right, x + 1),
                                               std::max(b.bottom, y + 1)};
        return b;
    }
    int InkCount() const {
        int n = 0;
        for (Colour c : picture.pixels) n += c != kBack;
        return n;
    }
};

void ExpectBox(const Box& got, const Box& want) {
    EXPECT_EQ(got.left, want.left);
    EXPECT_EQ(got.top, want.top);
    EXPECT_EQ(got.right, want.right);
    EXPECT_EQ(got.bottom, want.bottom);
}

// A BMP file made byte by byte: `bits` 24 or 32, rows stored top-down when
// `topDown`; pixel (x, y) is colour(x, y).
template <typename F>
std::string MakeBmp(const std::string& path, int width, int height, int bits, bool topDown, F colour) {
    int stride = (width * bits / 8 + 3) & ~3;
    std::string data;
    auto le = [&data](uint32_t v, int n) {
        for (int i = 0; i < n; ++i) data += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    data = "BM";
    le(54 + stride * height, 4);
    le(0, 4);
    le(54, 4);
    le(40, 4);
    le(width, 4);
    le(topDown ? -height : height, 4);
    le(1, 2);
    le(bits, 2);
    for (int i = 0; i < 6; ++i) le(0, 4);
    for (int row = 0; row < height; ++row) {
        int y = topDown ? row : height - 1 - row;
        size_t start = data.size();
        for (int x = 0; x < width; ++x) {
            Colour c = colour(x, y);
            data += static_cast<char>(BlueOf(c));
            data += static_cast<char>(GreenOf(c));
            data += static_cast<char>(RedOf(c));
            if (bits == 32) data += '\0';
        }
        data.append(stride - (data.size() - start), '\x7f');
    }
    FILE* f = fopen(path.c_str(), "wb");
    fwrite(data.data(), 1, data.size(), f);
    fclose(f);
    return path;
}

}  // namespace

// Each solid shape on a blank picture: the box its ink covers, how many
// pixels it inks, and landmark pixels inked (true) or left (false).
TEST_F(PictureTest, ShapesInkTheirPixelsOnly) {
    struct Pixel {
        int x, y;
        bool inked;
    };
    const struct {
        const char* what;
        std::function<void(PicturePainter&)> draw;
        Box ink;
        int count;
        std::vector<Pixel> pixels;
    } shapes[] = {
        {"fill", [](PicturePainter& p) { p.Fill(Box{10, 5, 20, 9}, kInk); }, {10, 5, 20, 9}, 40, {}},
        {"fill cut at the edge", [](PicturePainter& p) { p.Fill(Box{-5, -5, 2, 2}, kInk); }, {0, 0, 2, 2}, 4, {}},
        {"frame of 2", [](PicturePainter& p) { p.Frame(Box{30, 20, 40, 30}, 2, kInk); }, {30, 20, 40, 30}, 64,
         {{31, 25, true}, {32, 25, false}, {38, 29, true}}},
        // A two-pixel pen straddles the line and ends flat at both end points.
        {"line of 2", [](PicturePainter& p) { p.Line(Point{10, 10}, Point{20, 10}, 2, kInk); }, {10, 9, 20, 11}, 20, {}},
        {"upright line of 2", [](PicturePainter& p) { p.Line(Point{40, 5}, Point{40, 15}, 2, kInk); },
         {39, 5, 41, 15}, 20, {{40, 15, false}}},
        // One pixel wide: the end point is not drawn.
        {"diagonal line", [](PicturePainter& p) { p.Line(Point{5, 30}, Point{15, 40}, 1, kInk); }, {5, 30, 15, 40}, 10,
         {{14, 39, true}, {15, 40, false}}},
        {"triangle", [](PicturePainter& p) { p.Triangle(Point{10, 10}, Point{30, 10}, Point{10, 30}, kInk); },
         {10, 10, 31, 31}, -1, {{19, 19, true}, {22, 22, false}}},  // on the long edge, and past it
    };
    for (const auto& shape : shapes) {
        picture = BlankPicture(64, 48, kBack);
        shape.draw(painter);
        ExpectBox(Ink(), shape.ink);
        if (shape.count >= 0) EXPECT_EQ(InkCount(), shape.count) << shape.what;
        for (const Pixel& px : shape.pixels) EXPECT_EQ(At(px.x, px.y) == kInk, px.inked) << shape.what << " " << px.x;
    }
}

TEST_F(PictureTest, DashesDotsAndHatch) {
    // Dots three on, three off, carried round the corners; wide pens dot
    // as one-pixel pens.
    painter.Frame(Box{0, 0, 40, 10}, 3, kInk, kDottedLine);
    for (int x = 0; x < 12; ++x) EXPECT_EQ(At(x, 0), x % 6 < 3 ? kInk : kBack) << x;
    EXPECT_EQ(At(1, 1), kBack);
    // The top edge ends at x 38; the right edge goes on with pattern steps 39, 40, ...
    for (int y = 0; y < 9; ++y) EXPECT_EQ(At(39, y), (39 + y) % 6 < 3 ? kInk : kBack) << y;
    picture = BlankPicture(64, 48, kBack);
    painter.Line(Point{0, 20}, Point{60, 20}, 1, kInk, kDashedLine);
    for (int x = 0; x < 60; ++x) EXPECT_EQ(At(x, 20), x % 24 < 18 ? kInk : kBack) << x;
    // The hatch: a diagonal cross every eight pixels; the gaps keep what was there.
    picture = BlankPicture(64, 48, kBack);
    painter.Hatch(Box{0, 0, 16, 16}, kInk);
    auto row = [this](int y) {
        std::string s;
        for (int x = 0; x < 16; ++x) s += At(x, y) == kInk ? '#' : '.';
        return s;
    };
    EXPECT_EQ(row(0), "#......##......#");
    EXPECT_EQ(row(3), "...##......##...");
    EXPECT_EQ(row(8), row(0));
    EXPECT_EQ(InkCount(), 16 * 4);
}

// Frames come from ffmpeg as BMP files: 32-bit top-down and 24-bit bottom-up
// (rows padded to four bytes) land the same way up; other kinds are refused.
TEST(PictureBitmaps, BmpFilesReadTheRightWayUp) {
    std::string dir = qt::MakeTempDir("picture");
    auto gradient = [](int x, int y) { return Rgb(x * 40, y * 60, 7); };
    for (bool topDown : {true, false}) {
        Picture read;
        ASSERT_TRUE(ReadBmpFile(MakeBmp(dir + "/g.bmp", 5, 3, topDown ? 32 : 24, topDown, gradient), read, nullptr));
        ASSERT_EQ(read.pixels.size(), 15u);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x) EXPECT_EQ(read.pixels[y * 5 + x], gradient(x, y)) << x << "," << y;
    }
    Picture read;
    std::string why, bytes = qt::ReadFile(MakeBmp(dir + "/eight.bmp", 4, 4, 24, false, gradient));
    bytes[28] = 8;
    FILE* f = fopen((dir + "/eight.bmp").c_str(), "wb");
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
    EXPECT_FALSE(ReadBmpFile(dir + "/eight.bmp", read, &why));
    EXPECT_EQ(why, "only uncompressed 24-bit and 32-bit BMP files are read");
    qt::RemoveTree(dir);
}
