// Pictures of the native windows: the picture painter's pixels for each
// drawing call (fills, pens and their end points, dashes, the hatch brush,
// triangles, text in its box, bitmaps loaded from BMP files), and the BMP
// and PNG files it writes.
#include <gtest/gtest.h>
#include <cstdio>
#include <set>
#include <string>
#include <thread>
#include <vector>
#include "host/window_frame.h"
#include "hostsim/draw_log_picture.h"
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

TEST_F(PictureTest, FillAndSolidFramesCoverTheirBoxOnly) {
    painter.Fill(Box{10, 5, 20, 9}, kInk);
    EXPECT_EQ(InkCount(), 40);
    ExpectBox(Ink(), Box{10, 5, 20, 9});
    painter.Fill(Box{-5, -5, 2, 2}, kInk);  // cut at the picture's edge
    EXPECT_EQ(At(0, 0), kInk);
    picture = BlankPicture(64, 48, kBack);
    painter.Frame(Box{30, 20, 40, 30}, 2, kInk);
    ExpectBox(Ink(), Box{30, 20, 40, 30});
    EXPECT_EQ(At(31, 25), kInk);
    EXPECT_EQ(At(32, 25), kBack);
    EXPECT_EQ(At(38, 29), kInk);
    EXPECT_EQ(InkCount(), 100 - 36);
}

TEST_F(PictureTest, LinesStopBeforeTheirEndPoint) {
    // A two-pixel pen straddles the line and ends flat at both end points.
    painter.Line(Point{10, 10}, Point{20, 10}, 2, kInk);
    ExpectBox(Ink(), Box{10, 9, 20, 11});
    EXPECT_EQ(InkCount(), 20);
    painter.Line(Point{40, 5}, Point{40, 15}, 2, kInk);
    EXPECT_EQ(At(39, 5), kInk);
    EXPECT_EQ(At(40, 14), kInk);
    EXPECT_EQ(At(40, 15), kBack);
    EXPECT_EQ(At(41, 10), kBack);
    picture = BlankPicture(64, 48, kBack);
    painter.Line(Point{5, 30}, Point{15, 40}, 1, kInk);  // one pixel wide: the end point is not drawn
    EXPECT_EQ(InkCount(), 10);
    EXPECT_EQ(At(5, 30), kInk);
    EXPECT_EQ(At(14, 39), kInk);
    EXPECT_EQ(At(15, 40), kBack);
}

TEST_F(PictureTest, DashedAndDottedPensLeaveGaps) {
    // Dots three on, three off, carried round the corners; wide pens dot
    // as one-pixel pens.
    painter.Frame(Box{0, 0, 40, 10}, 3, kInk, kDottedLine);
    for (int x = 0; x < 12; ++x) EXPECT_EQ(At(x, 0), x % 6 < 3 ? kInk : kBack) << x;
    EXPECT_EQ(At(0, 1), kBack);
    EXPECT_EQ(At(1, 1), kBack);
    // The top edge ends at x 38; the right edge goes on with pattern steps 39, 40, ...
    for (int y = 0; y < 9; ++y) EXPECT_EQ(At(39, y), (39 + y) % 6 < 3 ? kInk : kBack) << y;
    picture = BlankPicture(64, 48, kBack);
    painter.Line(Point{0, 20}, Point{60, 20}, 1, kInk, kDashedLine);
    for (int x = 0; x < 60; ++x) EXPECT_EQ(At(x, 20), x % 24 < 18 ? kInk : kBack) << x;
}

TEST_F(PictureTest, HatchIsADiagonalCrossEveryEightPixels) {
    painter.Hatch(Box{0, 0, 16, 16}, kInk);
    auto row = [this](int y) {
        std::string s;
        for (int x = 0; x < 16; ++x) s += At(x, y) == kInk ? '#' : '.';
        return s;
    };
    EXPECT_EQ(row(0), "#......##......#");
    EXPECT_EQ(row(3), "...##......##...");
    EXPECT_EQ(row(8), row(0));
    EXPECT_EQ(InkCount(), 16 * 4);  // the gaps keep what was there
}

TEST_F(PictureTest, TrianglesFillInsideTheirCorners) {
    painter.Triangle(Point{10, 10}, Point{30, 10}, Point{10, 30}, kInk);
    EXPECT_EQ(At(12, 12), kInk);
    EXPECT_EQ(At(10, 10), kInk);
    EXPECT_EQ(At(19, 19), kInk);  // on the long edge
    EXPECT_EQ(At(22, 22), kBack);
    EXPECT_EQ(At(9, 20), kBack);
    EXPECT_EQ(At(20, 9), kBack);
    ExpectBox(Ink(), Box{10, 10, 31, 31});
}

TEST_F(PictureTest, TextStaysInItsBox) {
    FontSpec font{"Segoe UI", 11, false};
    painter.Text(Box{10, 10, 60, 30}, "Hi", font, kInk, kTextCentred);
    Box ink = Ink();
    EXPECT_GT(InkCount(), 10);
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.right, 60);
    EXPECT_GE(ink.top, 10);
    EXPECT_LE(ink.bottom, 30);
    EXPECT_NEAR((ink.left + ink.right) / 2, 35, 2);  // centred both ways
    EXPECT_NEAR((ink.top + ink.bottom) / 2, 20, 2);
    int regular = InkCount();
    picture = BlankPicture(64, 48, kBack);
    painter.Text(Box{10, 10, 60, 30}, "Hi", FontSpec{"Segoe UI", 11, true}, kInk, kTextCentred);
    EXPECT_GT(InkCount(), regular);  // bold strokes are doubled

    // Too long for its box: clipped, cut with "...", or wrapped and cut at the bottom.
    for (TextLayout layout : {kTextCentred, kTextEllipsis, kTextWrapped}) {
        picture = BlankPicture(64, 48, kBack);
        painter.Text(Box{4, 4, 40, 20}, "Quillmont timeline window with a long title", font, kInk, layout);
        ink = Ink();
        EXPECT_GT(InkCount(), 20) << layout;
        EXPECT_GE(ink.left, 4) << layout;
        EXPECT_LE(ink.right, 40) << layout;
        EXPECT_GE(ink.top, 4) << layout;
        EXPECT_LE(ink.bottom, 20) << layout;
    }
    EXPECT_EQ(ink.top, 4 + 2);  // wrapped text starts at the top; the second line is cut at the bottom
    EXPECT_GE(ink.bottom, 18);
    // The ellipsis: its three dots end the line inside the box.
    picture = BlankPicture(64, 48, kBack);
    painter.Text(Box{0, 0, 40, 11}, "abcdefghijkl", font, kInk, kTextEllipsis);
    EXPECT_EQ(PictureTextWidth(font, "abc..."), 35);
    EXPECT_EQ(At(31, 8), kInk);  // the last dot, two pixels square from row 7
    EXPECT_LE(Ink().right, 35);
    // Top-left text is not clipped.
    picture = BlankPicture(64, 48, kBack);
    painter.Text(Box{0, 0, 10, 5}, "wide text", font, kInk, kTextTopLeft);
    EXPECT_GT(Ink().right, 40);
    EXPECT_GT(Ink().bottom, 5);
}

TEST_F(PictureTest, RecordedCallsPaintAsTheirPainterCalls) {
    HwDrawCall call = {};
    snprintf(call.kind, sizeof call.kind, "text");
    call.left = 2, call.top = 2, call.right = 60, call.bottom = 40;
    call.colour = kInk;
    call.style = kTextWrapped;
    snprintf(call.font, sizeof call.font, "Segoe UI 11 bold");
    snprintf(call.text, sizeof call.text, "Clip A");
    DrawRecordedCall(picture, call);
    Picture direct = BlankPicture(64, 48, kBack);
    PicturePainter(direct).Text(Box{2, 2, 60, 40}, "Clip A", FontSpec{"Segoe UI", 11, true}, kInk, kTextWrapped);
    EXPECT_EQ(picture.pixels, direct.pixels);
    EXPECT_GT(InkCount(), 20);
}

TEST_F(PictureTest, BitmapsLoadFromBmpFilesAndStretch) {
    std::string dir = qt::MakeTempDir("picture");
    // 24-bit bottom-up: red on the left, blue on the right.
    auto halves = [](int x, int) { return x < 2 ? Rgb(255, 0, 0) : Rgb(0, 0, 255); };
    std::string path = MakeBmp(dir + "/halves.bmp", 4, 2, 24, false, halves);
    BitmapHandle bitmap = LoadFrameBitmap(path, 8, 4);
    ASSERT_NE(bitmap, kNoBitmap);
    remove(path.c_str());  // the workers delete the file once it is loaded
    painter.Bitmap(Box{10, 10, 30, 30}, bitmap, kBitmapCopy);  // unscaled: 8x4 pixels
    ExpectBox(Ink(), Box{10, 10, 18, 14});
    EXPECT_EQ(At(13, 13), Rgb(255, 0, 0));
    EXPECT_EQ(At(14, 10), Rgb(0, 0, 255));
    picture = BlankPicture(64, 48, kBack);
    painter.Bitmap(Box{0, 0, 2, 2}, bitmap, kBitmapStretch);
    EXPECT_EQ(At(0, 0), Rgb(255, 0, 0));
    EXPECT_EQ(At(1, 1), Rgb(0, 0, 255));
    EXPECT_EQ(At(2, 0), kBack);
    painter.Bitmap(Box{10, 0, 11, 1}, bitmap, kBitmapStretch);  // one pixel: the average of both halves
    EXPECT_EQ(At(10, 0), Rgb(128, 0, 128));
    DeleteFrameBitmap(bitmap);
    int w = 0, h = 0;
    EXPECT_EQ(hwGetBitmap(HandleBits(bitmap), &w, &h, nullptr), 0);

    // 32-bit top-down and 24-bit bottom-up (rows padded to four bytes) land the same way up.
    auto gradient = [](int x, int y) { return Rgb(x * 40, y * 60, 7); };
    for (bool topDown : {true, false}) {
        Picture read;
        ASSERT_TRUE(ReadBmpFile(MakeBmp(dir + "/g.bmp", 5, 3, topDown ? 32 : 24, topDown, gradient), read, nullptr));
        EXPECT_EQ(read.width, 5);
        EXPECT_EQ(read.height, 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x) EXPECT_EQ(read.pixels[y * 5 + x], gradient(x, y)) << x << "," << y;
    }
    // Other kinds of BMP are refused with a reason.
    Picture read;
    std::string why;
    std::string eight = MakeBmp(dir + "/eight.bmp", 4, 4, 24, false, gradient);
    std::string bytes = qt::ReadFile(eight);
    bytes[28] = 8;
    FILE* f = fopen(eight.c_str(), "wb");
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
    EXPECT_FALSE(ReadBmpFile(eight, read, &why));
    EXPECT_EQ(why, "only uncompressed 24-bit and 32-bit BMP files are read");
    EXPECT_EQ(LoadFrameBitmap(eight, 8, 8), kNoBitmap);
    qt::RemoveTree(dir);
}

TEST(PictureBitmaps, WorkersLoadAtTheSameTime) {
    std::string dir = qt::MakeTempDir("picture_threads");
    std::string path = MakeBmp(dir + "/t.bmp", 32, 18, 32, true, [](int x, int y) { return Rgb(x * 8, y * 14, 99); });
    int before = hwBitmapCount();
    std::vector<BitmapHandle> handles(4 * 25, kNoBitmap);
    std::vector<std::thread> workers;
    for (int t = 0; t < 4; ++t)
        workers.emplace_back([&, t] {
            for (int i = 0; i < 25; ++i) handles[t * 25 + i] = LoadFrameBitmap(path, 16 + i, 9 + t);
        });
    for (std::thread& w : workers) w.join();
    EXPECT_EQ(hwBitmapCount(), before + 100);
    EXPECT_EQ(std::set<BitmapHandle>(handles.begin(), handles.end()).size(), 100u);
    int width = 0, height = 0;
    ASSERT_TRUE(hwGetBitmap(HandleBits(handles[3 * 25 + 4]), &width, &height, nullptr));
    EXPECT_EQ(width, 20);
    EXPECT_EQ(height, 12);
    for (BitmapHandle h : handles) DeleteFrameBitmap(h);
    EXPECT_EQ(hwBitmapCount(), before);
    qt::RemoveTree(dir);
}
