// The filmstrip's own child window inside its Rectangle ("QMT_FrameStripWnd"),
// a kind of the window frame bound to the strip's table slot: it paints the
// strip, follows the player on its 200 ms timer, selects a split or seeks the
// player on a click, and scrolls or zooms on the wheel. The create action
// makes the record, the window, the timer and the worker together.
#pragma once
#include "host/dispatch.h"
#include "host/window_frame.h"

extern const WindowKind kFrameStripWindowKind;

const int kStripFollowPeriodMs = 200;  // timer kStripFollowTimerId (filmstrip_record.h)

void FrameStripCreateAction(const ActionArgs& a);  // 141 FSRect, VideoFile, PlayerRect
