// The time-limited filter fragments a render puts into a clip's chain: an
// effect enabled over a window, and a drawtext overlay.
#pragma once
#include <string>
#include "timeline/timeline_model.h"

// The effect's filter with its enable window; a colon joins when the filter
// already has options, an equals sign otherwise. A speed change
// ("setpts=2.0*PTS") becomes a setpts expression over the window instead, and
// edgedetect, which takes grey pictures only, is laid over the window from a
// copy, under labels that begin with `tag`.
std::string TimedEffect(const std::string& filter, double from, double to, const std::string& tag = std::string());
// True for a filter of the form "setpts=<factor>*PTS" (a speed change).
bool SpeedEffectFactor(const std::string& filter, double& factor);
// The sound of a speed window: the part inside it is slowed (or sped up) by
// the same factor. `in` and `out` are the stage's labels, e.g. "[a0]";
// `stage` keeps its inner labels unique.
std::string SpeedWindowAudio(double factor, double from, double to, int stage, const std::string& in,
                             const std::string& out);
// The text as drawtext reads it inside a quoted option, at most 508 characters.
std::string EscapeDrawText(const std::string& text);
// The position expression of textX / textY: -1 centres, -2 keeps 20 px from the far edge.
std::string TextPosition(int value, bool horizontal);
// A text clip as drawtext, limited to the window when it is a real one.
std::string BuildDrawText(const NleClip& clip, double from, double to);
// Appends a fragment to a chain with ","; false (chain unchanged) when the
// chain would reach 4096 bytes.
bool AppendFragment(std::string& chain, const std::string& fragment);
