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

// The picture every segment is brought to: the first main clip's size and frame rate.
struct SegmentFormat {
    int width, height;
    int rateNum, rateDen;
};

// A speed effect ("setpts=2.0*PTS") over the single clip needs the segment
// path, which gives its sound the same change.
bool NeedsSegmentPath(const NleTimeline& tl, const RenderLists& lists);
// The single-clip command: effects, texts, the clip's own fade, V2 overlays.
// False with `error` naming the clip that cannot be included.
bool OneCommandArguments(const NleTimeline& tl, const RenderLists& lists, const std::string& output,
                         std::string& args, std::string& error);
// The filter chain of main clip i scaled to the segment size; false with
// `error` naming the clip that does not fit into the chain.
bool SegmentChain(const NleTimeline& tl, const RenderLists& lists, int i, const SegmentFormat& format,
                  std::string& chain, std::string& error);
// The whole command that cuts main clip i into `segment`; `withAudio` tells
// whether the source has sound (silence is put in otherwise).
bool SegmentArguments(const NleTimeline& tl, const RenderLists& lists, int i, const SegmentFormat& format,
                      bool withAudio, const std::string& segment, std::string& args, std::string& error);
// Length of main clip i's segment: its duration in whole frames.
double SegmentLength(const NleClip& m, const SegmentFormat& format);
// "WxH" from ffprobe, rounded down to even; 1920x1080 when either is missing.
void ParseFrameSize(const std::string& answer, int& width, int& height);
// "num/den" from ffprobe; 25/1 when it is not a usable rate.
void ParseFrameRate(const std::string& answer, int& num, int& den);
// The xfade length of a join: at most 0.4 of the result so far and of the
// incoming segment, 0.5 when the nominal length gives less than 0.1.
double JoinLength(double nominal, double resultLength, double segmentLength);
// The transition between two neighbouring main clips; false for a plain cut.
bool ChooseJoinTransition(const NleClip& previous, const NleClip& current, std::string& name, double& duration);

// Action 212.
void RenderTimelineAction(const std::string& rectName, const std::string& outputPath);
