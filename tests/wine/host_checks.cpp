// The DLL through its exports: registrations, out-texts on the process heap,
// the parameter editor's shell and the Rectangle windows the host provides.
#include <cstring>
#include "tests/wine/wine_checks.h"
#include "host/catalogue.h"
#include "host/plugin_api.h"
#include "playback/rectangle_lookup.h"

QMT_WINE_CHECKS(host) {
    HostSimulator& host = ctx.host;
    // Every catalogue row in order: headers (id 0) and actions with their
    // hints, parameter types and both counts.
    const std::vector<RegisteredAction>& actions = host.Actions();
    auto typeCodes = [](const RegisteredAction& a) {  // the type bytes as the row's characters
        std::string codes;
        for (unsigned char t : a.types) codes += static_cast<char>('0' + t);
        return codes;
    };
    bool same = actions.size() == static_cast<size_t>(kCatalogueRows);
    for (size_t i = 0; same && i < actions.size(); ++i) {
        const CatalogueRow& row = kCatalogue[i];
        same = actions[i].id == row.id && actions[i].name == row.name && actions[i].hint == row.hint &&
               actions[i].count == row.count && actions[i].count2 == row.count &&
               typeCodes(actions[i]) == row.types;
        if (!same) Check(false, "registration " + std::to_string(i) + " (" + actions[i].name + ") differs from its row");
    }
    Check(same, std::to_string(actions.size()) + " registrations follow the catalogue's rows in order");
    Check(host.initResult != 0, "nbInitPlugIn returns InitCommonControlsEx's success");

    // Out-texts: host blocks on the process heap are reallocated to the exact size.
    HMODULE module = LoadLibraryA(ctx.dll.c_str());
    typedef int32_t(QMT_CALL * InitFn)(void*, char**, char**, char**);
    InitFn init = reinterpret_cast<InitFn>(GetProcAddress(module, "_nbInitPlugIn"));
    Check(init != nullptr, "_nbInitPlugIn found by GetProcAddress");
    if (init) {
        HANDLE heap = GetProcessHeap();
        char* title = static_cast<char*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, 64));
        char* publisher = nullptr;
        char* hint = static_cast<char*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, 2));
        init(nullptr, &title, &publisher, &hint);
        Check(title && HeapValidate(heap, 0, title) && HeapSize(heap, 0, title) == 10 && !strcmp(title, "Quillmont"),
              "title block reallocated to length + 1");
        Check(publisher && HeapValidate(heap, 0, publisher) && HeapSize(heap, 0, publisher) == strlen(publisher) + 1,
              "publisher block allocated on the process heap");
        Check(hint && HeapValidate(heap, 0, hint) && strncmp(hint, "V1.3 - ", 7) == 0 &&
                  HeapSize(heap, 0, hint) == strlen(hint) + 1,
              "hint block grown to the hint's length + 1");
        HeapFree(heap, 0, title);
        HeapFree(heap, 0, publisher);
        HeapFree(heap, 0, hint);
    }
    FreeLibrary(module);

    intptr_t stage = host.AddRectangle("Stage", 320, 240);
    HWND window = reinterpret_cast<HWND>(stage);
    RECT client = {0, 0, 0, 0};
    Check(IsWindow(window) && GetClientRect(window, &client) && client.right == 320 && client.bottom == 240,
          "a named Rectangle is a real child window of the requested client size");
    Check(GetParent(window) != nullptr && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD),
          "the Rectangle is a child of the host window");
    Check(FindRectangleWindow("STAGE") == WindowHandle{stage}, "FindRectangleWindow resolves the Rectangle (any case)");
    Check(FindRectangleWindow("Backstage") == kNoWindow, "an unknown Rectangle gives 0");

    std::string wav = MakeMedia(ctx, "tone.wav", "-f lavfi -i sine=d=2:sample_rate=8000 -c:a pcm_s16le");
    CheckHostScript(ctx, "a generated file's duration through the DLL and the Windows ffprobe",
                    "QMT_SetFFmpegPath \"" + ctx.tools + "\"\nQMT_GetDuration \"" + wav +
                        "\" \"[D]\"\nAssert [D] \"00:00:02.000\"\n");
    // A script run the way a user runs it, with qmthost.exe.
    const std::string script = "Rectangle Player1 160 90\nQMT_SetFFmpegPath \"" + ctx.tools +
                               "\"\nAssert [QMT_Status] \"Complete\"\nAssert [QMT_FFmpegPath] \"" + ctx.tools +
                               "\"\nEcho done\n";
    std::string output;
    long rc = RunQmthostScript(ctx, script + "Assert [QMT_Status] \"Error\"\n", &output);
    Check(rc == 1 && output.find("done") != std::string::npos && output.find(":6:") != std::string::npos,
          "qmthost.exe runs a script and names the failing line: exit " + std::to_string(rc) + ", " + output);
}
