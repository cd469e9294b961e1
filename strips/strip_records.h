// The records of the interactive strips: filmstrips (with their markers and
// split points), waveforms, track-lane displays and overlay previews, each
// kept in a fixed table keyed by the name of the Rectangle that holds it.
// The window fields hold the handles of the windows the strips draw into;
// they stay kNoWindow where no window has been made.
//
// Lock rules. A filmstrip, a waveform and a track-lane display are shared by
// two threads: the host's thread (every action, every window message and
// timer) and the record's worker, which reaches it only through its
// WorkerLink while holding the link's guard (worker_link.h). Beside each
// field it says which of these holds:
//   host's thread only    no worker reads or writes it;
//   set before the worker starts
//                         written on the host's thread before the worker is
//                         started (or after it has been let go), read-only
//                         in between, so either thread reads it without a lock;
//   guarded by lock       read and written holding the record's `lock`; the
//                         one thread that writes such a field may read it
//                         without the lock.
// Locks are taken in this order: a link's guard, then its record's lock; a
// track-lane display's lock, then its linked filmstrip's. An overlay has no
// worker: all of it belongs to the host's thread, and so does its lock.
#pragma once
#include <atomic>
#include <cstdint>
#include <string>
#include "host/painter.h"
#include "platform/platform.h"

struct WorkerLink;  // a worker thread and what it may still reach (worker_link.h)

// ---- filmstrip ---------------------------------------------------------------
const int kMaxFrameStrips = 4;
const int kMaxThumbnails = 60;
const int kMaxMarkers = 50;
const int kMaxSplits = 20;

struct MarkerRecord {
    double time;
    Colour colour;
    char label[32];
    int inUse;
};

struct SplitRecord {
    double time;
    char transition[32];  // entry transition, "" = plain cut
    double transitionDuration;
    char insertClip[260];     // "" = none
    char exitTransition[32];  // from the inserted clip back, "" = cut
    double exitDuration;
    int inUse;
};

struct FrameStripRecord {
    int inUse;                 // host's thread only, as are the names below
    WindowHandle rectWindow;   // the Rectangle's window; host's thread only
    WindowHandle stripWindow;  // the filmstrip's own window; set before the worker starts
    char rectName[128];
    char videoPath[260];  // set before the worker starts
    char playerRectName[128];
    // Guarded by lock: the worker stores what it extracts, a zoom on the
    // host's thread sets the cell width it extracts at.
    int framesReady;
    int cellWidth;
    int thumbHeight;  // set before the worker starts
    double duration;
    BitmapHandle thumbnails[kMaxThumbnails];  // kNoBitmap = not extracted yet
    // Host's thread only: the view, the worker's handle, the markers and splits.
    int firstVisible;
    int zoomLevel;
    int baseWidth;
    WorkerLink* worker;
    std::atomic<bool> extracting;  // set before the worker starts; the worker clears it as its last step
    MarkerRecord markers[kMaxMarkers];
    int markerCount;
    SplitRecord splits[kMaxSplits];
    int splitCount;
    int selectedSplit;  // -1 = none
    plat::Lock lock;
};

// ---- waveform ----------------------------------------------------------------
const int kMaxWaveforms = 4;
const int kWaveformPeaks = 4000;

struct WaveformRecord {
    int inUse;  // host's thread only, as are the Rectangle's window and the names
    WindowHandle rectWindow;
    WindowHandle waveWindow;  // set before the worker starts
    char rectName[128];
    char videoPath[260];  // set before the worker starts
    char playerRectName[128];
    // Guarded by lock: the worker's results.
    double duration;
    float peaks[kWaveformPeaks];
    int peakCount;
    WorkerLink* worker;  // host's thread only
    std::atomic<bool> analysing;  // set before the worker starts; the worker clears it as its last step
    bool noSound;  // guarded by lock; the source has no audio stream: there is nothing to analyse
    // Host's thread only.
    Colour waveColour;
    Colour backColour;
    Colour playheadColour;
    plat::Lock lock;
};

// ---- track lanes -------------------------------------------------------------
const int kMaxTrackLanes = 2;
const int kMaxLanes = 4;
const int kLanePeaks = 2000;

enum LaneKind { kLaneVideo = 0, kLaneAudio = 1 };

// Guarded by the display's lock. The host's thread alone writes what a lane
// is (inUse, label, kind, colour, path, linkedStrip); its peaks and noSound
// are written by the thread that analyses it: the worker, or the host's
// thread for a lane added after the worker has stopped looking for lanes.
struct LaneRecord {
    int inUse;
    char label[16];
    int kind;
    Colour colour;
    char path[260];
    float peaks[kLanePeaks];
    int peakCount;
    int linkedStrip;  // filmstrip slot showing the same video, -1 = none
    int noSound;      // the lane's file has no audio stream
};

struct TrackLaneRecord {
    int inUse;  // host's thread only, as are the Rectangle's window and the names
    WindowHandle rectWindow;
    WindowHandle laneWindow;  // set before the worker starts
    char rectName[128];
    char playerRectName[128];
    // Guarded by lock: AddAudioLane adds lanes while the worker walks them.
    double duration;
    LaneRecord lanes[kMaxLanes];
    int laneCount;
    WorkerLink* worker;  // host's thread only
    // Set before the worker starts; cleared under lock by the worker once it
    // finds no further lane, so AddAudioLane knows whether to analyse its own.
    std::atomic<bool> analysing;
    plat::Lock lock;
};

// ---- overlay preview ---------------------------------------------------------
const int kMaxOverlays = 2;

enum OverlayKind { kOverlayText = 0, kOverlayImage = 1 };

// Host's thread only: no worker reaches an overlay.
struct OverlayRecord {
    int inUse;
    WindowHandle rectWindow;
    WindowHandle overlayWindow;
    char rectName[128];
    int kind;
    char text[256];
    int fontSize;
    Colour textColour;
    char fontName[64];
    char imagePath[260];
    BitmapHandle image;  // the loaded image's bitmap
    int imageWidth, imageHeight;
    float opacity;
    int x, y, w, h;  // the box, in the Rectangle's client pixels
    int refWidth, refHeight;
    bool dragging;
    int grabX, grabY;
    bool locked;
    plat::Lock lock;
};

// ---- the tables --------------------------------------------------------------
// Slot records; null for an index outside the table.
FrameStripRecord* FrameStripAt(int slot);
WaveformRecord* WaveformAt(int slot);
TrackLaneRecord* TrackLaneAt(int slot);
OverlayRecord* OverlayAt(int slot);

// First in-use slot whose Rectangle name matches, ASCII case ignored; -1 when none.
int FindFrameStrip(const std::string& rectName);
int FindWaveform(const std::string& rectName);
int FindTrackLane(const std::string& rectName);
int FindOverlay(const std::string& rectName);

// First free slot, -1 when the table is full. The first call of each clears
// the table, as the first create of its kind does.
int FreeFrameStripSlot();
int FreeWaveformSlot();
int FreeTrackLaneSlot();
int FreeOverlaySlot();

