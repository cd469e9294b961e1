// The split points drawn over a filmstrip: a line with a diamond at each end
// per split, the selected one brighter and wider, the transition's name or
// "CUT", and the label of an inserted clip.
#pragma once
#include "host/painter.h"
#include "strips/filmstrip_paint.h"

// Takes the strip's lock while it reads the splits.
void PaintSplitLayer(FrameStripRecord& strip, const StripView& view, Painter& painter, int width, int height);
