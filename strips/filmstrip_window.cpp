#include "strips/filmstrip_window.h"
#include "host/host_state.h"
#include "host/messages.h"
#include "host/report.h"
#include "platform/playback_os.h"
#include "playback/rectangle_lookup.h"
#include "strips/filmstrip_geometry.h"
#include "strips/filmstrip_paint.h"
#include "strips/filmstrip_record.h"
#include "strips/player_follow.h"
#include "strips/split_actions.h"

namespace {

// The strip a window was made for; null once the record has let go of it.
FrameStripRecord* StripOf(const FrameTarget& at) {
    return OwningRecord(FrameStripAt(at.slot), &FrameStripRecord::stripWindow, at);
}

void PaintStrip(const FrameTarget& at, Painter& painter, int width, int height) {
    FrameStripRecord* strip = StripOf(at);
    if (!strip) return;
    StripPaintInputs in = {};
    in.trim = ReadTrimPoints();
    in.playerFound = FollowedPosition(strip->playerRectName, in.positionMs);
    PaintFrameStrip(*strip, in, painter, width, height);
}

// A click on a split selects it; anywhere else it seeks the player to the
// frame under the pointer (without starting playback).
void PressStrip(const FrameTarget& at, const PointerInput& in) {
    FrameStripRecord* strip = StripOf(at);
    if (!strip || SelectSplitByClick(at.slot, in.x)) return;
    int ms;
    {
        plat::LockHold held(strip->lock);
        strip->selectedSplit = -1;
        ms = ClickSeekMs(in.x, strip->cellWidth, strip->framesReady, strip->firstVisible, strip->duration);
    }
    if (ms >= 0) SeekFollowed(strip->playerRectName, ms);
    SetHostVar("[QMT_SplitIndex]", "-1");
    InvalidateFrameWindow(at.window);
}

void WheelOverStrip(const FrameTarget& at, const WheelInput& in) {
    FrameStripRecord* strip = StripOf(at);
    if (!strip) return;
    WheelStrip(*strip, in.delta, in.ctrl);
    InvalidateFrameWindow(at.window);
}

// Keeps the playhead in the middle of the strip while a player exists, so
// manual scrolling lasts only until the next tick.
void FollowPlayer(const FrameTarget& at, int timerId) {
    if (timerId != kStripFollowTimerId) return;
    FrameStripRecord* strip = StripOf(at);
    if (!strip) {
        InvalidateFrameWindow(at.window);
        return;
    }
    double duration;
    int framesReady, cellWidth;
    {
        plat::LockHold held(strip->lock);
        duration = strip->duration;
        framesReady = strip->framesReady;
        cellWidth = strip->cellWidth;
    }
    double ms = 0;
    if (framesReady >= 1 && duration > 0 && FollowedPosition(strip->playerRectName, ms)) {
        int width = 0, height = 0;
        FrameClientSize(at.window, width, height);
        int first = FollowFirstVisible(ms, duration, framesReady, cellWidth, width);
        plat::LockHold held(strip->lock);
        strip->firstVisible = first;
    }
    InvalidateFrameWindow(at.window);
}

}  // namespace

const WindowKind kFrameStripWindowKind = {
    "QMT_FrameStripWnd",
    kCursorArrow,
    false,
    PaintStrip,
    PressStrip,
    nullptr,  // move
    nullptr,  // release
    nullptr,  // double-click
    nullptr,  // context menu
    nullptr,  // context command
    WheelOverStrip,
    nullptr,  // key
    FollowPlayer,
    nullptr,  // destroyed: the frame stops the follow timer
};

void FrameStripCreateAction(const ActionArgs& a) {
    std::string rectName = a.text(0), video = a.text(1), playerRect = a.text(2);
    // A name or path cut to its field would name another Rectangle or file.
    if (rectName.size() >= sizeof(FrameStripRecord::rectName) || playerRect.size() >= sizeof(FrameStripRecord::playerRectName)) {
        ReportError(msg::kRectangleNameTooLong);
        return;
    }
    if (video.size() >= sizeof(FrameStripRecord::videoPath)) {
        ReportError(msg::kVideoPathTooLong);
        return;
    }
    int existing = FindFrameStrip(rectName);
    if (existing >= 0) CloseFrameStrip(existing, kStripRecreateWaitMs);
    WindowHandle rect = FindRectangleWindow(rectName);
    if (!rect) {
        ReportError(msg::kNoRectangle);
        return;
    }
    int width = 0, height = 0;
    plat::ClientSize(rect, width, height);
    int slot = OpenFrameStrip(rectName, video, playerRect, rect, width, height);
    FrameStripRecord* strip = FrameStripAt(slot);
    if (!strip) {
        ReportError(msg::kFrameStripsFull);
        return;
    }
    strip->stripWindow = CreateFrameWindow(kFrameStripWindowKind, slot, rect);
    if (!strip->stripWindow) {
        CloseFrameStrip(slot, 0);
        ReportError(msg::kStripWindowFailed);
        return;
    }
    StartFrameTimer(strip->stripWindow, kStripFollowTimerId, kStripFollowPeriodMs);
    StartFrameStripExtraction(slot);
    ReportStatusWord(msg::kStripCreated);
}
