// Timeline render cost: wall time of QMT_TimelineRender on 10 s 720p clips
// with transitions, against the same ffmpeg runs timed one by one outside the
// plug-in. The ratio is the plug-in's overhead (probes, polling, copying);
// the 2 / 6 / 12 clip rows show how the render grows with the timeline.
#include <sys/stat.h>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include "bench/bench_support.h"
#include "hostsim/host_simulator.h"

namespace {

const std::string kWork = QMT_BENCH_DIR "/timeline_render";

using bench::Now;
using bench::RunArgs;

std::string Which(const char* tool) {
    std::string cmd = std::string("command -v ") + tool;
    FILE* p = popen(cmd.c_str(), "r");
    char buf[512] = {};
    if (p) {
        if (!fgets(buf, sizeof buf, p)) buf[0] = 0;
        pclose(p);
    }
    std::string s = buf;
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
    return s;
}

// A tool folder whose ffmpeg records each command (and any concat list it
// reads) before running the real one.
void MakeRecordingTools(const std::string& folder, const std::string& log) {
    mkdir(folder.c_str(), 0755);
    std::ofstream w(folder + "/ffmpeg");
    w << "#!/bin/sh\n"
      << "for a in \"$@\"; do printf '%s\\037' \"$a\" >> '" << log << "'\n"
      << "  case \"$a\" in *cat_*.txt) cp \"$a\" '" << folder << "/' ;; esac; done\n"
      << "printf '\\n' >> '" << log << "'\n"
      << "exec '" << Which("ffmpeg") << "' \"$@\"\n";
    w.close();
    chmod((folder + "/ffmpeg").c_str(), 0755);
    unlink((folder + "/ffprobe").c_str());
    if (symlink(Which("ffprobe").c_str(), (folder + "/ffprobe").c_str()) != 0) perror("symlink");
}

std::vector<std::vector<std::string>> ReadLog(const std::string& log) {
    std::vector<std::vector<std::string>> out;
    std::ifstream in(log);
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> args;
        std::stringstream ss(line);
        std::string a;
        while (std::getline(ss, a, '\037')) args.push_back(a);
        if (!args.empty() && args[0] != "-version") out.push_back(args);
    }
    return out;
}

std::string Basename(const std::string& p) { return p.substr(p.find_last_of('/') + 1); }

// Replays the recorded runs in order and returns their summed wall time.
double ReplayAlone(const std::vector<std::vector<std::string>>& runs, const std::string& tools,
                   const std::string& nleFolder) {
    mkdir(nleFolder.c_str(), 0755);
    double total = 0;
    for (const auto& run : runs) {
        for (const std::string& a : run)
            if (a.find("cat_") != std::string::npos && a.size() > 4 && a.substr(a.size() - 4) == ".txt")
                RunArgs({"cp", tools + "/" + Basename(a), a});
        std::vector<std::string> args = {Which("ffmpeg"), "-y"};
        args.insert(args.end(), run.begin(), run.end());
        double t0 = Now();
        if (RunArgs(args) != 0) fprintf(stderr, "replayed run failed\n");
        total += Now() - t0;
    }
    RunArgs({"rm", "-rf", nleFolder});
    return total;
}

// QMT_BENCH_CLIP_SECONDS and QMT_BENCH_MAX_CLIPS shorten a trial run.
int EnvInt(const char* name, int fallback) {
    const char* v = getenv(name);
    return v && atoi(v) > 0 ? atoi(v) : fallback;
}

void MakeClips(int seconds, std::string& a, std::string& b) {
    a = kWork + "/bench_a_720p_" + std::to_string(seconds) + "s.mp4";
    b = kWork + "/bench_b_720p_" + std::to_string(seconds) + "s.mp4";
    struct stat st;
    const char* src[2] = {"testsrc", "testsrc2"};
    std::string paths[2] = {a, b};
    for (int i = 0; i < 2; ++i) {
        if (stat(paths[i].c_str(), &st) == 0) continue;
        RunArgs({"ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i",
                 std::string(src[i]) + "=size=1280x720:rate=30:duration=" + std::to_string(seconds), "-f", "lavfi", "-i",
                 "sine=frequency=440:duration=" + std::to_string(seconds), "-pix_fmt", "yuv420p", "-c:v", "libx264", "-preset", "veryfast",
                 "-c:a", "aac", "-shortest", paths[i]});
    }
}

}  // namespace

int main() {
    RunArgs({"mkdir", "-p", kWork + "/tmp"});
    setenv("TMPDIR", (kWork + "/tmp/").c_str(), 1);
    int seconds = EnvInt("QMT_BENCH_CLIP_SECONDS", 10);
    int maxClips = EnvInt("QMT_BENCH_MAX_CLIPS", 12);
    std::string a, b;
    MakeClips(seconds, a, b);
    std::string tools = kWork + "/tools", log = kWork + "/runs.log";
    MakeRecordingTools(tools, log);

    printf("timeline render, %d s 1280x720 clips, a transition on every second join\n", seconds);
    printf("%6s %12s %14s %8s %10s\n", "clips", "plug-in s", "ffmpeg alone s", "ratio", "s / clip");
    const int sizes[] = {2, 6, 12};
    for (int n : sizes) {
        if (n > maxClips) break;
        unlink(log.c_str());
        HostSimulator host;
        std::string error;
        if (!host.Load(QMT_PLUGIN_PATH, &error)) {
            fprintf(stderr, "cannot load plug-in: %s\n", error.c_str());
            return 1;
        }
        host.Init();
        host.Call("QMT_SetFFmpegPath", {tools});
        host.AddRectangle("NLE1", 800, 300);
        host.Call("QMT_TimelineCreate", {"NLE1", ""});
        for (int i = 0; i < n; ++i) {
            host.Call("QMT_TimelineAddClip", {"NLE1", "V1", "0", i % 2 ? b : a, "", std::to_string(i * seconds), std::to_string(seconds)});
            if (i % 2) host.Call("QMT_TimelineSetTransition", {"NLE1", "V1", std::to_string(i), "fade", "1"});
        }
        std::string out = kWork + "/render_" + std::to_string(n) + ".mp4";
        double t0 = Now();
        host.Call("QMT_TimelineRender", {"NLE1", out});
        double wall = Now() - t0;
        if (host.Var("[QMT_Status]") != "Complete") {
            fprintf(stderr, "render of %d clips failed: %s\n", n, host.Var("[QMT_Error]").c_str());
            return 1;
        }
        host.Unload();
        double alone = ReplayAlone(ReadLog(log), tools, kWork + "/tmp/qmt_nle");
        printf("%6d %12.2f %14.2f %8.3f %10.2f\n", n, wall, alone, alone > 0 ? wall / alone : 0, wall / n);
        fflush(stdout);
    }
    return 0;
}
