// qmthost: runs a host script against the plug-in and prints what it sets.
//   qmthost [--plugin PATH] [--var "[Name]=value"]... [--trace] SCRIPT|-
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include "hostsim/host_os.h"
#include "hostsim/host_simulator.h"

static std::string DefaultPluginPath(const char* argv0) {
    std::string self = argv0;
    size_t cut = self.find_last_of("/\\");
    std::string folder = cut == std::string::npos ? std::string() : self.substr(0, cut + 1);
#if defined(_WIN32)
    return folder + "quillmont.dll";
#else
    return (folder.empty() ? "./" : folder) + "quillmont.so";
#endif
}

static int Usage() {
    fprintf(stderr,
            "usage: qmthost [--plugin PATH] [--var \"[Name]=value\"]... [--trace] SCRIPT|-\n"
            "  Runs one action call per line, e.g. QMT_GetDuration \"clip.mp4\" \"[D]\".\n"
            "  --trace prints every variable the plug-in sets, as it sets it.\n");
    return 2;
}

int main(int argc, char** argv) {
    std::string plugin = DefaultPluginPath(argv[0]);
    std::string scriptPath;
    bool trace = false;
    HostSimulator host;
    std::vector<std::pair<std::string, std::string>> presets;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--plugin" && i + 1 < argc) plugin = argv[++i];
        else if (a == "--var" && i + 1 < argc) {
            std::string kv = argv[++i];
            size_t eq = kv.find("]=");
            if (kv.empty() || kv[0] != '[' || eq == std::string::npos) return Usage();
            presets.emplace_back(kv.substr(0, eq + 1), kv.substr(eq + 2));
        } else if (a == "--trace") trace = true;
        else if (a == "-h" || a == "--help") return Usage();
        else if (scriptPath.empty()) scriptPath = a;
        else return Usage();
    }
    if (scriptPath.empty()) return Usage();
    std::stringstream text;
    if (scriptPath == "-") text << std::cin.rdbuf();
    else {
        std::ifstream in(scriptPath, std::ios::binary);
        if (!in) {
            fprintf(stderr, "qmthost: cannot read %s\n", scriptPath.c_str());
            return 2;
        }
        text << in.rdbuf();
    }
    std::string error;
    if (!host.Load(plugin, &error)) {
        fprintf(stderr, "qmthost: cannot load %s: %s\n", plugin.c_str(), error.c_str());
        return 2;
    }
    host.Init();
    for (auto& p : presets) host.SetVar(p.first, p.second);
    // Batch lines handed to the script processor are run like script lines.
    host.runScriptLines = true;

    std::string output;
    int rc = 0;
    std::istringstream lines(text.str());
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        size_t before = host.Writes().size();
        std::string why;
        output.clear();
        bool ok = host.RunLine(line, &output, &why);
        if (trace)
            for (size_t w = before; w < host.Writes().size(); ++w)
                printf("  %s = %s\n", host.Writes()[w].first.c_str(), host.Writes()[w].second.c_str());
        fputs(output.c_str(), stdout);
        fflush(stdout);
        if (!ok) {
            fprintf(stderr, "%s:%d: %s\n", scriptPath.c_str(), number, why.c_str());
            rc = 1;
            break;
        }
    }
    host.Message(2);
    host.Unload();
    return rc;
}
