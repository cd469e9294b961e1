// Turning a timeline into one video: the clip lists a render reads and the
// command lines of its two paths.
#pragma once
#include <string>
#include "timeline/timeline_model.h"

struct ClipRef {
    int track;
    int slot;
};

const int kMaxRenderRefs = kNleTrackCount * kNleMaxClips;

struct RenderLists {
    ClipRef main[kMaxRenderRefs];
    int mainCount;
    ClipRef effects[kMaxRenderRefs];
    int effectCount;
    ClipRef texts[kMaxRenderRefs];
    int textCount;
    ClipRef mix[kMaxRenderRefs];
    int mixCount;
    ClipRef overlays[kMaxRenderRefs];
    int overlayCount;
};

// Fills the lists in track and slot order; main is then sorted by start.
void GatherRenderLists(const NleTimeline& tl, RenderLists& lists);
inline const NleClip& RefClip(const NleTimeline& tl, ClipRef r) { return tl.tracks[r.track].clips[r.slot]; }

// The single-clip command: effects, texts, the clip's own fade, V2 overlays.
std::string OneCommandArguments(const NleTimeline& tl, const RenderLists& lists, const std::string& output);
// The filter chain of main clip i scaled to width x height.
std::string SegmentChain(const NleTimeline& tl, const RenderLists& lists, int i, int width, int height);
// "WxH" from ffprobe, rounded down to even; 1920x1080 when either is missing.
void ParseFrameSize(const std::string& answer, int& width, int& height);
// The transition between two neighbouring main clips; false for a plain cut.
bool ChooseJoinTransition(const NleClip& previous, const NleClip& current, std::string& name, double& duration);

// Action 212.
void RenderTimelineAction(const std::string& rectName, const std::string& outputPath);
