// Draws the plug-in's pictures at build time and writes them as BMP and ICO
// files for the resource compiler:
//   about_logo.bmp     bitmap 301, the about box's logo: a Q-shaped badge (a
//                      ring with a tail) framing two peaks, a sun and a film band
//   about_powered.bmp  bitmap 302, the "Powered by" plate: a play mark and
//                      "FFmpeg" in the plate's own pixel letters
//   editor_logo.bmp    bitmap 303, the badge small for the parameter editor
//   quillmont.ico      icon 101, the badge at 16, 32 and 48 pixels with alpha
// Shapes are tested per sample, 6 x 6 samples a pixel, so edges are smooth.
//   make_about_art OUTPUT_FOLDER
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Colour {
    float r, g, b, a;
};

Colour Hex(uint32_t rgb) {
    return {((rgb >> 16) & 255) / 255.0f, ((rgb >> 8) & 255) / 255.0f, (rgb & 255) / 255.0f, 1.0f};
}

Colour Mix(Colour a, Colour b, float t) {
    t = t < 0 ? 0 : t > 1 ? 1 : t;
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

// ---- shapes, in the picture's own units -------------------------------------
float Length(float x, float y) { return std::sqrt(x * x + y * y); }

// Distance from a point to the segment a-b.
float SegmentDistance(float px, float py, float ax, float ay, float bx, float by) {
    float vx = bx - ax, vy = by - ay;
    float t = ((px - ax) * vx + (py - ay) * vy) / (vx * vx + vy * vy);
    t = t < 0 ? 0 : t > 1 ? 1 : t;
    return Length(px - ax - vx * t, py - ay - vy * t);
}

// Inside the triangle a-b-c (either winding).
bool InTriangle(float px, float py, float ax, float ay, float bx, float by, float cx, float cy) {
    float d1 = (px - bx) * (ay - by) - (ax - bx) * (py - by);
    float d2 = (px - cx) * (by - cy) - (bx - cx) * (py - cy);
    float d3 = (px - ax) * (cy - ay) - (cx - ax) * (py - ay);
    bool negative = d1 < 0 || d2 < 0 || d3 < 0, positive = d1 > 0 || d2 > 0 || d3 > 0;
    return !(negative && positive);
}

bool InRoundedBox(float px, float py, float x0, float y0, float x1, float y1, float radius) {
    float cx = px < x0 + radius ? x0 + radius : px > x1 - radius ? x1 - radius : px;
    float cy = py < y0 + radius ? y0 + radius : py > y1 - radius ? y1 - radius : py;
    return px >= x0 && px <= x1 && py >= y0 && py <= y1 && Length(px - cx, py - cy) <= radius;
}

// ---- the badge, in a unit square ---------------------------------------------
const float kCx = 0.48f, kCy = 0.45f, kRadius = 0.40f, kRing = 0.065f;

Colour BadgeBody(float x, float y) { return Mix(Hex(0x22C1DC), Hex(0x7A4BDD), (x + y - 0.2f) / 1.5f); }

// The badge's colour at (x, y), or `background` outside it.
Colour Badge(float x, float y, Colour background) {
    float d = Length(x - kCx, y - kCy);
    const float tail[4] = {0.64f, 0.66f, 0.84f, 0.86f};
    float tailDistance = SegmentDistance(x, y, tail[0], tail[1], tail[2], tail[3]);
    Colour c = background;
    if (d <= kRadius) {
        if (d > kRadius - kRing) c = BadgeBody(x, y);
        else {
            // The window: sky, sun, two peaks with a shaded side, a film band.
            const float horizon = 0.64f, bandBottom = 0.76f;
            c = Mix(Hex(0x0B2140), Hex(0x2E7FB0), (y - 0.1f) / (horizon - 0.1f));
            if (Length(x - 0.64f, y - 0.27f) < 0.065f) c = Hex(0xFFB547);
            if (InTriangle(x, y, 0.38f, 0.24f, 0.08f, horizon, 0.68f, horizon))
                c = x < 0.38f + (y - 0.24f) * 0.25f ? Hex(0xF4F7FB) : Hex(0xB9C7DA);
            if (InTriangle(x, y, 0.63f, 0.39f, 0.44f, horizon, 0.86f, horizon))
                c = x < 0.63f - (y - 0.39f) * 0.1f ? Hex(0xE3EAF3) : Hex(0x9FB0C8);
            if (y >= horizon && y <= bandBottom) {
                c = Hex(0x15171D);
                float cell = std::fmod(x - 0.02f + 10.0f, 0.09f);
                if (InRoundedBox(cell, y, 0.02f, 0.675f, 0.065f, 0.725f, 0.01f)) c = Hex(0xE8EDF3);
            } else if (y > bandBottom) {
                c = Mix(Hex(0x2A3342), Hex(0x141821), (y - bandBottom) / 0.1f);
            }
        }
    }
    // The tail crosses the ring, parted from the window by a dark edge.
    if (tailDistance < 0.075f && d > kRadius - kRing - 0.02f) c = d <= kRadius ? Hex(0x05070A) : background;
    if (tailDistance < 0.055f) c = BadgeBody(x, y);
    return c;
}

// ---- the "Powered by" plate -------------------------------------------------
// Letters 5 cells wide and 9 high (rows 7 and 8 for descenders).
const char* const kLetters[][9] = {
    {"#####", "#....", "#....", "####.", "#....", "#....", "#....", ".....", "....."},  // F
    {".....", ".....", "##.#.", "#.#.#", "#.#.#", "#.#.#", "#.#.#", ".....", "....."},  // m
    {".....", ".....", "####.", "#...#", "#...#", "#...#", "####.", "#....", "#...."},  // p
    {".....", ".....", ".###.", "#...#", "#####", "#....", ".####", ".....", "....."},  // e
    {".....", ".....", ".####", "#...#", "#...#", "#...#", ".####", "....#", "####."},  // g
};
const int kWord[] = {0, 0, 1, 2, 3, 4};  // FFmpeg

// Plate of `w` x `h` pixels; (x, y) in pixels.
Colour Plate(float x, float y, int w, int h, Colour background) {
    const float cell = 3.0f, left = 50.0f, top = (h - 7 * cell) / 2.0f;
    Colour c = background;
    Colour edge = Mix(Hex(0x22C1DC), Hex(0x7A4BDD), x / w);
    if (InRoundedBox(x, y, 1, 1, w - 1.0f, h - 1.0f, 12) && !InRoundedBox(x, y, 3.5f, 3.5f, w - 3.5f, h - 3.5f, 9.5f))
        c = edge;
    // A play mark in a ring.
    float mx = 28, my = h / 2.0f, r = Length(x - mx, y - my);
    if (r < 14 && r > 11.5f) c = edge;
    if (InTriangle(x, y, mx - 4, my - 7, mx - 4, my + 7, mx + 7, my)) c = Hex(0xFFB547);
    int col = static_cast<int>(std::floor((x - left) / cell)), row = static_cast<int>(std::floor((y - top) / cell));
    if (x >= left && y >= top && row < 9 && col < 6 * 6) {
        int letter = col / 6, within = col % 6;
        if (within < 5 && kLetters[kWord[letter]][row][within] == '#') c = Hex(0xF4F7FB);
    }
    return c;
}

// ---- rendering and files -----------------------------------------------------
struct Image {
    int width, height;
    std::vector<Colour> pixels;  // top row first, straight (not premultiplied) alpha
};

template <typename Scene>
Image Render(int width, int height, Scene scene) {
    const int n = 6;
    Image image{width, height, {}};
    for (int py = 0; py < height; ++py)
        for (int px = 0; px < width; ++px) {
            float r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < n; ++sy)
                for (int sx = 0; sx < n; ++sx) {
                    Colour c = scene(px + (sx + 0.5f) / n, py + (sy + 0.5f) / n);
                    r += c.r * c.a, g += c.g * c.a, b += c.b * c.a, a += c.a;
                }
            Colour out = {0, 0, 0, a / (n * n)};
            if (a > 0) out.r = r / a, out.g = g / a, out.b = b / a;
            image.pixels.push_back(out);
        }
    return image;
}

// The badge drawn into a `size` square set in a `width` x `height` picture.
Image RenderBadge(int width, int height, int size, Colour background) {
    float ox = (width - size) / 2.0f, oy = (height - size) / 2.0f;
    return Render(width, height, [=](float x, float y) { return Badge((x - ox) / size, (y - oy) / size, background); });
}

uint8_t Byte(float v) { return static_cast<uint8_t>(std::lround((v < 0 ? 0 : v > 1 ? 1 : v) * 255)); }

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(v & 255);
    out.push_back((v >> 8) & 255);
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void PutInfoHeader(std::vector<uint8_t>& out, int width, int height, int bits, uint32_t imageSize) {
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(bits));
    Put32(out, 0);  // BI_RGB
    Put32(out, imageSize);
    Put32(out, 2835);  // 72 dpi
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && ok;
}

// 24-bit bottom-up BMP, alpha already flattened onto the background.
bool WriteBmp(const std::string& path, const Image& image) {
    int stride = (image.width * 3 + 3) & ~3;
    uint32_t imageSize = static_cast<uint32_t>(stride * image.height);
    std::vector<uint8_t> out;
    Put16(out, 0x4D42);
    Put32(out, 14 + 40 + imageSize);
    Put32(out, 0);
    Put32(out, 14 + 40);
    PutInfoHeader(out, image.width, image.height, 24, imageSize);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const Colour& c = image.pixels[static_cast<size_t>(y) * image.width + x];
            out.push_back(Byte(c.b));
            out.push_back(Byte(c.g));
            out.push_back(Byte(c.r));
        }
        out.resize(out.size() + (stride - image.width * 3), 0);
    }
    return WriteFile(path, out);
}

// ICO of 32-bit images with alpha, each with its AND mask.
bool WriteIco(const std::string& path, const std::vector<Image>& images) {
    std::vector<uint8_t> out, data;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(images.size()));
    uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
    for (const Image& image : images) {
        int maskStride = ((image.width + 31) / 32) * 4;
        uint32_t size = 40 + image.width * image.height * 4 + maskStride * image.height;
        out.push_back(static_cast<uint8_t>(image.width));
        out.push_back(static_cast<uint8_t>(image.height));
        out.push_back(0);
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, size);
        Put32(out, offset);
        offset += size;
        PutInfoHeader(data, image.width, image.height * 2, 32, 0);
        for (int y = image.height - 1; y >= 0; --y)
            for (int x = 0; x < image.width; ++x) {
                const Colour& c = image.pixels[static_cast<size_t>(y) * image.width + x];
                data.push_back(Byte(c.b));
                data.push_back(Byte(c.g));
                data.push_back(Byte(c.r));
                data.push_back(Byte(c.a));
            }
        for (int y = image.height - 1; y >= 0; --y) {
            std::vector<uint8_t> row(maskStride, 0);
            for (int x = 0; x < image.width; ++x)
                if (image.pixels[static_cast<size_t>(y) * image.width + x].a < 0.5f) row[x / 8] |= 0x80 >> (x % 8);
            data.insert(data.end(), row.begin(), row.end());
        }
    }
    out.insert(out.end(), data.begin(), data.end());
    return WriteFile(path, out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: make_about_art OUTPUT_FOLDER\n");
        return 2;
    }
    std::string dir = std::string(argv[1]) + "/";
    const Colour black = Hex(0x000000), transparent = {0, 0, 0, 0};
    const Colour buttonFace = Hex(0xF0F0F0);  // the editor's dialog background
    bool ok = WriteBmp(dir + "about_logo.bmp", RenderBadge(192, 180, 176, black)) &&
              WriteBmp(dir + "about_powered.bmp",
                       Render(160, 56, [](float x, float y) { return Plate(x, y, 160, 56, Hex(0x000000)); })) &&
              WriteBmp(dir + "editor_logo.bmp", RenderBadge(48, 48, 46, buttonFace)) &&
              WriteIco(dir + "quillmont.ico", {RenderBadge(16, 16, 16, transparent), RenderBadge(32, 32, 32, transparent),
                                               RenderBadge(48, 48, 48, transparent)});
    if (!ok) {
        fprintf(stderr, "make_about_art: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
