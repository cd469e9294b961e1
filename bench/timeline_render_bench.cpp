// Timeline render cost: wall time of QMT_TimelineRender on 10 s 720p clips
// with a fade on every second join, for 2, 6 and 12 clips, against one ffmpeg
// run that encodes the same timeline as one filter graph with the same
// encoder settings (bench/reference_graph.h). A render that encodes every
// frame once costs about the same per clip at any length, and its ratio to
// the one-graph run stays near 1; the peak memory of the tool is printed too.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <sys/stat.h>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>
#include "bench/bench_support.h"
#include "bench/reference_graph.h"
#include "hostsim/host_simulator.h"

namespace {

const std::string kWork = QMT_BENCH_DIR "/timeline_render";

using bench::Now;
using bench::RunArgs;

// QMT_BENCH_CLIP_SECONDS and QMT_BENCH_MAX_CLIPS shorten a trial run.
int EnvInt(const char* name, int fallback) {
    const char* v = getenv(name);
    return v && atoi(v) > 0 ? atoi(v) : fallback;
}

// QMT_BENCH_PLUGIN measures another build of the plug-in (an older one, say).
std::string PluginPath() {
    const char* v = getenv("QMT_BENCH_PLUGIN");
    return v && *v ? v : QMT_PLUGIN_PATH;
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
                 std::string(src[i]) + "=size=1280x720:rate=30:duration=" + std::to_string(seconds), "-f", "lavfi",
                 "-i", "sine=frequency=440:duration=" + std::to_string(seconds), "-ac", "2", "-pix_fmt", "yuv420p",
                 "-c:v", "libx264", "-preset", "veryfast", "-c:a", "aac", "-shortest", paths[i]});
    }
}

// Runs `job` in a child process of its own and waits for it: its exit code,
// and in `peakMiB` the largest resident size of it and every tool it ran.
int InChild(const std::function<int()>& job, double& peakMiB) {
    fflush(stdout);
    pid_t pid = fork();
    if (pid == 0) _exit(job());
    int status = 0;
    struct rusage usage = {};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid) return -1;
    peakMiB = usage.ru_maxrss / 1024.0;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

int main() {
    RunArgs({"mkdir", "-p", kWork + "/tmp"});
    setenv("TMPDIR", (kWork + "/tmp/").c_str(), 1);
    int seconds = EnvInt("QMT_BENCH_CLIP_SECONDS", 10);
    int maxClips = EnvInt("QMT_BENCH_MAX_CLIPS", 12);
    std::string a, b;
    MakeClips(seconds, a, b);

    printf("timeline render, %d s 1280x720 clips, a fade on every second join\n", seconds);
    std::string peaks;
    const int sizes[] = {2, 6, 12};
    for (int n : sizes) {
        if (n > maxClips) break;
        std::vector<bench::ReferenceClip> clips;
        for (int i = 0; i < n; ++i)
            clips.push_back({i % 2 ? b : a, static_cast<double>(seconds), i % 2 ? 1.0 : 0.0});
        std::string out = kWork + "/render_" + std::to_string(n) + ".mp4";
        // The render runs in a process of its own so that the peak memory
        // measured is that of this render's tool alone.
        double peak = 0;
        double t0 = Now();
        int failed = InChild(
            [&] {
                HostSimulator host;
                std::string error;
                if (!host.Load(PluginPath(), &error)) {
                    fprintf(stderr, "cannot load plug-in: %s\n", error.c_str());
                    return 1;
                }
                host.Init();
                host.AddRectangle("NLE1", 800, 300);
                host.Call("QMT_TimelineCreate", {"NLE1", ""});
                for (int i = 0; i < n; ++i) {
                    host.Call("QMT_TimelineAddClip", {"NLE1", "V1", "0", clips[i].file, "",
                                                      std::to_string(i * seconds), std::to_string(seconds)});
                    // A fade out of every even clip: a fade on every second join.
                    if (i % 2 == 0 && i + 1 < n)
                        host.Call("QMT_TimelineSetTransition", {"NLE1", "V1", std::to_string(i), "out:fade", "1"});
                }
                host.Call("QMT_TimelineRender", {"NLE1", out});
                if (host.Var("[QMT_Status]") != "Complete") {
                    fprintf(stderr, "render of %d clips failed: %s\n", n, host.Var("[QMT_Error]").c_str());
                    return 1;
                }
                host.Unload();
                return 0;
            },
            peak);
        double render = Now() - t0;
        if (failed) return 1;
        std::vector<std::string> args = {"ffmpeg", "-y"};
        for (const std::string& arg : bench::ReferenceArgs(clips, 30, kWork + "/reference_" + std::to_string(n) + ".mp4"))
            args.push_back(arg);
        t0 = Now();
        if (RunArgs(args) != 0) fprintf(stderr, "the one-graph reference of %d clips failed\n", n);
        double oneGraph = Now() - t0;
        printf("clips %d render %.1f s per_clip %.2f s one_graph %.1f s ratio %.2f\n", n, render, render / n, oneGraph,
               render / oneGraph);
        fflush(stdout);
        char row[64];
        snprintf(row, sizeof row, "%s%d clips %.0f MiB", peaks.empty() ? "" : ", ", n, peak);
        peaks += row;
    }
    printf("peak memory of the render's ffmpeg: %s\n", peaks.c_str());
    return 0;
}
