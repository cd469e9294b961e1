// Real renders through the DLL's actions with the Windows ffmpeg.exe
// (FFmpeg 4.1, which has no xfade), for a user called O'Brien whose
// temporary folder has a quote in it: the file operations, the timeline
// with cuts, an effect, titles, an overlay and music, a one-clip timeline, a
// saved and loaded project, a split render with an inserted clip and the
// export rows. Transitions must fail with the runner's message and a log
// that names xfade.
//
// Each ffprobe.exe costs seconds under Wine, so the outputs are not probed
// here: each one goes into render_manifest.txt in the work folder with what
// it must hold, and scripts/wine_tests.sh probes the list with the native
// ffprobe after the Wine session (scripts/probe_manifest.sh).
#include <cstdio>
#include <cstdlib>
#include "host/text_util.h"
#include "hostsim/dialog_driver.h"
#include "tests/wine/dialog_steps.h"
#include "tests/wine/wine_checks.h"

namespace {

// Streams must be as long as expected within a frame of the 25 fps clips.
// Where the sound coder's first and last frames count as well (no MP4 edit
// list hides its priming and padding: stream copies joined, MP3, other
// containers) they may add up to one more frame of the coder (1024 or 1152
// samples, 26 ms at 44.1 kHz).
const double kFrame = 0.04, kFrameAndCoderFrame = 0.07;

// What ffprobe must find in one file of the output folder: type:codec of
// every stream in order, the picture's size and pixel format ("-" without a
// picture), and the length of every stream (below 0 for a still picture).
struct Output {
    std::string file;
    std::string streams;
    std::string size;
    std::string pixfmt;
    double seconds;
    double tolerance;
};

Output AV(const std::string& file, double seconds, const std::string& size = "160x90", double tolerance = kFrame) {
    return {file, "video:h264,audio:aac", size, "yuv420p", seconds, tolerance};
}
// Stream copies joined: each piece brings the priming of its AAC stream.
Output Joined(const std::string& file, double seconds) { return AV(file, seconds, "160x90", kFrameAndCoderFrame); }
Output Sound(const std::string& file, const std::string& codec, double seconds, double tolerance = kFrame) {
    return {file, "audio:" + codec, "-", "-", seconds, tolerance};
}

struct Render {
    std::string action;
    std::vector<std::string> args;  // "@name" stands for that file of the output folder
    std::vector<Output> outputs;
};

class RenderSession {
public:
    explicit RenderSession(WineContext& ctx) : ctx(ctx), out_(ctx.work + "\\out\\") {
        CreateDirectoryA(out_.c_str(), nullptr);
    }
    std::string Out(const std::string& name) const { return out_ + name; }

    // Runs one action and checks that it completes; its outputs go into the manifest.
    bool Run(const std::string& action, std::vector<std::string> args, const std::vector<Output>& outputs) {
        for (std::string& a : args)
            if (!a.empty() && a[0] == '@') a = Out(a.substr(1));
        DWORD begin = GetTickCount();
        ctx.host.Call(action, args);
        printf("    %s %.1f s\n", action.c_str(), (GetTickCount() - begin) / 1000.0);
        bool done = Completed(action);
        if (done)
            for (const Output& o : outputs) List(o, action);
        return done;
    }

    // A failure shows the end of FFmpeg's own output from the failure log.
    bool Completed(const std::string& what) {
        std::string status = ctx.host.Var("[QMT_Status]"), error = ctx.host.Var("[QMT_Error]");
        std::string log = error.compare(0, 13, "FFmpeg failed") == 0 ? ReadAll(FailureLog()) : "";
        if (log.size() > 600) log = "..." + log.substr(log.size() - 600);
        Check(status == "Complete", what + ": " + status + " " + error + (log.empty() ? "" : "\n" + log));
        return status == "Complete";
    }

    void List(const Output& o, const std::string& what) {
        std::string seconds = o.seconds < 0 ? "-" : Fmt("%.3f", o.seconds);
        manifest_ += "out/" + o.file + "\t" + o.streams + "\t" + o.size + "\t" + o.pixfmt + "\t" + seconds + "\t" +
                     Fmt("%.3f", o.tolerance) + "\t" + what + "\n";
        ++listed_;
    }

    std::string FailureLog() const {
        char temp[MAX_PATH] = {0};
        GetTempPathA(MAX_PATH, temp);
        return std::string(temp) + "qmt_ffmpeg_fail.txt";
    }

    void WriteManifest() {
        std::string path = ctx.work + "\\render_manifest.txt";
        FILE* f = fopen(path.c_str(), "wb");
        Check(f && fwrite(manifest_.data(), 1, manifest_.size(), f) == manifest_.size(), "manifest written");
        if (f) fclose(f);
        printf("  %d outputs listed for ffprobe in %s\n", listed_, path.c_str());
        fflush(stdout);
    }

    WineContext& ctx;

private:
    std::string out_, manifest_;
    int listed_ = 0;
};

// Makes base\a\b\... one folder at a time; returns it with a trailing backslash.
std::string Folders(std::string path, const std::vector<std::string>& parts) {
    for (const std::string& part : parts) {
        path += "\\" + part;
        CreateDirectoryA(path.c_str(), nullptr);
    }
    return path + "\\";
}

const char kTitleOne[] = "It's 100%: C:\\x";
const char kTitleTwo[] = "50% 'off': a\\b";

// The file operations with FFmpeg 4.1, on a 2 s 160x90 clip with sound: those
// that write temporary files, use more than one input or filter graph, or
// pick encoders; the one-filter and plain-cut ones, whose exact command
// lines the native tests check, are represented by the -vf and -af rows here.
void FileOperations(RenderSession& s, const std::string& clip, const std::string& tone, const std::string& logo,
                    const std::string& subtitles) {
    const std::vector<Render> renders = {
        {"QMT_Trim", {clip, "0", "1", "@trim.mp4"}, {AV("trim.mp4", 1)}},
        {"QMT_RemoveSegment", {clip, "0.6", "1.2", "@removed.mp4"}, {Joined("removed.mp4", 1.4)}},
        {"QMT_Concat", {clip + ", " + s.Out("trim.mp4"), "@concat.mp4"}, {Joined("concat.mp4", 3)}},
        {"QMT_OverlayAdvanced", {clip, clip, "100", "50", "48", "0.5", "1.5", "@pip.mp4"}, {AV("pip.mp4", 2)}},
        {"QMT_MixAudio", {clip, tone, "0.5", "@mixed.mp4"}, {AV("mixed.mp4", 2)}},
        {"QMT_Speed", {clip, "0.25", "@slow.mp4"}, {AV("slow.mp4", 8)}},
        {"QMT_Speed", {clip, "4", "@fast.mp4"}, {AV("fast.mp4", 0.5)}},
        {"QMT_Resize", {clip, "80", "46", "@scaled.mp4"}, {AV("scaled.mp4", 2, "80x46")}},
        {"QMT_ExtractAudio", {clip, "wav", "@sound.wav"}, {Sound("sound.wav", "pcm_s16le", 2)}},
        {"QMT_ExtractAudio", {clip, "flac", "@sound.flac"}, {Sound("sound.flac", "flac", 2)}},
        {"QMT_ExtractAudio", {clip, "aac", "@sound.m4a"}, {Sound("sound.m4a", "aac", 2)}},
        {"QMT_ExtractAudio", {clip, "mp3", "@sound.mp3"}, {Sound("sound.mp3", "mp3", 2, kFrameAndCoderFrame)}},
        {"QMT_ExtractAudio", {clip, "ogg", "@sound.ogg"}, {Sound("sound.ogg", "vorbis", 2, kFrameAndCoderFrame)}},
        {"QMT_ExtractAudio", {clip, "opus", "@sound.opus"}, {Sound("sound.opus", "opus", 2, kFrameAndCoderFrame)}},
        {"QMT_ChromaKey", {clip, clip, "green", "0.2", "@chroma.mp4"}, {AV("chroma.mp4", 2)}},
        {"QMT_TextOverlay", {clip, kTitleOne, "14", "white", "4", "4", "@text.mp4"}, {AV("text.mp4", 2)}},
        {"QMT_Watermark", {clip, logo, "bottomright", "0.5", "@watermark.mp4"}, {AV("watermark.mp4", 2)}},
        {"QMT_BurnSubtitles", {clip, subtitles, "14", "FFFFFF", "@subtitles.mp4"}, {AV("subtitles.mp4", 2)}},
        {"QMT_FadeAudioOut", {clip, "0.5", "@afade_out.mp4"}, {AV("afade_out.mp4", 2)}},
        {"QMT_ContactSheet", {clip, "2", "2", "@sheet.jpg"},
         {{"sheet.jpg", "video:mjpeg", "640x360", "yuvj420p", -1, 0}}},
        {"QMT_ExtractGIF", {clip, "0.5", "1", "80", "10", "@part.gif"},
         {{"part.gif", "video:gif", "80x45", "bgra", 1, kFrame}}},
        {"QMT_Convert", {clip, "@converted.mkv"},
         {{"converted.mkv", "video:h264,audio:vorbis", "160x90", "yuv420p", 2, kFrameAndCoderFrame}}},
        {"QMT_Compress", {clip, "1", "@compressed.mp4"}, {AV("compressed.mp4", 2)}},
        {"QMT_Stabilize", {clip, "medium", "@stabilized.mp4"}, {AV("stabilized.mp4", 2)}},
        {"QMT_Reverse", {clip, "@reversed.mp4"}, {AV("reversed.mp4", 2)}},
    };
    for (const Render& r : renders) s.Run(r.action, r.args, r.outputs);
}

// Transitions need xfade, which FFmpeg 4.1 does not have: the render fails
// with the runner's message, and the log it points to names the filter.
void TransitionsNeedXfade(RenderSession& s, const std::string& clip) {
    HostSimulator& host = s.ctx.host;
    host.Call("QMT_TransitionAdd", {"1", "Dissolve", "0.5", "[Index]"});
    struct Refused {
        std::string action;
        std::vector<std::string> args;
        std::string message;  // "" for the runner's own
    };
    const std::vector<Refused> refused = {
        {"QMT_ConcatTransition", {clip, clip, "fade", "0.5", s.Out("xfade_concat.mp4")}, ""},
        {"QMT_TimelineRender", {"NLE1", s.Out("xfade_timeline.mp4")}, ""},
        {"QMT_TransitionRender", {clip, "1", s.Out("xfade_list.mp4")}, "Transition render failed."},
    };
    const std::string log = s.FailureLog();
    for (const Refused& r : refused) {
        DeleteFileA(log.c_str());
        host.Call(r.action, r.args);
        std::string error = host.Var("[QMT_Error]");
        bool runner =
            error.compare(0, 20, "FFmpeg failed (exit ") == 0 && error.find(")\nLog: " + log) != std::string::npos;
        Check(host.Var("[QMT_Status]") == "Error" && (r.message.empty() ? runner : error == r.message),
              r.action + " without xfade fails with " + (r.message.empty() ? "the runner's message" : r.message) +
                  ": " + host.Var("[QMT_Status]") + " " + error);
        std::string text = ReadAll(log);
        size_t output = text.find("FFmpeg output:");
        Check(output != std::string::npos && text.find("xfade", output) != std::string::npos,
              r.action + ": the failure log names xfade in FFmpeg's own words: " +
                  text.substr(text.size() > 400 ? text.size() - 400 : 0));
    }
}

void AddClips(HostSimulator& host, const std::string& timeline,
              const std::vector<std::vector<std::string>>& clips) {
    for (const auto& c : clips) {
        std::vector<std::string> args = {timeline, c[0], c[1], c[2], "", c[3], c[4]};
        host.Call("QMT_TimelineAddClip", args);
        CheckEq(host.Var("[QMT_Status]"), "Complete", "add " + c[0] + " clip " + c[2] + " to " + timeline + ": " +
                                                          host.Var("[QMT_Error]"));
    }
}

// Cuts, an effect, two titles, a V2 overlay and A2 music; the project saved,
// loaded into a second timeline and rendered from there; then the first
// timeline cleared for one clip with an effect, a title and an overlay.
void TimelineRenders(RenderSession& s, const std::string& clip, const std::string& tone, const std::string& logo,
                     const std::string& documents) {
    HostSimulator& host = s.ctx.host;
    for (const char* name : {"NLE1", "NLE2"}) {
        host.AddRectangle(name, 640, 200);
        host.Call("QMT_TimelineCreate", {name, ""});
        CheckEq(host.Var("[QMT_Status]"), "Complete", std::string("create ") + name);
    }
    AddClips(host, "NLE1",
             {{"V1", "0", clip, "0", "2"},  // then a cut to its first second
              {"V1", "0", clip, "2", "1"},
              {"FX", "2", "hue=s=0", "0.5", "2"},
              {"TX", "3", kTitleOne, "0", "1.5"},
              {"TX", "3", kTitleTwo, "1.5", "1.5"},
              {"V2", "1", logo, "0.5", "1"},
              {"A2", "4", tone, "0.5", "3"}});
    const std::string saved = documents + "cut's project.qmtp", again = documents + "loaded.qmtp";
    host.Call("QMT_TimelineSave", {"NLE1", saved});
    CheckEq(host.Var("[QMT_Status]"), "Complete", "project saved");
    host.Call("QMT_TimelineLoad", {"NLE2", saved});
    CheckEq(host.Var("[QMT_Status]"), "Complete", "project loaded: " + host.Var("[QMT_Error]"));
    host.Call("QMT_TimelineGetState", {"NLE1"});
    std::string clips = host.Var("[NLE_ClipCount]");
    host.Call("QMT_TimelineGetState", {"NLE2"});
    CheckEq(host.Var("[NLE_ClipCount]"), clips, "the loaded timeline holds every clip");
    host.Call("QMT_TimelineSave", {"NLE2", again});
    Check(!ReadAll(saved).empty() && ReadAll(again) == ReadAll(saved), "the loaded project saves as it was saved");
    // As long as V1 says, the music mixed in step with the picture.
    s.Run("QMT_TimelineRender", {"NLE2", "@timeline.mp4"}, {AV("timeline.mp4", 3)});

    host.Call("QMT_TimelineClear", {"NLE1"});
    AddClips(host, "NLE1",
             {{"V1", "0", clip, "0", "2"},
              {"FX", "2", "negate", "0.5", "1"},
              {"TX", "3", kTitleOne, "0", "1"},
              {"V2", "1", logo, "0", "1"}});
    s.Run("QMT_TimelineRender", {"NLE1", "@one_clip.mp4"}, {AV("one_clip.mp4", 2)});
    // A second clip that fades in: the render needs xfade (TransitionsNeedXfade).
    AddClips(host, "NLE1", {{"V1", "0", clip, "2", "1"}});
    host.Call("QMT_TimelineSetTransition", {"NLE1", "V1", "1", "Fade", "0.5"});
    CheckEq(host.Var("[QMT_Status]"), "Complete", "a fade into the second clip");
}

// Adds a split once the playing player has reached `seconds`: Wine's MCI
// cannot seek to a position, and a device paused and played again there
// reports wrong positions and hangs at its close.
bool SplitAt(HostSimulator& host, double seconds) {
    DWORD end = GetTickCount() + 5000;
    double at = 0;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        host.Call("QMT_PlayerPosition", {"Player", "[Pos]"});
        at = atof(host.Var("[QMT_PositionSec]").c_str());
        if (at >= seconds) break;
        PumpMessages(20);
    }
    host.Call("QMT_SplitAdd", {"Strip"});
    bool added = host.Var("[QMT_Status]") == "Split added";
    Check(added, Fmt("a split at %.3f s: ", at) + host.Var("[QMT_Status]") + " " + host.Var("[QMT_Error]"));
    return added;
}

// Two plain cuts of the 8 s slowed clip, the 2 s 80x46 clip inserted at the
// second: 10 s at the source's size.
void SplitRender(RenderSession& s) {
    const std::string clip = s.Out("slow.mp4");
    HostSimulator& host = s.ctx.host;
    host.AddRectangle("Player", 160, 90);
    host.AddRectangle("Strip", 400, 60);
    host.Call("QMT_PlayerCreate", {"Player", clip, "[S]"});
    CheckEq(host.Var("[S]"), "Ready", "the player opens the clip: " + host.Var("[QMT_Error]"));
    host.Call("QMT_FrameStripCreate", {"Strip", clip, "Player"});
    // Splits need the clip's length, which the strip's worker probes first.
    DWORD end = GetTickCount() + 20000;
    do {
        PumpMessages(50);
        host.Call("QMT_SplitAdd", {"Strip"});
    } while (host.Var("[QMT_Error]") == "No video loaded." && static_cast<LONG>(end - GetTickCount()) > 0);
    CheckEq(host.Var("[QMT_Error]"), "Split too close to start.", "the strip knows the clip's length");
    host.Call("QMT_PlayerPlay", {"Player"});
    bool added = SplitAt(host, 0.8) && SplitAt(host, 1.7);
    host.Call("QMT_PlayerStop", {"Player"});
    if (added) {
        host.Call("QMT_SplitInsertClip", {"Strip", s.Out("scaled.mp4")});
        CheckEq(host.Var("[QMT_Status]"), "Clip inserted at split", "the 80x46 clip is inserted");
        s.Run("QMT_SplitRender", {"Strip", clip, "@split_render.mp4"}, {AV("split_render.mp4", 10)});
    }
    host.Call("QMT_FrameStripDestroy", {"Strip"});
    host.Call("QMT_PlayerDestroy", {"Player"});
}

// The export rows whose conversion no other check runs: each container
// with its own codecs (the export group writes MP4, MKV, GIF and WAV; MP3
// and FLAC extract as QMT_ExtractAudio does).
void ExportRows(RenderSession& s, const std::string& clip) {
    struct Row {
        int index;
        std::string file, streams;
        double tolerance;
    };
    const std::vector<Row> rows = {
        {1, "row.webm", "video:vp9,audio:opus", kFrameAndCoderFrame},
        {2, "row.avi", "video:h264,audio:mp3", kFrameAndCoderFrame},
        {4, "row.mov", "video:h264,audio:aac", kFrame},
        {5, "row.flv", "video:h264,audio:aac", kFrameAndCoderFrame},
        {6, "row.ts", "video:h264,audio:aac", kFrameAndCoderFrame},
        {7, "row.wmv", "video:wmv2,audio:wmav2", kFrameAndCoderFrame},
        {12, "row.ogg", "audio:opus", kFrameAndCoderFrame},
    };
    for (const Row& r : rows) {
        std::string output = s.Out(r.file), what = "export row " + std::to_string(r.index);
        std::string failures =
            DriveDialogs({Wait("Export Video"), Choose(2001, r.index), SetText(2005, output), Press(1)},
                         [&]() { s.ctx.host.Call("QMT_ExportDialog", {clip}); }, 30000);
        Check(failures.empty(), what + ": " + failures);
        bool video = r.streams.compare(0, 6, "video:") == 0;
        if (s.Completed(what))
            s.List({r.file, r.streams, video ? "160x90" : "-", video ? "yuv420p" : "-", 2, r.tolerance}, what);
    }
}

}  // namespace

QMT_WINE_CHECKS(renders) {
    HostSimulator& host = ctx.host;
    // A Windows user called O'Brien: C:\Users\O'Brien\AppData\Local\Temp\ inside the work folder.
    std::string temp = Folders(ctx.work, {"Users", "O'Brien", "AppData", "Local", "Temp"});
    std::string documents = Folders(ctx.work, {"Users", "O'Brien", "Documents"});
    SetEnvironmentVariableA("TMP", temp.c_str());
    SetEnvironmentVariableA("TEMP", temp.c_str());
    host.Call("QMT_SetFFmpegPath", {ctx.tools});
    CheckEq(host.Var("[QMT_Status]"), "Complete", "the Windows tools are used");

    // One ffmpeg.exe run makes the clip (a keyframe every 0.2 s and no
    // reordered frames, so stream copies cut where asked), a 3 s tone and a
    // small picture.
    const std::string tone = ctx.work + "\\tone.wav", logo = ctx.work + "\\logo.png";
    std::string clip = MakeMedia(ctx, "clip.mp4",
                                 "-f lavfi -i testsrc=d=2:s=160x90:r=25 -f lavfi -i sine=f=440:d=3 "
                                 "-map 0:v -frames:v 1 -vf scale=40:24 \"" + logo + "\" "
                                 "-map 1:a -c:a pcm_s16le \"" + tone + "\" "
                                 "-map 0:v -map 1:a -t 2 -c:v libx264 -g 5 -bf 0 -pix_fmt yuv420p -c:a aac -ac 2");
    if (clip.empty()) return;
    const std::string subtitles = documents + "subs, [1].srt";
    FILE* f = fopen(subtitles.c_str(), "wb");
    if (f) fputs("1\r\n00:00:00,200 --> 00:00:01,500\r\nO'Brien's line\r\n", f), fclose(f);

    RenderSession s(ctx);
    FileOperations(s, clip, tone, logo, subtitles);
    TimelineRenders(s, clip, tone, logo, documents);
    SplitRender(s);
    ExportRows(s, clip);
    TransitionsNeedXfade(s, clip);
    s.WriteManifest();
}
