// Draws one timeline through a Painter: ruler, lanes and clips with their
// transition markers, the playhead, the snap guide and the header column.
// The caller holds the record's lock; each paint uses up one of the snap
// guide's paints.
#pragma once
#include <string>
#include "host/painter.h"
#include "timeline/timeline_model.h"

void PaintTimelineRecord(NleTimeline& tl, Painter& painter, int width, int height);

// The text a clip shows: its label, else its text, else its filter.
std::string ClipCaption(const NleClip& clip);
// The caption of a clip's transition marker: ">> name 1.0s" on entry,
// "name 1.0s <<" for an exit ("out:name").
std::string TransitionCaption(const NleClip& clip);
