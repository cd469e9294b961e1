// The timeline table: two timelines of six fixed tracks with 32 clip slots
// each, and the editing rules every action and the window share.
#pragma once
#include <cstdint>
#include <string>
#include "host/outcome.h"
#include "host/text_util.h"
#include "platform/platform.h"

typedef uint32_t NleColor;  // red in the low byte, as a Windows COLORREF
inline NleColor NleRgb(int r, int g, int b) {
    return static_cast<NleColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
inline int NleRed(NleColor c) { return c & 0xFF; }
inline int NleGreen(NleColor c) { return (c >> 8) & 0xFF; }
inline int NleBlue(NleColor c) { return (c >> 16) & 0xFF; }

const int kMaxTimelines = 2;
const int kNleTrackCount = 6;
const int kNleMaxClips = 32;
const double kNleMinZoom = 2.0;
const double kNleMaxZoom = 500.0;

enum TrackKind { kTrackMainVideo = 0, kTrackOverlay = 1, kTrackEffects = 2, kTrackText = 3, kTrackAudio = 4 };
enum ClipType { kClipVideo = 0, kClipImage = 1, kClipEffect = 2, kClipText = 3, kClipAudio = 4 };

struct NleClip {
    int inUse;
    int type;
    char label[64];
    char file[260];
    char filter[512];
    double start;
    double duration;
    double srcIn;
    double srcOut;
    char transIn[32];
    double transInDur;
    NleColor color;
    char text[256];
    int fontSize;
    NleColor textColor;
    int textX, textY;
    float opacity;
    int linkedTrack, linkedClip;
};

struct NleTrack {
    int inUse;
    char name[16];
    int kind;
    NleColor color;
    int visible;
    NleClip clips[kNleMaxClips];
    int clipCount;
};

// Host's thread only: every field is read and written by the actions, the
// window's messages and the preview's thread timer, which fires in that
// thread's message loop; no worker reaches a timeline. `lock` is held around
// each edit and around the render's snapshot all the same, so an edit stays
// whole should another thread ever read a timeline; today only the host's
// thread takes it.
struct NleTimeline {
    int inUse;
    WindowHandle rectWindow;
    WindowHandle window;
    char rectName[128];
    char playerRect[128];
    double viewLength;
    double zoom;
    int scrollX;
    NleTrack tracks[kNleTrackCount];
    int trackCount;
    int dragTrack, dragClip;
    int dragMode;
    int dragStartX;
    double dragOrigStart, dragOrigDuration, dragOrigSrcIn;
    bool dragMoved;
    double snapGuideTime;
    int snapGuideTicks;
    int selTrack, selClip;
    double playhead;
    bool snap;
    plat::Lock lock;
};

// Zeroed on first use; the slots live as long as the plug-in.
NleTimeline* TimelineTable();
NleTimeline* TimelineAt(int slot);

// Slot of the timeline in that Rectangle (case ignored), -1 when none.
int FindTimeline(const std::string& rectName);
// A zeroed timeline with its six tracks and creation values; no lock, no window.
void InitTimelineRecord(NleTimeline& tl, const std::string& rectName, const std::string& playerRect);
// Index of the track in use with that name (case ignored), -1 when none.
int FindTrack(const NleTimeline& tl, const std::string& name);
int FirstFreeSlot(const NleTrack& track);
// The clip at (track, clip) when both indexes are valid and the slot is in use.
NleClip* ClipAt(NleTimeline& tl, int track, int clip);
// The partner a clip's link names, when that slot is valid and in use.
NleClip* PartnerOf(NleTimeline& tl, const NleClip& clip);


// The label of a media clip added without one: the file's name.
std::string FileNameOfPath(const std::string& path);
// A fresh clip slot with the defaults of an added clip.
void ResetClip(NleClip& clip, int type, double start, double duration);
void ClearClip(NleTrack& track, int clip);
void ClearAllClips(NleTimeline& tl);
// Clears the clip and, when its link is valid and in use, the partner.
void RemoveClipWithPartner(NleTimeline& tl, int track, int clip);
void RecomputeViewLength(NleTimeline& tl);
int CountClips(const NleTimeline& tl);
// A transition typed "out:name" plays at the end of its clip, not the start.
extern const char kExitPrefix[];
bool IsExitTransition(const char* transIn);
double ClampZoom(double zoom);

// Split at the playhead (the selection is then on the right piece), or refused.
Outcome SplitAtPlayhead(NleTimeline& tl);
// Duplicates the selection after itself, giving the new slot, or refused.
Outcome DuplicateSelected(NleTimeline& tl, int& newSlot);

// Writes the selection variables from the record.
void PublishSelection(NleTimeline& tl);
// Reads a parameter the C library's way: the number at the start, else 0.
double ParamNumber(const std::string& text);
int ParamInt(const std::string& text);
