// The split points of a filmstrip: adding at a position, removing,
// clearing, transitions and inserted clips, the list text, and which split
// a click hits. Every function takes the strip's lock itself.
#pragma once
#include <string>
#include <vector>
#include "host/outcome.h"
#include "strips/strip_records.h"

// Before the player is asked: refused with "Max 20 splits reached." or "No
// video loaded.", else a split may go in.
Outcome SplitAddRefusal(FrameStripRecord& strip);
// Adds a split at p seconds, keeps the list sorted and selects it; or refused
// ("Split too close to start.", "... end.", "Split already exists near this position.").
Outcome AddSplitAt(FrameStripRecord& strip, double p);
// False when nothing is selected.
bool RemoveSelectedSplit(FrameStripRecord& strip);
void ClearSplits(FrameStripRecord& strip);
// "time,transition,duration" per split ("none" for a plain cut) joined by ";".
std::string SplitListText(FrameStripRecord& strip);
// A transition duration as typed: below 0.1 gives 1.0, above 5.0 gives 5.0.
double ClampSplitDuration(const std::string& text);

enum SplitTransitionEnd { kSplitEntry, kSplitExit };
// Sets (or with "" or "none" clears) the entry or exit transition of the
// selected split, or refuses; `noSelection` is the message for a missing
// selection.
Outcome SetSplitTransition(FrameStripRecord& strip, SplitTransitionEnd end, const std::string& type,
                           const std::string& durationText, const char* noSelection);
// Sets or (with "") clears the inserted clip of the selected split, or
// refuses; `isFile` tells whether the path names an existing file.
Outcome SetSplitInsertClip(FrameStripRecord& strip, const std::string& clip, bool isFile);

// The selected split, when there is one.
bool SelectedSplit(FrameStripRecord& strip, SplitRecord& split);
// The used split records, copied under the lock.
std::vector<SplitRecord> CopySplits(FrameStripRecord& strip);
// Index of the first split whose line is within 8 pixels of click x, -1 when
// none or when no frame is ready or the duration is unknown.
int SplitAtClick(FrameStripRecord& strip, int x);
// Selects split `index`.
void SelectSplit(FrameStripRecord& strip, int index);
