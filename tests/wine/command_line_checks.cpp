// Command assembly against Windows' own splitter: every quoted value that
// BuildCommand writes reads back from CommandLineToArgvW as exactly one
// argument, byte for byte.
#include "tests/wine/wine_checks.h"
#include <shellapi.h>
#include "toolchain/command_builder.h"

static std::vector<std::string> SplitLikeWindows(const std::string& line) {
    std::vector<std::string> args;
    int wide = MultiByteToWideChar(CP_ACP, 0, line.c_str(), -1, nullptr, 0);
    std::wstring w(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(CP_ACP, 0, line.c_str(), -1, &w[0], wide);
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(w.c_str(), &argc);
    for (int i = 0; argv && i < argc; ++i) {
        int n = WideCharToMultiByte(CP_ACP, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
        std::string a(static_cast<size_t>(n), '\0');
        WideCharToMultiByte(CP_ACP, 0, argv[i], -1, &a[0], n, nullptr, nullptr);
        a.resize(static_cast<size_t>(n > 0 ? n - 1 : 0));
        args.push_back(a);
    }
    LocalFree(argv);
    return args;
}

QMT_WINE_CHECKS(quoting) {
    const char* const values[] = {
        "plain.mp4",      "with space.mp4", "x'\" \"evil.mp4\" -vf \"drawtext=text='y", "C:\\frames\\",
        "C:\\frames\\\\", "a\\\"b",         "a\\\\\"b", "\\\\\\\"\\", "\"", "\"\"", "", "100%% and %s %d",
        "line one\nline two\r\n", "\ttab\t", "trailing \\", "'\\''",
    };
    int exact = 0;
    for (const char* value : values) {
        CommandOutcome c = BuildCommand("-i \"%s\" -vf \"drawtext=text='%s':x=1\" \"%s\"",
                                        {{"InputFile", value}, {"Text", value}, {"OutputFile", value}});
        std::vector<std::string> args = SplitLikeWindows("\"C:\\ffmpeg\\ffmpeg.exe\" -y " + c.text);
        bool ok = c.ok && args.size() == 7 && args[3] == value && args[5] == std::string("drawtext=text='") + value + "':x=1" &&
                  args[6] == value;
        if (!ok) Check(false, std::string("one argument each through CommandLineToArgvW: ") + c.text);
        exact += ok;
    }
    Check(exact == static_cast<int>(sizeof values / sizeof values[0]), "every adversarial value reads back byte for byte");
}
