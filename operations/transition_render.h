// Cuts one video at split times and joins the pieces again with the listed
// transitions (xfade for the picture, acrossfade for the sound).
#pragma once
#include <string>
#include <vector>

// At most 32 times read from `text` (cut at "," and ";"), in the order given.
std::vector<double> ParseSplitTimes(const std::string& text);
// Reports its own progress, completion or error.
void RenderTransitions(const std::string& input, const std::string& splitTimes, const std::string& output);
