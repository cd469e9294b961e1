// The about box from the DLL's resources, opened twice through nbAbout.
#include <cstring>
#include "tests/wine/wine_checks.h"

namespace {

struct AboutSeen {
    bool logoControls = false;
    bool versionText = false;
    int width = 0;
};

BOOL CALLBACK FindVersionText(HWND child, LPARAM p) {
    char text[128] = {0};
    GetWindowTextA(child, text, sizeof text);
    if (!strcmp(text, "Quillmont V1.3")) reinterpret_cast<AboutSeen*>(p)->versionText = true;
    return TRUE;
}

}  // namespace

QMT_WINE_CHECKS(about) {
    for (int round = 1; round <= 2; ++round) {
        std::string n = " (opening " + std::to_string(round) + ")";
        AboutSeen seen;
        DialogWatcher watcher("About Quillmont", [&](HWND dialog) {
            seen.logoControls = GetDlgItem(dialog, 3001) != nullptr && GetDlgItem(dialog, 3002) != nullptr;
            EnumChildWindows(dialog, FindVersionText, reinterpret_cast<LPARAM>(&seen));
            RECT r;
            GetClientRect(dialog, &r);
            seen.width = r.right - r.left;
        });
        int result = ctx.host.About();
        Check(watcher.Finish(), "about box from resource 300 shown" + n);
        Check(result == IDOK, "about box ends with OK" + n);
        Check(seen.logoControls, "about box has its picture controls 3001 and 3002" + n);
        Check(seen.versionText, "about box shows \"Quillmont V1.3\"" + n);
        Check(seen.width > 200, "about box laid out in dialog units" + n);
    }
}
