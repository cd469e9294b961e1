// The records of the interactive strips: filmstrips (with their markers and
// split points), waveforms, track-lane displays and overlay previews, each
// kept in a fixed table keyed by the name of the Rectangle that holds it.
// The window fields hold the handles of the windows the strips draw into;
// they stay kNoWindow where no window has been made.
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
    int inUse;
    WindowHandle rectWindow;   // the Rectangle's window
    WindowHandle stripWindow;  // the filmstrip's own window
    char rectName[128];
    char videoPath[260];
    char playerRectName[128];
    int framesReady;
    int cellWidth;
    int thumbHeight;
    double duration;
    BitmapHandle thumbnails[kMaxThumbnails];  // kNoBitmap = not extracted yet
    int firstVisible;
    int zoomLevel;
    int baseWidth;
    WorkerLink* worker;
    std::atomic<bool> extracting;
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
    int inUse;
    WindowHandle rectWindow;
    WindowHandle waveWindow;
    char rectName[128];
    char videoPath[260];
    char playerRectName[128];
    double duration;
    float peaks[kWaveformPeaks];
    int peakCount;
    WorkerLink* worker;
    std::atomic<bool> analysing;
    bool noSound;  // the source has no audio stream: there is nothing to analyse
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
    int inUse;
    WindowHandle rectWindow;
    WindowHandle laneWindow;
    char rectName[128];
    char playerRectName[128];
    double duration;
    LaneRecord lanes[kMaxLanes];
    int laneCount;
    WorkerLink* worker;
    std::atomic<bool> analysing;
    plat::Lock lock;
};

// ---- overlay preview ---------------------------------------------------------
const int kMaxOverlays = 2;

enum OverlayKind { kOverlayText = 0, kOverlayImage = 1 };

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

