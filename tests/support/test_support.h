// Shared helpers for the tests: generated media, ffprobe checks, temporary
// folders and a fixture that loads the plug-in into the host simulator.
#pragma once
#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include "hostsim/host_simulator.h"

namespace qt {

// Path of the native plug-in library under test.
std::string PluginPath();
// A media file generated once per build tree (or per $QMT_MEDIA_CACHE folder)
// with ffmpeg and reused by every test: `ffmpegArgs` are the arguments before
// the output name, e.g.
// "-f lavfi -i testsrc=size=320x240:rate=25:duration=2 -pix_fmt yuv420p -c:v libx264".
std::string Media(const std::string& fileName, const std::string& ffmpegArgs);
// Common clips: 2 s 320x240 25 fps H.264 + AAC sine; 3 s video only; 2 s audio.
std::string ClipAV(double seconds = 2.0, int width = 320, int height = 240);
std::string ClipVideoOnly(double seconds = 3.0, int width = 320, int height = 240);
std::string ClipAudio(double seconds = 2.0);  // .wav (pcm) sine
std::string ImagePng(int width = 160, int height = 120);
// A number as %g writes it: "2", "0.25".
std::string Num(double v);

struct Probed {
    bool ok = false;
    double duration = 0;  // format duration
    std::string formatName;  // ffprobe's format_name, e.g. "ogg" or "mov,mp4,m4a,3gp,3g2,mj2"
    double videoDuration = 0, audioDuration = 0;  // of the first stream of each kind, 0 when not given
    int width = 0, height = 0;
    std::string vcodec, acodec;
    std::string pixFmt, profile, frameRate;  // of the first video stream; frameRate as r_frame_rate, e.g. "30/1"
    int videoStreams = 0, audioStreams = 0;
    double fps = 0;
    int sampleRate = 0, channels = 0;
};
Probed Probe(const std::string& path);
// Average colour (R, G, B) of the frame at `seconds`, scaled to 1x1; of the
// part `region` ("w:h:x:y" in pixels) when one is given.
bool FrameColour(const std::string& path, double seconds, int rgb[3], const std::string& region = "");

// Runs a shell command; returns its exit status and fills `output` (stdout+stderr).
int Shell(const std::string& command, std::string* output = nullptr);
// The full path of a program found on PATH, "" when there is none.
std::string Which(const std::string& tool);
std::string ReadFile(const std::string& path);
bool Exists(const std::string& path);
std::string MakeTempDir(const std::string& tag);
void RemoveTree(const std::string& path);
// Polls `done` every 10 ms; false when it is still not true after `ms`.
bool WaitUntil(const std::function<bool()>& done, int ms);
// Whether process `pid` is running and not yet ended (a zombie has ended).
bool Alive(const std::string& pid);

// A tool folder whose ffmpeg (and ffplay) records every argument list it is given and then
// runs the real ffmpeg (ffprobe is passed straight through). A run whose
// arguments contain the text given to FailWhen exits 1 without running; one
// whose arguments contain the PassWhen text exits 0 without running.
class ToolRecorder {
public:
    explicit ToolRecorder(const std::string& folder);
    const std::string& folder() const { return folder_; }
    void FailWhen(const std::string& text);
    void Clear();
    void PassWhen(const std::string& text);
    // A run whose arguments contain `text` never ends by itself: it notes its
    // process id and sleeps for a minute, as a stuck tool would.
    void DelayWhen(const std::string& text);
    std::vector<int> DelayedPids() const;
    // Every ffprobe run waits `seconds` before it answers.
    void DelayProbes(double seconds);
    // How many ffprobe runs have started.
    size_t ProbesStarted() const;
    // Copies `path` aside before every run, for files the plug-in deletes afterwards.
    void Snapshot(const std::string& path);
    std::string SnapshotText() const;
    // Each ffmpeg run's arguments, argv[0] left out.
    std::vector<std::vector<std::string>> Runs() const;
    size_t RunCount() const { return Runs().size(); }
    // Each ffplay run's arguments; ffplay is replaced by the real one (same
    // process), so a test can watch and end it.
    std::vector<std::vector<std::string>> Plays() const;
    // Waits until `n` ffplay runs have noted their arguments: a detached
    // preview returns before its ffplay has started.
    bool WaitForPlays(size_t n, int ms = 10000) const;
    std::vector<std::string> Last() const {
        auto runs = Runs();
        return runs.empty() ? std::vector<std::string>() : runs.back();
    }

private:
    std::string folder_;
};
// The arguments a command line such as the plug-in builds stands for.
std::vector<std::string> Argv(const std::string& commandLine);

// Loads the plug-in with all callbacks registered; TMPDIR points at a fresh
// folder of the test's own, so temporary files of parallel tests never meet.
class PluginTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // A path inside the test's own folder.
    std::string Out(const std::string& name) const { return dir + "/" + name; }
    std::string Temp(const std::string& name) const { return tmp + name; }  // the plug-in's temp folder
    bool Run(const std::string& action, const std::vector<std::string>& args) { return host.Call(action, args); }
    std::string Var(const std::string& name) const { return host.Var(name); }
    // Runs the action and answers the variable it left, [QMT_Error] unless named.
    std::string After(const std::string& action, const std::vector<std::string>& args,
                      const std::string& var = "[QMT_Error]") {
        host.Call(action, args);
        return host.Var(var);
    }
    // Asserts [QMT_Status] is "Complete", printing [QMT_Error] when not.
    void ExpectComplete() const;
    // Runs the action and expects it to complete.
    void Completes(const std::string& action, const std::vector<std::string>& args) {
        EXPECT_TRUE(Run(action, args)) << action;
        ExpectComplete();
    }
    // Points the plug-in at a recording tool folder.
    ToolRecorder& Record();
    // Runs host script text; the error text, empty on success. `printed`
    // receives what the script printed.
    std::string Script(const std::string& text, std::string* printed = nullptr);
    // A fresh paint of the window in Rectangle `rect`: its draw log, one call
    // a line, each line ending in a newline.
    std::string Capture(const std::string& rect);
    // Whether the draw log has `line` as a whole line; how many lines begin with `prefix`.
    static bool Has(const std::string& log, const std::string& line);
    static int Count(const std::string& log, const std::string& prefix);
    // The media commands sent since the last call (or the start), oldest first.
    static std::vector<std::string> MciLog();
    // Names in the plug-in's temporary folder that begin with qmt_.
    std::vector<std::string> Leftovers() const;

    std::unique_ptr<ToolRecorder> recorder;

    HostSimulator host;
    std::string dir;  // the test's folder
    std::string tmp;  // TMPDIR, with trailing slash
};

// A path or text between double quotes, as the plug-in's templates write them.
inline std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

// Operations on a 2 s 160x120 clip with the tools recorded.
class OperationTest : public PluginTest {
protected:
    void SetUp() override;
    // Runs the action, expects "Complete" with the last parameter as the last
    // output, and probes that output.
    Probed Do(const std::string& action, const std::vector<std::string>& args);
    // Argument i of the last ffmpeg run (0 is "-y").
    std::string Arg(size_t i) const { return rec->Last().at(i); }

    ToolRecorder* rec = nullptr;
    std::string in;
};

}  // namespace qt
