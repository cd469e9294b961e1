#include "host/window_layout.h"
#include <algorithm>

bool BoxContains(const Box& b, int x, int y) { return x >= b.left && x < b.right && y >= b.top && y < b.bottom; }

Box InflateBox(const Box& b, int dx, int dy) { return Box{b.left - dx, b.top - dy, b.right + dx, b.bottom + dy}; }

Box ClipBox(const Box& b, const Box& bounds) {
    Box c{std::max(b.left, bounds.left), std::max(b.top, bounds.top), std::min(b.right, bounds.right),
          std::min(b.bottom, bounds.bottom)};
    if (c.right < c.left) c.right = c.left;
    if (c.bottom < c.top) c.bottom = c.top;
    return c;
}

bool BoxEmpty(const Box& b) { return b.right <= b.left || b.bottom <= b.top; }

int TimeToX(const TimeAxis& axis, double seconds) {
    return static_cast<int>(seconds * axis.pixelsPerSecond - axis.scroll) + axis.origin;
}

double XToTime(const TimeAxis& axis, int x) {
    if (axis.pixelsPerSecond <= 0) return 0;
    return std::max(0.0, (axis.scroll + x - axis.origin) / axis.pixelsPerSecond);
}

double ClampUnit(double fraction) { return fraction < 0 ? 0 : fraction > 1 ? 1 : fraction; }

int BandHeight(int clientHeight, int top, int count, int minHeight) {
    if (count <= 0) return minHeight;
    return std::max(minHeight, (clientHeight - top) / count);
}

Box BandBox(int clientWidth, int clientHeight, int left, int top, int count, int minHeight, int index) {
    int h = BandHeight(clientHeight, top, count, minHeight);
    return Box{left, top + index * h, clientWidth, top + (index + 1) * h};
}

int BandAt(int clientHeight, int top, int count, int minHeight, int y) {
    if (y < top || count <= 0) return -1;
    int k = (y - top) / BandHeight(clientHeight, top, count, minHeight);
    return k < count ? k : -1;
}

SpanHit HitSpan(int x, int x1, int x2, int grip) {
    if (x < x1 || x > x2) return kMissSpan;
    if (x <= x1 + grip) return kSpanLeftEdge;
    if (x >= x2 - grip) return kSpanRightEdge;
    return kSpanBody;
}
