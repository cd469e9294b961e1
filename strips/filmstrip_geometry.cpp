#include "strips/filmstrip_geometry.h"
#include <cstdio>
#include <cstdlib>
#include "host/text_util.h"

int ThumbnailCount(double duration) {
    if (duration < 10) return 20;
    if (duration < 60) return 40;
    return kMaxThumbnails;
}

double ThumbnailTime(double duration, int index) { return (index + 1) * (duration / (ThumbnailCount(duration) + 1)); }

int InitialCellWidth(int height) {
    int w = height * 16 / 9;
    return w < 40 ? 40 : w;
}

int ZoomCellWidth(int baseWidth, int level) {
    static const double kFactors[] = {0.5, 0.75, 1.0, 1.5, 2.0};
    if (level < 1) level = 1;
    if (level > 5) level = 5;
    int w = static_cast<int>(baseWidth * kFactors[level - 1]);
    return w < 20 ? 20 : w;
}

static int ClampLevel(int level) { return level < 1 ? 1 : level > 5 ? 5 : level; }

int ParseZoomLevel(const std::string& text) { return ClampLevel(atoi(text.c_str())); }

int WheelZoomLevel(int level, int delta) { return ClampLevel(level + (delta > 0 ? 1 : -1)); }

int WheelFirstVisible(int firstVisible, int delta, int framesReady) {
    int step = delta / 120 * 3;
    int first = firstVisible - step;
    if (first < 0) first = 0;
    int last = framesReady - 1 > 0 ? framesReady - 1 : 0;
    return first > last ? last : first;
}

int FramePosition(double t, double duration, int framesReady) {
    double fraction = duration > 0 ? t / duration : 0;
    return static_cast<int>(fraction * (framesReady - 1));
}

int StripTimeX(double t, double duration, int framesReady, int firstVisible, int cellWidth, bool halfCell) {
    int x = (FramePosition(t, duration, framesReady) - firstVisible) * (cellWidth + 2);
    return halfCell ? x + cellWidth / 2 : x;
}

double PlayheadFraction(double positionMs, double duration) {
    if (!(duration > 0)) return 0;
    double f = positionMs / (duration * 1000.0);
    return f < 0 ? 0 : f > 1 ? 1 : f;
}

static int PlayheadFrame(double positionMs, double duration, int framesReady) {
    int frames = framesReady - 1 > 0 ? framesReady - 1 : 0;
    return static_cast<int>(PlayheadFraction(positionMs, duration) * frames);
}

int PlayheadX(double positionMs, double duration, int framesReady, int firstVisible, int cellWidth) {
    return (PlayheadFrame(positionMs, duration, framesReady) - firstVisible) * (cellWidth + 2) + cellWidth / 2;
}

int FollowFirstVisible(double positionMs, double duration, int framesReady, int cellWidth, int clientWidth) {
    int playhead = PlayheadFrame(positionMs, duration, framesReady);
    int visible = cellWidth <= 0 ? 1 : clientWidth / (cellWidth + 2);
    if (visible < 1) visible = 1;
    int first = playhead - visible / 2;
    if (first < 0) first = 0;
    if (first > framesReady - visible) first = framesReady - visible;
    return first < 0 ? 0 : first;
}

int PaintedCells(int clientWidth, int cellWidth) { return clientWidth / (cellWidth + 2) + 2; }

int ClickSeekMs(int x, int cellWidth, int framesReady, int firstVisible, double duration) {
    int cell = cellWidth + 2;
    if (framesReady < 1 || cell <= 0) return -1;
    int frame = (x & 0xFFFF) / cell + firstVisible;
    if (frame > framesReady - 1) frame = framesReady - 1;
    if (frame < 0) frame = 0;
    double fraction = framesReady < 2 ? 0 : static_cast<double>(frame) / (framesReady - 1);
    return static_cast<int>(fraction * duration * 1000.0);
}

std::string ThumbnailLabel(int index, double duration, int framesReady) {
    double t = framesReady < 2 ? 0 : index * duration / (framesReady - 1);
    int minutes = static_cast<int>(t / 60);
    int seconds = static_cast<int>(t) % 60;
    return minutes > 0 ? Fmt("%d:%02d", minutes, seconds) : Fmt("0:%02d", seconds);
}

Colour ParseMarkerColour(const std::string& text) {
    static const struct {
        const char* name;
        int r, g, b;
    } kColours[] = {{"red", 255, 50, 50},   {"green", 50, 220, 50},   {"blue", 80, 140, 255},
                    {"yellow", 255, 220, 40}, {"cyan", 0, 220, 220},   {"white", 255, 255, 255},
                    {"orange", 255, 160, 30}, {"magenta", 220, 50, 220}};
    for (const auto& c : kColours)
        if (EqualsNoCase(text, c.name)) return Rgb(c.r, c.g, c.b);
    unsigned r = 0, g = 0, b = 0;
    if (text.size() >= 7 && text[0] == '#' && sscanf(text.c_str() + 1, "%02x%02x%02x", &r, &g, &b) == 3)
        return Rgb(static_cast<int>(r), static_cast<int>(g), static_cast<int>(b));
    return Rgb(255, 220, 40);
}
