// Rendering a video cut at a filmstrip's split points. Without transitions or
// inserted clips the re-encoded segments are joined as they are; otherwise a
// chain joins them one by one, with cross-fades and inserted clips.
#pragma once
#include <string>
#include <vector>
#include "strips/strip_records.h"

// The body of QMT_SplitRender: reports its progress, then its outcome once;
// the output is written only when the whole render succeeded.
void RenderSplits(const std::vector<SplitRecord>& splits, const std::string& input, const std::string& output);

// Transition length into (0.4) or between main segments (0.5) for a first
// part `length` seconds long: the smaller of the wanted and the share, 0.5
// when that comes below 0.1.
double CappedTransition(double wanted, double length, double share);
