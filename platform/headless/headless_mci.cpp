#include "platform/headless/headless_mci.h"
#include <sys/stat.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace {

// The codes winmm gives for the same faults.
const unsigned long kUnrecognizedKeyword = 259;
const unsigned long kUnrecognizedCommand = 261;
const unsigned long kInvalidDeviceName = 263;
const unsigned long kBadInteger = 270;
const unsigned long kMissingParameter = 273;
const unsigned long kFileNotFound = 275;
const unsigned long kOutOfRange = 282;
const unsigned long kDuplicateAlias = 289;
const unsigned long kInvalidFile = 304;

struct Device {
    std::string file;
    intptr_t window = 0;
    double lengthMs = 0;
    std::string mode = "stopped";
    double baseMs = 0;   // position when the clock last started or stopped counting
    uint64_t since = 0;  // clock reading at that moment
    long volume = 1000;
    long speed = 1000;
};

std::recursive_mutex g_mciMutex;
std::map<std::string, Device> g_devices;  // key: lower-case alias
std::vector<std::string> g_log;
bool g_manualClock = false;
uint64_t g_clock = 0;
double g_nextLength = -1;
int g_refuseCount = 0;
unsigned long g_refuseCode = 0;

uint64_t RealMs() {
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

uint64_t Now() { return g_manualClock ? g_clock : RealMs(); }

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// Words of a command; a double-quoted word keeps its spaces.
std::vector<std::string> Words(const char* command) {
    std::vector<std::string> words;
    const char* p = command;
    while (*p) {
        while (*p == ' ' || *p == '\t') ++p;
        if (!*p) break;
        std::string w;
        if (*p == '"') {
            ++p;
            while (*p && *p != '"') w += *p++;
            if (*p) ++p;
        } else {
            while (*p && *p != ' ' && *p != '\t') w += *p++;
        }
        words.push_back(w);
    }
    return words;
}

bool ToLong(const std::string& text, long& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = strtol(text.c_str(), &end, 10);
    return end && *end == '\0';
}

double Position(Device& d) {
    if (d.mode != "playing") return d.baseMs;
    double p = d.baseMs + static_cast<double>(Now() - d.since) * d.speed / 1000.0;
    if (p >= d.lengthMs) {
        // Played to the end: the device stops there by itself.
        d.mode = "stopped";
        d.baseMs = d.lengthMs;
        return d.lengthMs;
    }
    return p;
}

void Hold(Device& d, const char* mode) {
    d.baseMs = Position(d);
    d.since = Now();
    d.mode = mode;
}

struct Probed {
    double lengthMs;
    int width, height;
};
std::map<std::string, Probed> g_probed;  // a file is read once per run

// Length, width and height from ffprobe; false when it cannot read the file.
bool ProbeMedia(const std::string& file, double& lengthMs, int& width, int& height) {
    auto known = g_probed.find(file);
    if (known != g_probed.end()) {
        lengthMs = known->second.lengthMs;
        width = known->second.width;
        height = known->second.height;
        return true;
    }
    std::string quoted = "'";
    for (char c : file) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    quoted += "'";
    std::string command =
        "ffprobe -v error -select_streams v:0 -show_entries stream=width,height:format=duration "
        "-of default=noprint_wrappers=1 " +
        quoted + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return false;
    char line[256];
    bool haveLength = false;
    while (fgets(line, sizeof line, pipe)) {
        if (!strncmp(line, "duration=", 9) && strncmp(line + 9, "N/A", 3)) {
            lengthMs = atof(line + 9) * 1000.0;
            haveLength = true;
        } else if (!strncmp(line, "width=", 6)) {
            width = atoi(line + 6);
        } else if (!strncmp(line, "height=", 7)) {
            height = atoi(line + 7);
        }
    }
    if (pclose(pipe) != 0 || !haveLength) return false;
    g_probed[file] = Probed{lengthMs, width, height};
    return true;
}

unsigned long Open(const std::vector<std::string>& w) {
    std::string file = w.size() > 1 ? w[1] : std::string();
    std::string alias;
    intptr_t parent = 0;
    for (size_t i = 2; i + 1 < w.size(); ++i) {
        std::string key = Lower(w[i]);
        if (key == "alias") alias = w[++i];
        else if (key == "parent") parent = static_cast<intptr_t>(strtoull(w[++i].c_str(), nullptr, 10));
        else if (key == "type" || key == "style") ++i;
    }
    if (file.empty() || alias.empty()) return kMissingParameter;
    if (g_refuseCount > 0) {
        --g_refuseCount;
        return g_refuseCode;
    }
    std::string key = Lower(alias);
    if (g_devices.count(key)) return kDuplicateAlias;
    struct stat st;
    if (stat(file.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return kFileNotFound;
    Device d;
    d.file = file;
    int width = 0, height = 0;
    if (g_nextLength >= 0) {
        d.lengthMs = g_nextLength;
        g_nextLength = -1;
    } else if (!ProbeMedia(file, d.lengthMs, width, height)) {
        return kInvalidFile;
    }
    if (parent) {
        if (!hwIsWindow(parent)) return kInvalidDeviceName;
        d.window = hwCreateWindow(parent, "MCI_Video", 0, 0, width, height);
    }
    d.since = Now();
    g_devices[key] = d;
    return 0;
}

unsigned long Reply(const std::string& text, char* reply, unsigned size) {
    if (reply && size) {
        size_t n = text.size() < size - 1 ? text.size() : size - 1;
        memcpy(reply, text.data(), n);
        reply[n] = '\0';
    }
    return 0;
}

unsigned long Send(const char* command, char* reply, unsigned replySize) {
    if (reply && replySize) reply[0] = '\0';
    std::vector<std::string> w = Words(command);
    if (w.empty()) return kUnrecognizedCommand;
    std::string verb = Lower(w[0]);
    if (verb == "open") return Open(w);
    if (w.size() < 2) return kMissingParameter;
    auto it = g_devices.find(Lower(w[1]));
    if (it == g_devices.end()) return kInvalidDeviceName;
    Device& d = it->second;
    std::string a2 = w.size() > 2 ? Lower(w[2]) : std::string();
    std::string a3 = w.size() > 3 ? Lower(w[3]) : std::string();
    if (verb == "close") {
        if (d.window && hwIsWindow(d.window)) hwDestroyWindow(d.window);
        g_devices.erase(it);
        return 0;
    }
    if (verb == "play" || verb == "resume") {
        Position(d);
        if (d.baseMs < d.lengthMs || d.mode == "playing") Hold(d, "playing");
        return 0;
    }
    if (verb == "pause") {
        Hold(d, d.mode == "stopped" ? "stopped" : "paused");
        return 0;
    }
    if (verb == "stop") {
        Hold(d, "stopped");
        return 0;
    }
    if (verb == "seek") {
        if (a2 != "to" || w.size() < 4) return kMissingParameter;
        long ms = 0;
        if (a3 == "start") ms = 0;
        else if (a3 == "end") ms = static_cast<long>(d.lengthMs);
        else if (!ToLong(w[3], ms)) return kBadInteger;
        if (ms < 0 || ms > d.lengthMs) return kOutOfRange;
        d.mode = "stopped";
        d.baseMs = ms;
        d.since = Now();
        return 0;
    }
    if (verb == "status") {
        if (a2 == "position") return Reply(std::to_string(static_cast<long long>(Position(d))), reply, replySize);
        if (a2 == "length") return Reply(std::to_string(static_cast<long long>(d.lengthMs)), reply, replySize);
        if (a2 == "mode") {
            Position(d);
            return Reply(d.mode, reply, replySize);
        }
        if (a2 == "volume") return Reply(std::to_string(d.volume), reply, replySize);
        if (a2 == "speed") return Reply(std::to_string(d.speed), reply, replySize);
        if (a2 == "window" && a3 == "handle") return Reply(std::to_string(static_cast<long long>(d.window)), reply, replySize);
        return a2.empty() ? kMissingParameter : kUnrecognizedKeyword;
    }
    if (verb == "set") {
        if (a2 == "speed") {
            long speed = 0;
            if (w.size() < 4 || !ToLong(w[3], speed)) return kBadInteger;
            if (speed < 0) return kOutOfRange;
            Hold(d, d.mode.c_str());
            d.speed = speed;
            return 0;
        }
        if (a2 == "time" && a3 == "format") return 0;  // milliseconds is the only format kept
        return kUnrecognizedKeyword;
    }
    if (verb == "setaudio") {
        long volume = 0;
        if (a2 != "volume" || a3 != "to" || w.size() < 5) return kMissingParameter;
        if (!ToLong(w[4], volume)) return kBadInteger;
        if (volume < 0 || volume > 1000) return kOutOfRange;
        d.volume = volume;
        return 0;
    }
    if (verb == "put") {
        long box[4];
        if (a2 != "window" || a3 != "at" || w.size() < 8) return kMissingParameter;
        for (int i = 0; i < 4; ++i)
            if (!ToLong(w[4 + i], box[i])) return kBadInteger;
        if (d.window) hwMoveWindow(d.window, box[0], box[1], box[2], box[3]);
        return 0;
    }
    return kUnrecognizedCommand;
}

const char* ErrorText(unsigned long code) {
    switch (code) {
        case kUnrecognizedKeyword: return "The driver cannot recognize the specified command parameter.";
        case kUnrecognizedCommand: return "The driver cannot recognize the specified command.";
        case kInvalidDeviceName: return "The specified device is not open or is not recognized by MCI.";
        case kBadInteger: return "The specified integer is invalid for this command.";
        case kMissingParameter: return "The specified command requires a parameter. Please supply one.";
        case kFileNotFound: return "Cannot find the specified file. Make sure the path and filename are correct.";
        case kOutOfRange: return "The specified parameter is out of range for the specified command.";
        case kDuplicateAlias: return "The specified alias is already being used in this application. Use a unique alias.";
        case kInvalidFile:
            return "The specified file cannot be played on the specified MCI device. The file may be corrupt, or not in "
                   "the correct format.";
        default: return nullptr;
    }
}

}  // namespace

extern "C" {

unsigned long hmMciSendString(const char* command, char* reply, unsigned replySize) {
    std::lock_guard<std::recursive_mutex> hold(g_mciMutex);
    g_log.push_back(command ? command : "");
    return Send(command ? command : "", reply, replySize);
}

int hmMciGetErrorString(unsigned long code, char* text, unsigned size) {
    const char* message = ErrorText(code);
    if (!text || !size) return 0;
    std::string fallback = "MCI error " + std::to_string(code) + ".";
    Reply(message ? std::string(message) : fallback, text, size);
    return message ? 1 : 0;
}

void hmMciAdvanceClock(unsigned long ms) {
    std::lock_guard<std::recursive_mutex> hold(g_mciMutex);
    if (!g_manualClock) {
        g_clock = RealMs();
        g_manualClock = true;
    }
    g_clock += ms;
}

uint64_t hmMciClock() {
    std::lock_guard<std::recursive_mutex> hold(g_mciMutex);
    return Now();
}

void hmMciSetNextLength(double ms) {
    std::lock_guard<std::recursive_mutex> hold(g_mciMutex);
    g_nextLength = ms;
}

void hmMciRefuseOpens(int count, unsigned long code) {
    std::lock_guard<std::recursive_mutex> hold(g_mciMutex);
    g_refuseCount = count;
    g_refuseCode = code;
}

int hmMciLogCount() {
    std::lock_guard<std::recursive_mutex> hold(g_mciMutex);
    return static_cast<int>(g_log.size());
}

const char* hmMciLogEntry(int index) {
    std::lock_guard<std::recursive_mutex> hold(g_mciMutex);
    if (index < 0 || index >= static_cast<int>(g_log.size())) return "";
    return g_log[static_cast<size_t>(index)].c_str();
}

void hmMciClearLog() {
    std::lock_guard<std::recursive_mutex> hold(g_mciMutex);
    g_log.clear();
}

int hmMciOpenDevices() {
    std::lock_guard<std::recursive_mutex> hold(g_mciMutex);
    return static_cast<int>(g_devices.size());
}

}  // extern "C"
