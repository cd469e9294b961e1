#include "tests/support/test_support.h"
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include "platform/headless/headless_mci.h"
#include "platform/posix/command_line.h"

namespace qt {

std::string PluginPath() { return QMT_PLUGIN_PATH; }

int Shell(const std::string& command, std::string* output) {
    std::string full = command + " 2>&1";
    FILE* p = popen(full.c_str(), "r");
    if (!p) return -1;
    std::string text;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) text.append(buf, n);
    int status = pclose(p);
    if (output) *output = text;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool Exists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

std::string MakeTempDir(const std::string& tag) {
    std::string base = QMT_TEST_TMP;
    mkdir(base.c_str(), 0777);
    std::string pattern = base + "/" + tag + "-XXXXXX";
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back(0);
    if (!mkdtemp(buf.data())) return std::string();
    return buf.data();
}

void RemoveTree(const std::string& path) {
    if (path.size() < 8) return;  // never anything like "/" or "/tmp"
    Shell("rm -rf '" + path + "'");
}

bool WaitUntil(const std::function<bool()>& done, int ms) {
    for (int waited = 0; !done(); waited += 10) {
        if (waited >= ms) return false;
        usleep(10000);
    }
    return true;
}

bool Alive(const std::string& pid) {
    std::string stat = ReadFile("/proc/" + pid + "/stat");
    size_t close = stat.rfind(')');
    return close != std::string::npos && close + 2 < stat.size() && stat[close + 2] != 'Z';
}

std::string Media(const std::string& fileName, const std::string& ffmpegArgs) {
    // A run against another ffmpeg keeps media of its own making apart.
    const char* other = getenv("QMT_MEDIA_CACHE");
    std::string cache = other && *other ? other : QMT_MEDIA_CACHE;
    mkdir(cache.c_str(), 0777);
    std::string path = cache + "/" + fileName;
    if (Exists(path)) return path;
    // Written under a private name and renamed, so parallel tests never see half a file.
    std::string ext = fileName.substr(fileName.find_last_of('.'));
    std::string part = cache + "/.part-" + std::to_string(getpid()) + "-" + fileName;
    std::string out;
    int rc = Shell("ffmpeg -v error -y " + ffmpegArgs + " -f " +
                       (ext == ".mp4" ? std::string("mp4") : ext == ".wav" ? std::string("wav")
                                        : ext == ".png" || ext == ".bmp" ? std::string("image2") : ext.substr(1)) +
                       " '" + part + "'",
                   &out);
    if (rc != 0) {
        ADD_FAILURE() << "could not generate " << fileName << ": " << out;
        return path;
    }
    rename(part.c_str(), path.c_str());
    return path;
}

std::string Num(double v) {
    char buf[64];
    snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

std::string ClipAV(double seconds, int width, int height) {
    std::string name = "av_" + Num(seconds) + "s_" + std::to_string(width) + "x" + std::to_string(height) + ".mp4";
    return Media(name, "-f lavfi -i testsrc=size=" + std::to_string(width) + "x" + std::to_string(height) +
                           ":rate=25:duration=" + Num(seconds) + " -f lavfi -i sine=frequency=440:duration=" +
                           Num(seconds) + " -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -shortest");
}

std::string ClipVideoOnly(double seconds, int width, int height) {
    std::string name = "v_" + Num(seconds) + "s_" + std::to_string(width) + "x" + std::to_string(height) + ".mp4";
    return Media(name, "-f lavfi -i testsrc=size=" + std::to_string(width) + "x" + std::to_string(height) +
                           ":rate=25:duration=" + Num(seconds) + " -c:v libx264 -preset ultrafast -pix_fmt yuv420p");
}

std::string ClipAudio(double seconds) {
    return Media("a_" + Num(seconds) + "s.wav",
                 "-f lavfi -i sine=frequency=440:sample_rate=48000:duration=" + Num(seconds) + " -c:a pcm_s16le");
}

std::string ImagePng(int width, int height) {
    return Media("img_" + std::to_string(width) + "x" + std::to_string(height) + ".png",
                 "-f lavfi -i testsrc=size=" + std::to_string(width) + "x" + std::to_string(height) +
                     ":duration=1 -frames:v 1");
}

// One ffprobe run: ffprobe's default writer gives each section as
// [STREAM] ... [/STREAM] or [FORMAT] ... [/FORMAT] with key=value lines.
Probed Probe(const std::string& path) {
    Probed p;
    std::string out;
    if (Shell("ffprobe -v error -show_entries format=duration,format_name:stream=codec_type,codec_name,width,height,"
              "avg_frame_rate,r_frame_rate,pix_fmt,profile,duration,sample_rate,channels -of default '" + path + "'",
              &out) != 0)
        return p;
    p.ok = true;
    std::istringstream in(out);
    std::string line;
    std::map<std::string, std::string> section;
    while (std::getline(in, line)) {
        size_t eq = line.find('=');
        if (eq != std::string::npos) {
            section[line.substr(0, eq)] = line.substr(eq + 1);
            continue;
        }
        auto field = [&](const char* key) { return section[key]; };
        if (line == "[/FORMAT]") {
            p.duration = atof(field("duration").c_str());
            p.formatName = field("format_name");
        } else if (line == "[/STREAM]" && field("codec_type") == "video" && p.videoStreams++ == 0) {
            p.vcodec = field("codec_name");
            p.width = atoi(field("width").c_str());
            p.height = atoi(field("height").c_str());
            p.videoDuration = atof(field("duration").c_str());
            p.pixFmt = field("pix_fmt");
            p.profile = field("profile");
            p.frameRate = field("r_frame_rate");
            int num = 0, den = 0;
            if (sscanf(field("avg_frame_rate").c_str(), "%d/%d", &num, &den) == 2 && den > 0)
                p.fps = static_cast<double>(num) / den;
        } else if (line == "[/STREAM]" && field("codec_type") == "audio" && p.audioStreams++ == 0) {
            p.acodec = field("codec_name");
            p.sampleRate = atoi(field("sample_rate").c_str());
            p.channels = atoi(field("channels").c_str());
            p.audioDuration = atof(field("duration").c_str());
        }
        if (line[0] == '[') section.clear();
    }
    return p;
}

bool FrameColour(const std::string& path, double seconds, int rgb[3], const std::string& region) {
    std::string raw = MakeTempDir("frame") + "/px.rgb";
    std::string out;
    if (Shell("ffmpeg -v error -y -ss " + Num(seconds) + " -i '" + path +
                  "' -frames:v 1 -vf " + (region.empty() ? "" : "crop=" + region + ",") +
                  "scale=1:1:flags=area -f rawvideo -pix_fmt rgb24 '" + raw + "'",
              &out) != 0)
        return false;
    std::string bytes = ReadFile(raw);
    RemoveTree(raw.substr(0, raw.find_last_of('/')));
    if (bytes.size() < 3) return false;
    for (int i = 0; i < 3; ++i) rgb[i] = static_cast<unsigned char>(bytes[i]);
    return true;
}

void PluginTest::SetUp() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir = MakeTempDir(std::string(info->test_suite_name()) + "." + info->name());
    ASSERT_FALSE(dir.empty());
    tmp = dir + "/tmp/";
    mkdir(tmp.c_str(), 0777);
    setenv("TMPDIR", tmp.c_str(), 1);
    std::string error;
    ASSERT_TRUE(host.Load(PluginPath(), &error)) << error;
    host.Init();
}

void PluginTest::TearDown() {
    host.Message(2);
    // Kept after a failure so the outputs and logs can be looked at.
    if (!HasFailure()) RemoveTree(dir);
}

std::string PluginTest::Script(const std::string& text, std::string* printed) {
    std::string out, err;
    host.RunScript(text, &out, &err);
    if (printed) *printed = out;
    return err;
}

std::string PluginTest::Capture(const std::string& rect) {
    std::string shot = Out("capture-" + rect + ".txt");
    EXPECT_EQ(Script("Capture " + rect + " \"" + shot + "\"\n"), "") << "capturing " << rect;
    std::string log = "\n" + ReadFile(shot);
    if (log.back() != '\n') log += '\n';
    return log;
}

bool PluginTest::Has(const std::string& log, const std::string& line) {
    return ("\n" + log).find("\n" + line + "\n") != std::string::npos;
}

int PluginTest::Count(const std::string& log, const std::string& prefix) {
    int n = 0;
    std::istringstream in(log);
    for (std::string line; std::getline(in, line);) n += line.rfind(prefix, 0) == 0;
    return n;
}

std::vector<std::string> PluginTest::MciLog() {
    std::vector<std::string> log;
    for (int i = 0; i < hmMciLogCount(); ++i) log.push_back(hmMciLogEntry(i));
    hmMciClearLog();
    return log;
}

std::vector<std::string> PluginTest::Leftovers() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(tmp))
        if (entry.path().filename().string().rfind("qmt_", 0) == 0) names.push_back(entry.path().filename());
    return names;
}

std::string Which(const std::string& tool) {
    std::string out;
    Shell("command -v " + tool, &out);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    return out;
}

ToolRecorder::ToolRecorder(const std::string& folder) : folder_(folder) {
    mkdir(folder_.c_str(), 0777);
    std::string ffmpeg = Which("ffmpeg"), ffprobe = Which("ffprobe");
    std::ofstream(folder_ + "/ffmpeg")
        << "#!/bin/sh\n"
           "log='" << folder_ << "/runs.log'\n"
           "for a in \"$@\"; do printf '%s\\037' \"$a\" >> \"$log\"; done\n"
           "printf '\\036\\n' >> \"$log\"\n"
           "if [ -s '" << folder_ << "/fail_when' ]; then\n"
           "  pat=$(cat '" << folder_ << "/fail_when')\n"
           "  case \"$*\" in *\"$pat\"*) echo 'recorder: refused' >&2; exit 1;; esac\n"
           "fi\n"
           "if [ -s '" << folder_ << "/delay_when' ]; then\n"
           "  pat=$(cat '" << folder_ << "/delay_when')\n"
           "  case \"$*\" in *\"$pat\"*) echo $$ >> '" << folder_ << "/delayed.pids'; exec sleep 60;; esac\n"
           "fi\n"
           "if [ -s '" << folder_ << "/snapshot' ]; then cp \"$(cat '" << folder_ << "/snapshot')\" '" << folder_
        << "/snapshot.copy' 2>/dev/null; fi\n"
           "if [ -s '" << folder_ << "/pass_when' ]; then\n"
           "  pat=$(cat '" << folder_ << "/pass_when')\n"
           "  case \"$*\" in *\"$pat\"*) exit 0;; esac\n"
           "fi\n"
           "exec '" << ffmpeg << "' \"$@\"\n";
    std::ofstream(folder_ + "/ffprobe") << "#!/bin/sh\n"
                                           "printf x >> '" << folder_ << "/probes.log'\n"
                                           "if [ -s '" << folder_ << "/probe_delay' ]; then sleep \"$(cat '"
                                        << folder_ << "/probe_delay')\"; fi\n"
                                           "exec '" << ffprobe << "' \"$@\"\n";
    chmod((folder_ + "/ffmpeg").c_str(), 0755);
    chmod((folder_ + "/ffprobe").c_str(), 0755);
    std::string ffplay = Which("ffplay");
    if (ffplay.empty()) return;
    std::ofstream(folder_ + "/ffplay") << "#!/bin/sh\n"
                                          "log='" << folder_ << "/plays.log'\n"
                                          "for a in \"$@\"; do printf '%s\\037' \"$a\" >> \"$log\"; done\n"
                                          "printf '\\036\\n' >> \"$log\"\n"
                                          "exec '" << ffplay << "' \"$@\"\n";
    chmod((folder_ + "/ffplay").c_str(), 0755);
}

void ToolRecorder::Clear() { remove((folder_ + "/runs.log").c_str()); }

void ToolRecorder::PassWhen(const std::string& text) { std::ofstream(folder_ + "/pass_when") << text; }
void ToolRecorder::Snapshot(const std::string& path) { std::ofstream(folder_ + "/snapshot") << path; }
std::string ToolRecorder::SnapshotText() const { return ReadFile(folder_ + "/snapshot.copy"); }

void ToolRecorder::DelayWhen(const std::string& text) { std::ofstream(folder_ + "/delay_when") << text; }
void ToolRecorder::DelayProbes(double seconds) { std::ofstream(folder_ + "/probe_delay") << seconds; }
size_t ToolRecorder::ProbesStarted() const { return ReadFile(folder_ + "/probes.log").size(); }

std::vector<int> ToolRecorder::DelayedPids() const {
    std::vector<int> pids;
    std::istringstream in(ReadFile(folder_ + "/delayed.pids"));
    int pid;
    while (in >> pid) pids.push_back(pid);
    return pids;
}

void ToolRecorder::FailWhen(const std::string& text) { std::ofstream(folder_ + "/fail_when") << text; }

// Argument lists written one per run: each argument ends in \037, each run in \036.
static std::vector<std::vector<std::string>> ReadRunLog(const std::string& path) {
    std::vector<std::vector<std::string>> runs;
    std::string log = ReadFile(path);
    std::vector<std::string> run;
    std::string arg;
    for (char c : log) {
        if (c == '\037') {
            run.push_back(arg);
            arg.clear();
        } else if (c == '\036') {
            runs.push_back(run);
            run.clear();
        } else if (c != '\n' || !arg.empty()) {
            arg += c;
        }
    }
    return runs;
}

std::vector<std::vector<std::string>> ToolRecorder::Runs() const { return ReadRunLog(folder_ + "/runs.log"); }
std::vector<std::vector<std::string>> ToolRecorder::Plays() const { return ReadRunLog(folder_ + "/plays.log"); }

bool ToolRecorder::WaitForPlays(size_t n, int ms) const {
    return WaitUntil([&] { return Plays().size() >= n; }, ms) && Plays().size() == n;
}

std::vector<std::string> Argv(const std::string& commandLine) { return plat::SplitCommandLine(commandLine); }

ToolRecorder& PluginTest::Record() {
    recorder.reset(new ToolRecorder(dir + "/tools"));
    Completes("QMT_SetFFmpegPath", {recorder->folder()});
    recorder->Clear();  // the version check of the path setting is not a job
    return *recorder;
}

void OperationTest::SetUp() {
    PluginTest::SetUp();
    rec = &Record();
    in = ClipAV(2.0, 160, 120);
}

Probed OperationTest::Do(const std::string& action, const std::vector<std::string>& args) {
    std::string out = args.back();
    Completes(action, args);
    EXPECT_EQ(Var("[QMT_LastOutput]"), out);
    return Probe(out);
}

void PluginTest::ExpectComplete() const {
    EXPECT_EQ(host.Var("[QMT_Status]"), "Complete") << "error: " << host.Var("[QMT_Error]");
}

}  // namespace qt
