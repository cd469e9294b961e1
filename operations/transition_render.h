// Cuts one video at split times and joins the pieces again with the listed
// transitions (xfade for the picture, acrossfade for the sound).
#pragma once
#include <string>
#include <vector>
#include "toolchain/command_builder.h"

// The xfade/acrossfade join of two files. xfade turns 4:2:0 input into
// 4:4:4, which a later stream-copy join cannot mix with 4:2:0 pieces and
// Windows' own H.264 decoder cannot play, so its picture is turned back into
// 4:2:0. `audioCodec` is "aac" for a file the author gets and "pcm_s16le"
// for a piece that is joined again: AAC pads every file's sound past its end,
// and each further join would carry that padding on as sound longer than picture.
// acrossfade ends its sound as soon as its second input has ended, even with
// the first still playing: FFmpeg 7 reads both files at once, so the short
// second piece often ended first and the join kept a fraction of a second of
// sound (4.1 and 5.1 read the second file only when asked). One sample of
// padding holds the second input open until acrossfade asks for it, after the
// first has ended; every version then joins the whole sound, one sample longer.
CommandOutcome XfadeJoinCommand(const std::string& first, const std::string& second, const std::string& type,
                                double length, double offset, const std::string& output, const char* audioCodec);

// At most 32 times read from `text` (cut at "," and ";"), in the order given.
std::vector<double> ParseSplitTimes(const std::string& text);
// The body of QMT_TransitionRender: reports its progress, then its outcome once.
void RenderTransitions(const std::string& input, const std::string& splitTimes, const std::string& output);
