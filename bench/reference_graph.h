// The reference a timeline render is measured against: the same main track
// (whole clips of one picture format with sound, a cross-fade or a plain cut
// at each join) written as one plain ffmpeg filter graph and encoded once
// with the render's encoder settings. The benchmark times it; a render test
// compares the plug-in's output with it frame by frame.
#pragma once
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

struct ReferenceClip {
    std::string file;
    double seconds;  // the clip's length, a whole number of frames
    double fade;     // nominal cross-fade into this clip, 0 for a cut
};

// ffmpeg's arguments (after "ffmpeg -y") that render `clips` (all at `fps`
// frames a second) into `output`. A cross-fade takes at most 0.4 of what has
// been joined before it.
inline std::vector<std::string> ReferenceArgs(const std::vector<ReferenceClip>& clips, int fps,
                                              const std::string& output) {
    auto num = [](const char* f, double v) {
        char buf[64];
        snprintf(buf, sizeof buf, f, v);
        return std::string(buf);
    };
    std::vector<std::string> args;
    std::string graph;
    for (size_t i = 0; i < clips.size(); ++i) {
        args.insert(args.end(), {"-t", num("%.3f", clips[i].seconds), "-i", clips[i].file});
        std::string n = std::to_string(i);
        // Each clip exactly its whole frames, and its sound exactly as long:
        // concat starts the next clip after the longer of the two streams, and
        // xfade drops a frame where its first input ends at the end of the
        // fade unless that input is padded past it.
        graph += "[" + n + ":v]format=yuv420p,tpad=stop=-1:stop_mode=clone,trim=end_frame=" +
                 std::to_string(static_cast<int>(clips[i].seconds * fps + 0.5)) + ",settb=AVTB[v" + n + "];[" + n +
                 ":a]aformat=sample_rates=44100:channel_layouts=stereo,apad,atrim=end=" +
                 num("%.3f", clips[i].seconds) + "[a" + n + "];";
    }
    // xfade works in 4:4:4 only, and the joined result passes through every
    // later xfade: nearest-neighbour conversions make that round trip lossless.
    graph = "sws_flags=neighbor;" + graph;
    std::string v = "[v0]", a = "[a0]";
    double length = clips[0].seconds;
    for (size_t i = 1; i < clips.size(); ++i) {
        std::string n = std::to_string(i), jv = "[jv" + n + "]", ja = "[ja" + n + "]";
        if (clips[i].fade > 0) {
            double t = std::min(clips[i].fade, 0.4 * length);
            graph += v + "[v" + n + "]xfade=transition=fade:duration=" + num("%.2f", t) +
                     ":offset=" + num("%.2f", length - t) + ",format=yuv420p" + jv + ";" + a + "[a" + n +
                     "]acrossfade=d=" + num("%.2f", t) + ja + ";";
            length += clips[i].seconds - t;
        } else {
            graph += v + a + "[v" + n + "][a" + n + "]concat=n=2:v=1:a=1" + jv + ja + ";";
            length += clips[i].seconds;
        }
        v = jv;
        a = ja;
    }
    graph.pop_back();
    args.insert(args.end(), {"-filter_complex", graph, "-map", v, "-map", a, "-c:v", "libx264", "-preset", "fast",
                             "-crf", "18", "-c:a", "aac", output});
    return args;
}

}  // namespace bench
