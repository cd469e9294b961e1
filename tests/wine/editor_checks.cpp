// The parameter editor and the export window of the DLL, driven the way an
// author uses them: fields filled, list entries chosen, buttons pressed.
#include <cstdio>
#include <cstring>
#include <functional>
#include "hostsim/dialog_driver.h"
#include "tests/wine/dialog_steps.h"
#include "tests/wine/wine_checks.h"

namespace {

// Parameters as the host holds them: process-heap texts, or null.
struct Params {
    std::vector<char*> p;
    explicit Params(const std::vector<const char*>& texts) {
        for (const char* t : texts) {
            char* block = nullptr;
            if (t) {
                block = static_cast<char*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, strlen(t) + 1));
                memcpy(block, t, strlen(t) + 1);
            }
            p.push_back(block);
        }
        p.resize(12, nullptr);  // room for any action's parameters
    }
    ~Params() {
        for (char* b : p)
            if (b && HeapValidate(GetProcessHeap(), 0, b)) HeapFree(GetProcessHeap(), 0, b);
    }
    std::string Text(size_t i) const { return p[i] ? p[i] : "<null>"; }
};

bool Edit(WineContext& ctx, const std::string& what, int id, Params& params, const std::vector<DialogStep>& steps) {
    printf("  editor: %s\n", what.c_str());
    fflush(stdout);
    unsigned char result = 0;
    std::string failures = DriveDialogs(steps, [&]() { result = ctx.host.EditId(id, params.p.data()); });
    Check(failures.empty(), what + ": " + failures);
    return result != 0;
}

void EditorChecks(WineContext& ctx) {
    HANDLE heap = GetProcessHeap();
    // Null parameters show the defaults; OK writes every field as a heap text
    // of exactly its length + 1.
    {
        Params params({nullptr, nullptr, nullptr, nullptr});
        bool ok = Edit(ctx, "trim with null parameters", 21, params,
                       {Wait("Quillmont - Trim (Fast)"), Expect(200, ""), Expect(201, "00:00:00"),
                        Expect(202, "00:00:10"), Expect(203, ""), SetText(200, "C:\\in.mp4"),
                        Press(1)});
        Check(ok, "OK answers nonzero");
        const char* expected[4] = {"C:\\in.mp4", "00:00:00", "00:00:10", ""};
        for (int i = 0; i < 4; ++i) {
            char* b = params.p[i];
            Check(b && HeapValidate(heap, 0, b) && HeapSize(heap, 0, b) == strlen(expected[i]) + 1 &&
                      !strcmp(b, expected[i]),
                  "parameter " + std::to_string(i + 1) + " is a heap text of length + 1: " + params.Text(i));
        }
    }
    // Empty texts show empty fields; a list then selects its first entry.
    {
        Params params({"", "", ""});
        Edit(ctx, "rotate with empty texts", 43, params,
             {Expect(200, ""), ExpectSel(501, 0), Expect(501, "90"), Expect(202, ""),
              Press(1)});
        CheckEq(params.Text(1), "90", "the list's first entry is written back");
    }
    // The variable picker sends the name without brackets and writes back the answer in brackets.
    {
        ctx.host.accessAnswers[14] = "answer";
        ctx.host.accessRequests.clear();
        Params params({"[MyVar]", "0", "10", "out.mp4"});
        Edit(ctx, "variable picker", 21, params, {Press(300), Expect(200, "[answer]"), Press(1)});
        Check(ctx.host.accessRequests.size() == 1 && ctx.host.accessRequests[0].first == 14 &&
                  ctx.host.accessRequests[0].second == "MyVar",
              "request 14 carries MyVar");
        CheckEq(params.Text(0), "[answer]", "the picked variable is written back");
        ctx.host.accessAnswers[8] = "Rectangle7";
        Params rect({"Rectangle1"});
        Edit(ctx, "object picker", 122, rect, {Press(700), Expect(200, "Rectangle7"), Press(1)});
        CheckEq(ctx.host.accessRequests.back().second, "Rectangle1", "request 8 carries the field's text");
    }
    // Eight fields (their places: natively): the help panel is painted light yellow.
    {
        Params params({});
        Edit(ctx, "overlay advanced", 34, params,
             {Inspect([](HWND dialog) {
                  Capture shot = CaptureWindow(dialog);
                  int yellow = 0;
                  for (uint32_t px : shot.pixels) yellow += px == 0xFFFDD9;
                  return yellow < 20000 ? "help panel not light yellow: " + std::to_string(yellow) + " px" : "";
              }),
              Press(2)});
    }
    // Cancel and the close box leave the parameters as they were.
    {
        Params params({"a.mp4", "1", "2", "b.mp4"});
        char* before = params.p[0];
        bool ok = Edit(ctx, "cancel", 21, params, {SetText(200, "changed"), Press(2)});
        Check(!ok && params.p[0] == before && params.Text(0) == "a.mp4", "Cancel changes nothing");
        ok = Edit(ctx, "close box", 21, params, {SetText(200, "changed"), Close()});
        Check(!ok && params.p[0] == before && params.Text(0) == "a.mp4", "the close box changes nothing");
    }
}

std::string ProbeLine(WineContext& ctx, const std::string& entries, const std::string& file) {
    std::string out;
    RunProgram("\"" + ctx.tools + "\\ffprobe.exe\" -v error -show_entries " + entries + " -of csv=p=0 \"" + file + "\"",
               &out, 30000);
    std::string lines;
    for (char c : out)
        if (c != '\r') lines += c;
    while (!lines.empty() && lines.back() == '\n') lines.pop_back();
    return lines;
}

bool Export(WineContext& ctx, const std::string& what, const std::string& input, const std::vector<DialogStep>& steps) {
    printf("  export: %s\n", what.c_str());
    fflush(stdout);
    std::vector<DialogStep> all = {Wait("Export Video")};
    all.insert(all.end(), steps.begin(), steps.end());
    std::string failures = DriveDialogs(all, [&]() { ctx.host.Call("QMT_ExportDialog", {input}); }, 30000);
    Check(failures.empty(), what + ": " + failures);
    return failures.empty();
}

void ExportChecks(WineContext& ctx) {
    HostSimulator& host = ctx.host;
    host.Call("QMT_SetFFmpegPath", {ctx.tools});
    std::string clips = ctx.work + "\\clips";
    CreateDirectoryA(clips.c_str(), nullptr);
    std::string input = MakeMedia(ctx, "clips\\a.mp4", "-f lavfi -i testsrc=d=0.5:s=160x90:r=25 -f lavfi -i sine=d=0.5 "
                                                       "-c:v libx264 -pix_fmt yuv420p -c:a aac -shortest");

    // Cancel and the close box export nothing and set no output.
    host.SetVar("[QMT_LastOutput]", "unchanged");
    Export(ctx, "cancel", input, {Press(2)});
    Export(ctx, "close box", input, {Close()});
    CheckEq(host.Var("[QMT_LastOutput]"), "unchanged", "Cancel and close set nothing");

    // GIF keeps the codec choices (what each row's defaults make: natively) and runs the palette GIF at 320 wide, 10 fps.
    std::string gif = ctx.work + "\\g.gif";
    Export(ctx, "gif", input,
           {ExpectSel(2001, 0), ExpectSel(2002, 0), ExpectSel(2003, 0), ExpectSel(2004, 1),
            Choose(2002, 3), Choose(2003, 4), Choose(2001, 8), ExpectSel(2002, 3),
            ExpectSel(2003, 4), SetText(2005, gif), Press(1)});
    CheckEq(host.Var("[QMT_Status]"), "Complete", "gif export completes: " + host.Var("[QMT_Error]"));
    CheckEq(host.Var("[QMT_LastOutput]"), gif, "gif output reported");
    CheckEq(ProbeLine(ctx, "stream=codec_name,width,r_frame_rate", gif), "gif,320,10/1", "gif at 320 wide, 10 fps");

    // A format selects its codecs (WAV: FLAC); a refused pair is explained and the window stays open.
    host.SetVar("[QMT_LastOutput]", "unchanged");
    Export(ctx, "refused pair", input,
           {Choose(2001, 10), ExpectSel(2003, 3), Choose(2001, 1), Choose(2002, 0), Press(1), Press(1),
            ExpectSel(2001, 1), Press(2)});
    CheckEq(host.Var("[QMT_LastOutput]"), "unchanged", "a refused pair runs nothing");

    // Empty output: qmt_export.<ext> beside the input.
    Export(ctx, "default beside the input", input, {Choose(2001, 3), Press(1)});
    CheckEq(host.Var("[QMT_LastOutput]"), clips + "\\qmt_export.mkv", "default output beside the input");
    CheckEq(ProbeLine(ctx, "stream=codec_name", clips + "\\qmt_export.mkv"), "h264\naac", "MKV default codecs");
}

}  // namespace

QMT_WINE_CHECKS(editor) { EditorChecks(ctx); }

QMT_WINE_CHECKS(export) { ExportChecks(ctx); }
