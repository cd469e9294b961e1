// The script-facing timeline operations other parts of the plug-in reuse.
#pragma once
#include <string>

// Adds one clip with action 202's rules and status reports; the new slot, or
// -1 after an error has been reported.
int AddTimelineClip(const std::string& rectName, const std::string& trackName, int type,
                    const std::string& fileOrFilter, const std::string& label, double start, double duration);
// Paints the timeline in that table slot at once.
void RedrawTimeline(int slot);

// Provided by their own files and registered with the other timeline actions.
void RenderTimelineAction(const std::string& rectName, const std::string& outputPath);
void PreviewTimelineAction(const std::string& rectName);
void SaveProjectAction(const std::string& rectName, const std::string& path);
void LoadProjectAction(const std::string& rectName, const std::string& path);
// Open a dialog, then add the picked effect or text at the playhead.
void PickEffectAction(const std::string& rectName);
void PickTextAction(const std::string& rectName);
