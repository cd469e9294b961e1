// The time-limited filter fragments a render puts into a clip's chain: an
// effect enabled over a window, and a drawtext overlay.
#pragma once
#include <string>
#include "timeline/timeline_model.h"

// The effect's filter with its enable window; a colon joins when the filter
// already has options, an equals sign otherwise.
std::string TimedEffect(const std::string& filter, double from, double to);
// The text as drawtext reads it inside a quoted option, cut at 508 characters.
std::string EscapeDrawText(const std::string& text);
// The position expression of textX / textY: -1 centres, -2 keeps 20 px from the far edge.
std::string TextPosition(int value, bool horizontal);
// A text clip as drawtext, limited to the window when it is a real one.
std::string BuildDrawText(const NleClip& clip, double from, double to);
// Appends a fragment to a chain with ",", keeping the chain under 4096 bytes.
void AppendFragment(std::string& chain, const std::string& fragment);
