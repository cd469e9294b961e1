#include "operations/join_graph.h"
#include <algorithm>
#include "host/text_util.h"

GraphJoin StartJoin(const std::string& video, const std::string& audio, int frames, int rateNum, int rateDen) {
    GraphJoin join;
    join.video = video;
    join.audio = audio;
    join.frames = frames;
    join.rateNum = rateNum;
    join.rateDen = rateDen;
    return join;
}

double JoinSeconds(const GraphJoin& join, int frames) {
    return frames * static_cast<double>(join.rateDen) / join.rateNum;
}

int JoinFrames(const GraphJoin& join, double seconds) {
    return static_cast<int>(seconds * join.rateNum / join.rateDen + 0.5);
}

void AppendStatement(std::string& graph, const std::string& statement) {
    if (statement.empty()) return;
    if (!graph.empty()) graph += ';';
    graph += statement;
}

namespace {

// The picture of a cross-fade: the result's last `fade` frames (from frame
// `from` on), moved to start at 0, fade into the piece (`frames` long); concat
// puts the result's frames before the fade in front. Both sides are padded
// and the fade cut to the piece's length, because xfade drops a frame where
// its first input ends with the fade and can stall where its second ends
// soon after it. setpts leaves the frame rate unknown in FFmpeg 7, whose
// xfade wants it: fps gives it back.
std::string CrossfadePicture(const GraphJoin& join, const std::string& video, const std::string& transition,
                             int from, int fade, int frames, int k) {
    std::string s = Fmt("%ssplit[xb%d][xt%d];[xb%d]trim=end_frame=%d[xbody%d];", join.video.c_str(), k, k, k, from, k);
    s += Fmt("[xt%d]trim=start_frame=%d,setpts=PTS-STARTPTS,fps=%d/%d,settb=AVTB,tpad=stop=-1:stop_mode=clone[xtail%d];",
             k, from, join.rateNum, join.rateDen, k);
    s += Fmt("%stpad=stop=-1:stop_mode=clone[xpiece%d];", video.c_str(), k);
    // xfade gives 4:4:4 from 4:2:0 pictures unless told otherwise.
    s += Fmt("[xtail%d][xpiece%d]xfade=transition=%s:duration=%.6f:offset=0,trim=end_frame=%d,format=yuv420p[xfade%d];",
             k, k, transition.c_str(), JoinSeconds(join, fade), frames, k);
    s += Fmt("[xbody%d][xfade%d]concat=n=2:v=1:a=0[jv%d]", k, k, k);
    return s;
}

}  // namespace

void JoinNext(GraphJoin& join, const std::string& video, const std::string& audio, int frames,
              const std::string& transition, int fadeFrames) {
    int k = join.steps++;
    int fade = std::min(fadeFrames, std::min(join.frames, frames) - 1);
    std::string joinedVideo = Fmt("[jv%d]", k), joinedAudio = join.audio.empty() ? "" : Fmt("[ja%d]", k);
    if (transition.empty() || fade < 1) {
        AppendStatement(join.graph, Fmt("%s%sconcat=n=2:v=1:a=0%s", join.video.c_str(), video.c_str(),
                                        joinedVideo.c_str()));
        if (!join.audio.empty())
            AppendStatement(join.graph, Fmt("%s%sconcat=n=2:v=0:a=1%s", join.audio.c_str(), audio.c_str(),
                                            joinedAudio.c_str()));
        join.frames += frames;
    } else {
        AppendStatement(join.graph, CrossfadePicture(join, video, transition, join.frames - fade, fade, frames, k));
        // The sound goes through acrossfade whole: it leaves the samples
        // outside the fade as they are.
        if (!join.audio.empty())
            AppendStatement(join.graph, Fmt("%s%sacrossfade=d=%.6f%s", join.audio.c_str(), audio.c_str(),
                                            JoinSeconds(join, fade), joinedAudio.c_str()));
        join.frames += frames - fade;
    }
    join.video = joinedVideo;
    join.audio = joinedAudio;
}
