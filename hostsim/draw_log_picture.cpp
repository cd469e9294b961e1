#include "hostsim/draw_log_picture.h"
#include <cctype>
#include <cstdlib>
#include <cstring>
#include "hostsim/picture_painter.h"

namespace {

std::string LowerEnding(const std::string& path) {
    std::string end = path.size() >= 4 ? path.substr(path.size() - 4) : "";
    for (char& c : end) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return end;
}

}  // namespace

void DrawRecordedCall(Picture& picture, const HwDrawCall& c) {
    PicturePainter painter(picture);
    Box box{c.left, c.top, c.right, c.bottom};
    LineStyle style = static_cast<LineStyle>(c.style);
    if (!strcmp(c.kind, "fill")) {
        painter.Fill(box, c.colour);
    } else if (!strcmp(c.kind, "frame")) {
        painter.Frame(box, c.width, c.colour, style);
    } else if (!strcmp(c.kind, "line")) {
        painter.Line(Point{c.left, c.top}, Point{c.right, c.bottom}, c.width, c.colour, style);
    } else if (!strcmp(c.kind, "hatch")) {
        painter.Hatch(box, c.colour);
    } else if (!strcmp(c.kind, "triangle")) {
        painter.Triangle(Point{c.points[0], c.points[1]}, Point{c.points[2], c.points[3]},
                         Point{c.points[4], c.points[5]}, c.colour);
    } else if (!strcmp(c.kind, "text")) {
        // The font was recorded as its face, height and weight: "Segoe UI 11 bold".
        std::string font = c.font;
        bool bold = font.size() >= 5 && font.compare(font.size() - 5, 5, " bold") == 0;
        if (bold) font.resize(font.size() - 5);
        size_t space = font.rfind(' ');
        int height = atoi(font.c_str() + (space == std::string::npos ? 0 : space + 1));
        std::string face = font.substr(0, space == std::string::npos ? 0 : space);
        painter.Text(box, c.text, FontSpec{face.c_str(), height, bold}, c.colour, static_cast<TextLayout>(c.style));
    } else if (!strcmp(c.kind, "bitmap")) {
        painter.Bitmap(box, BitmapHandle{c.bitmap}, static_cast<BitmapMode>(c.style));
    }
}

Picture PictureOfDrawLog(intptr_t window) {
    int width = 0, height = 0;
    hwGetClientSize(window, &width, &height);
    Picture picture = BlankPicture(width, height, 0);
    HwDrawCall call;
    for (int i = 0; hwGetDrawCall(window, i, &call); ++i) DrawRecordedCall(picture, call);
    return picture;
}

bool IsPicturePath(const std::string& path) {
    std::string end = LowerEnding(path);
    return end == ".bmp" || end == ".png";
}

bool WritePictureFile(const std::string& path, const Picture& picture) {
    return LowerEnding(path) == ".png" ? WritePngFile(path, picture) : WriteBmpFile(path, picture);
}
