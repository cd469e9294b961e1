// Pure geometry the embedded window kinds share: boxes, a scrolled and zoomed
// time axis, bands stacked below a header, and the hit zones of a span. No
// windows, host calls or locks, so a kind's layout and hit-testing can be
// tested on plain numbers.
#pragma once
#include "host/painter.h"

bool BoxContains(const Box& box, int x, int y);
Box InflateBox(const Box& box, int dx, int dy);
// The part of `box` inside `bounds`; empty (zero width or height) when none.
Box ClipBox(const Box& box, const Box& bounds);
bool BoxEmpty(const Box& box);

// Time on a horizontal axis: x = trunc(t × pixelsPerSecond − scroll) + origin.
struct TimeAxis {
    double pixelsPerSecond;
    double scroll;  // pixels scrolled off at the left
    int origin;     // x of time 0 before scrolling (a header column's width)
};
int TimeToX(const TimeAxis& axis, double seconds);
// The time under x, never below 0.
double XToTime(const TimeAxis& axis, int x);
double ClampUnit(double fraction);  // held within 0..1

// Equal bands stacked from `top`: band k of `count` over the client height,
// each at least `minHeight` high, from x `left` to the client width.
int BandHeight(int clientHeight, int top, int count, int minHeight);
Box BandBox(int clientWidth, int clientHeight, int left, int top, int count, int minHeight, int index);
// The band under y, or -1.
int BandAt(int clientHeight, int top, int count, int minHeight, int y);

// Where x falls on a span x1..x2 with grips of `grip` pixels at its edges.
enum SpanHit { kMissSpan = 0, kSpanBody = 1, kSpanLeftEdge = 2, kSpanRightEdge = 3 };
SpanHit HitSpan(int x, int x1, int x2, int grip);
