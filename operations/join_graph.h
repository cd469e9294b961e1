// Joining pieces of one picture format inside one filter graph, so that a
// render encodes every frame once however many pieces it joins: a transition
// cross-fades (xfade, acrossfade) the end of what has been joined so far with
// the start of the next piece, a plain cut concatenates them. The pieces must
// already share size, frame rate, time base (AVTB) and 4:2:0 pictures, each be
// a whole number of frames long, and their sound (if any) be exactly as long
// as their picture.
//
// Only the frames inside a transition and the piece after it pass through
// xfade: it works in 4:4:4 or RGB only, and the result so far, taken through
// every later xfade, would lose colour detail to the conversion there and
// back once for every later transition.
#pragma once
#include <string>

// What has been joined so far: the graph's statements, the labels of the
// joined picture and sound, and its length.
struct GraphJoin {
    std::string graph;   // statements joined with ";", "" before the first join
    std::string video;   // e.g. "[v0]"
    std::string audio;   // "" when the pieces have no sound
    int frames = 0;      // length in frames
    int rateNum = 25, rateDen = 1;
    int steps = 0;       // joins made; numbers their labels
};

// Starts with the first piece, `frames` long at rateNum/rateDen frames a second.
GraphJoin StartJoin(const std::string& video, const std::string& audio, int frames, int rateNum, int rateDen);
// Seconds of `frames` frames at the join's rate.
double JoinSeconds(const GraphJoin& join, int frames);
// Whole frames nearest to `seconds` at the join's rate.
int JoinFrames(const GraphJoin& join, double seconds);
// Joins the next piece (its labels and length in frames) to the end of the
// result: with the xfade transition `transition` over the last `fadeFrames`
// frames of the result and the first of the piece, or with a plain cut when
// `transition` is empty. A fade is held to leave at least one frame of each
// side outside it; one that cannot is a cut.
void JoinNext(GraphJoin& join, const std::string& video, const std::string& audio, int frames,
              const std::string& transition, int fadeFrames);
// Appends a statement of the caller's own (a piece's chain, a mix) with ";".
void AppendStatement(std::string& graph, const std::string& statement);
