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
// `from` on) and the piece's first, padded so that xfade never sees either
// end early (it drops a frame where its first input ends with the fade),
// then cut to exactly the fade. The rest of the piece follows it.
std::string CrossfadePicture(const GraphJoin& join, const std::string& video, const std::string& transition,
                             int from, int fade, int k) {
    const char* result = join.video.c_str();
    const char* piece = video.c_str();
    std::string s = Fmt("%ssplit[xb%d][xt%d];[xb%d]trim=end_frame=%d[xbody%d];", result, k, k, k, from, k);
    s += Fmt("[xt%d]trim=start_frame=%d,setpts=PTS-STARTPTS,tpad=stop=-1:stop_mode=clone[xtail%d];", k, from, k);
    s += Fmt("%ssplit[xh%d][xr%d];[xh%d]trim=end_frame=%d,tpad=stop=-1:stop_mode=clone[xhead%d];", piece, k, k, k,
             fade, k);
    s += Fmt("[xr%d]trim=start_frame=%d,setpts=PTS-STARTPTS[xrest%d];", k, fade, k);
    // xfade gives 4:4:4 from 4:2:0 pictures unless told otherwise.
    s += Fmt("[xtail%d][xhead%d]xfade=transition=%s:duration=%.6f:offset=0,trim=end_frame=%d,format=yuv420p[xfade%d];",
             k, k, transition.c_str(), JoinSeconds(join, fade), fade, k);
    s += Fmt("[xbody%d][xfade%d][xrest%d]concat=n=3:v=1:a=0[jv%d]", k, k, k, k);
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
        AppendStatement(join.graph, CrossfadePicture(join, video, transition, join.frames - fade, fade, k));
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
