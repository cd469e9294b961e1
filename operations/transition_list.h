// The author's list of up to 32 timecoded transitions, kept sorted by time
// for as long as the plug-in is loaded.
#pragma once
#include <string>

const int kMaxTransitions = 32;

struct TransitionEntry {
    double time;        // seconds from the start of the video
    char type[32];      // as the author typed it, first 31 characters
    double duration;    // seconds, 0.1 .. 5.0
    char easing[16];
    bool active;
};

enum TransitionAddResult { kTransitionAdded, kTransitionListFull, kTransitionBadType };

// Appends and re-sorts; `appendedIndex` receives the slot the entry was
// written to before sorting.
TransitionAddResult AddTransition(double time, const std::string& type, const std::string& durationText,
                                  int* appendedIndex);
bool RemoveTransition(int index);
void ClearTransitions();
int TransitionCount();
const TransitionEntry& TransitionAt(int index);
// "time,type,duration" per entry joined by ";".
std::string TransitionListText();
// Every accepted type name joined by ",".
std::string TransitionTypesText();
