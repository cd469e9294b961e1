// The one FFplay preview process, shared by the filter previews and the
// timeline preview, and the timeline preview's play state that the player
// actions pause, resume and stop.
#pragma once
#include <cstdint>
#include <string>
#include "host/outcome.h"
#include "platform/platform.h"

// Both records below belong to the host's thread: the timeline preview's
// timer is a thread timer of that thread, so its ticks come in its message loop.
struct PreviewProcess {
    plat::ChildProcess child;   // the running non-blocking ffplay; child.process kNoProcess when none
    unsigned long processId;
    WindowHandle ffplayWindow;  // after re-parenting, else kNoWindow
};
extern PreviewProcess g_preview;

struct TimelinePreviewState {
    bool previewActive;
    bool previewPaused;
    int previewTimeline;           // -1 when none
    double previewStartPlayhead;   // seconds
    uint32_t previewStartTick;     // ms
    uint32_t previewPauseTick;     // ms
    uintptr_t previewTimer;        // 0 when none
};
extern TimelinePreviewState g_timelinePreview;

// Path of ffplay beside the located ffmpeg.
std::string FFplayPath();
// Runs ffplay hidden and waits until it ends.
Outcome LaunchFFplayBlocking(const std::string& arguments);
// Replaces the preview process with a new ffplay and, with a parent, takes
// its window in as a child.
Outcome LaunchFFplay(const std::string& arguments, WindowHandle parent);
// Ends a running preview process, waiting up to `waitMs`, and forgets it.
void EndPreviewProcess(unsigned long waitMs);
// Clears the timeline preview's play state, kills its timer and sets
// [QMT_PreviewMode] to "0".
void ResetTimelinePreview();
// The timeline preview is playing from `playhead` as of now, followed by a
// new 50 ms thread timer that calls `tick`; [QMT_PreviewMode] "1".
void BeginTimelinePreview(int timeline, double playhead, void (*tick)());
// The tick count the preview's playhead and its pauses are measured by.
uint32_t PreviewTickNow();
// Whether the timeline preview's ffplay window can take keys.
bool PreviewWindowLive();
