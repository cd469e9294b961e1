// The "QMT_PROJECT 1.0" text file: a timeline's zoom and clips, written and
// read back line by line.
#pragma once
#include <string>
#include "timeline/timeline_model.h"

// The whole file text of a timeline.
std::string ProjectText(const NleTimeline& tl);
// Applies the lines after the magic line to a timeline whose clips have been
// cleared. Stops at a line that is exactly "END".
void ApplyProjectLine(NleTimeline& tl, const std::string& line, int& track, int& clip, bool& ended);
// Does the first line carry the magic?
bool IsProjectMagic(const std::string& firstLine);

// Actions 214 and 215.
void SaveProjectAction(const std::string& rectName, const std::string& path);
void LoadProjectAction(const std::string& rectName, const std::string& path);
