#include "strips/overlay_box.h"
#include <cstdio>
#include <cstdlib>
#include "host/host_state.h"
#include "host/text_util.h"

Colour ParseOverlayColour(const std::string& text) {
    static const struct {
        const char* name;
        int r, g, b;
    } kColours[] = {{"white", 255, 255, 255}, {"red", 255, 0, 0},    {"green", 0, 255, 0}, {"blue", 0, 100, 255},
                    {"yellow", 255, 255, 0},  {"cyan", 0, 255, 255}, {"black", 0, 0, 0}};
    for (const auto& c : kColours)
        if (EqualsNoCase(text, c.name)) return Rgb(c.r, c.g, c.b);
    unsigned r = 0, g = 0, b = 0;
    if (text.size() == 7 && text[0] == '#' && sscanf(text.c_str() + 1, "%02x%02x%02x", &r, &g, &b) == 3)
        return Rgb(static_cast<int>(r), static_cast<int>(g), static_cast<int>(b));
    return Rgb(255, 255, 255);
}

int OverlayFontSize(const std::string& text) {
    int size = atoi(text.c_str());
    return size < kMinOverlayFont ? 24 : size;
}

float OverlayOpacity(const std::string& text) {
    float opacity = static_cast<float>(atof(text.c_str()));
    if (!(opacity > 0)) return 0.5f;
    return opacity > 1 ? 1.0f : opacity;
}

void PlaceImageBox(OverlayRecord& o, int clientWidth, int clientHeight, const std::string& widthText) {
    plat::LockHold held(o.lock);
    o.w = atoi(widthText.c_str());
    if (o.w <= 0) o.w = 100;
    o.h = o.imageWidth > 0 ? static_cast<int>(static_cast<float>(o.imageHeight) / o.imageWidth * o.w) : o.w;
    o.x = clientWidth - o.w - 10;
    o.y = clientHeight - o.h - 10;
}

void FitTextBox(OverlayRecord& o, int textWidth, int textHeight) {
    plat::LockHold held(o.lock);
    o.w = textWidth + 8;
    o.h = textHeight + 4;
}

bool StartOverlayDrag(OverlayRecord& o, int mx, int my) {
    plat::LockHold held(o.lock);
    if (o.locked || mx < o.x - 5 || mx > o.x + o.w + 5 || my < o.y - 5 || my > o.y + o.h + 5) return false;
    o.dragging = true;
    o.grabX = mx - o.x;
    o.grabY = my - o.y;
    return true;
}

void DragOverlay(OverlayRecord& o, int mx, int my, int clientWidth, int clientHeight) {
    plat::LockHold held(o.lock);
    if (!o.dragging) return;
    o.x = mx - o.grabX;
    o.y = my - o.grabY;
    if (o.x < 0) o.x = 0;
    if (o.y < 0) o.y = 0;
    if (o.x + o.w > clientWidth) o.x = clientWidth - o.w;
    if (o.y + o.h > clientHeight) o.y = clientHeight - o.h;
}

bool WheelOverlay(OverlayRecord& o, int delta) {
    plat::LockHold held(o.lock);
    if (o.locked) return false;
    int step = delta > 0 ? 2 : -2;
    if (o.kind == kOverlayImage && o.imageWidth > 0 && o.imageHeight > 0) {
        o.w += 4 * step;
        if (o.w < 20) o.w = 20;
        o.h = o.w * o.imageHeight / o.imageWidth;
    } else if (o.kind == kOverlayText) {
        o.fontSize += step;
        if (o.fontSize < kMinOverlayFont) o.fontSize = kMinOverlayFont;
        if (o.fontSize > kMaxOverlayFont) o.fontSize = kMaxOverlayFont;
    }
    return true;
}

void UpdateOverlay(OverlayRecord& o, const std::string& text, const std::string& fontSizeText) {
    plat::LockHold held(o.lock);
    if (!text.empty()) SetField(o.text, text);
    if (!fontSizeText.empty()) {
        int size = atoi(fontSizeText.c_str());
        o.fontSize = size < kMinOverlayFont ? kMinOverlayFont : size;
    }
}

std::string OverlayLabel(const OverlayRecord& o) {
    return Fmt("%s X:%d Y:%d W:%d H:%d", o.locked ? "LOCKED" : "DRAG TO MOVE", o.x, o.y, o.w, o.h);
}

void PublishOverlayBox(OverlayRecord& o) {
    int x, y, w, h;
    {
        plat::LockHold held(o.lock);
        x = o.x, y = o.y, w = o.w, h = o.h;
    }
    SetHostVar("[OvX]", Fmt("%d", x));
    SetHostVar("[OvY]", Fmt("%d", y));
    SetHostVar("[OvW]", Fmt("%d", w));
    SetHostVar("[OvH]", Fmt("%d", h));
    SetHostVar("[OvVideoW]", Fmt("%d", o.refWidth));
    SetHostVar("[OvVideoH]", Fmt("%d", o.refHeight));
}
