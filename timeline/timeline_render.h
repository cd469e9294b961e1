// Turning a timeline into one video: the clip lists a render reads and the
// command lines of its two paths.
#pragma once
#include <memory>
#include <string>
#include <vector>
#include "host/outcome.h"
#include "timeline/timeline_model.h"
#include "toolchain/command_builder.h"

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

// What the timeline held when a render or preview started: a copy of the
// record and its lists, taken under its lock. The window goes on editing the
// live record while ffmpeg runs (the runner dispatches messages meanwhile),
// so nothing after the start reads the live record.
struct TimelineSnapshot {
    NleTimeline tl;  // its lock is not copied
    RenderLists lists;
};
std::unique_ptr<TimelineSnapshot> SnapshotTimeline(NleTimeline& live);

// The picture every segment is brought to: the first main clip's size and frame rate.
struct SegmentFormat {
    int width, height;
    int rateNum, rateDen;
    const char* scaleFlags = "bicubic";  // a preview scales fast instead
};

// A main clip's own transition as a fade over a piece `length` seconds long:
// an exit ("out:") fades out at its end, an entry fades in from its start;
// the duration is `transInDur`, or 1 s when not above 0. "" without one.
std::string ClipFadeFragment(const NleClip& m, double length);
// A speed effect ("setpts=2.0*PTS") over the single clip needs the segment
// path, which gives its sound the same change.
bool NeedsSegmentPath(const NleTimeline& tl, const RenderLists& lists);
// The single-clip command: effects, texts, the clip's own fade, V2 overlays;
// refused naming the clip that cannot be included.
CommandOutcome OneCommandArguments(const NleTimeline& tl, const RenderLists& lists, const std::string& output);
// Every effect clip, then every text clip, that overlaps main clip m, each
// timed over its window from m's start (not before 0; not past m's end when
// `holdEnd`), appended to `chain`. `tag` keeps the labels of laid-over
// effects unique in a graph that holds several clips. Fails naming the clip
// that does not fit into the chain.
Outcome AppendOverlapping(const NleTimeline& tl, const RenderLists& lists, const NleClip& m, bool holdEnd,
                          std::string& chain, const std::string& tag = std::string());
// The filter chain of main clip i scaled to the segment size; fails naming
// the clip that does not fit into the chain.
Outcome SegmentChain(const NleTimeline& tl, const RenderLists& lists, int i, const SegmentFormat& format,
                     std::string& chain);
// Length of main clip i's segment: its duration in whole frames.
double SegmentLength(const NleClip& m, const SegmentFormat& format);
// The picture of a segment: starting at 0 (FFmpeg 4.1's concat takes a piece
// whose first frame comes late for a longer one), the clip's chain, then the
// one frame rate, 4:2:0 pictures and exactly the clip's length in whole
// frames, so xfade accepts any pair and every join knows the lengths it works with.
std::string SegmentPicture(const std::string& chain, const NleClip& m, const SegmentFormat& format);
// The size and frame rate of a file's picture, as ffprobe gives them.
SegmentFormat ProbeSegmentFormat(const std::string& file);
// "WxH" from ffprobe, rounded down to even; 1920x1080 when either is missing.
void ParseFrameSize(const std::string& answer, int& width, int& height);
// "num/den" from ffprobe; 25/1 when it is not a usable rate.
void ParseFrameRate(const std::string& answer, int& num, int& den);
// The xfade length of a join: at most 0.4 of the result so far and of the
// incoming segment, 0.5 when the nominal length gives less than 0.1.
double JoinLength(double nominal, double resultLength, double segmentLength);
// The transition between two neighbouring main clips; false for a plain cut.
bool ChooseJoinTransition(const NleClip& previous, const NleClip& current, std::string& name, double& duration);

// The main clips as one filter graph, so that a render or preview encodes
// every frame once: each clip's stretch of its source ("-ss -t -i", input i
// for main clip i) brought to `format` with its effects and titles, and, with
// sound, its sound to 44.1 kHz stereo of exactly the picture's length (silence
// for a source without any); then joined in start order with the transitions
// the clips ask for, each as long as the join rule gives for the result so far.
struct TimelineGraph {
    CommandOutcome inputs;
    std::string graph;
    std::string video, audio;  // labels of the joined result; audio "" when silent
    double length = 0;         // seconds
    int inputCount = 0;        // inputs in `inputs`; the next one added gets this number
};
// `hasAudio` tells for each main clip whether its source has sound; nullptr
// builds a silent graph (a preview). Fails naming a clip that cannot be
// included.
Outcome BuildTimelineGraph(const NleTimeline& tl, const RenderLists& lists, const SegmentFormat& format,
                           const std::vector<bool>* hasAudio, TimelineGraph& out);
// Whether ffprobe finds a sound stream in `file`.
bool SourceHasAudio(const std::string& file);

// Action 212.
void RenderTimelineAction(const std::string& rectName, const std::string& outputPath);
