// The timeline's dialogs and the split transition picker, opened by the
// plug-in code linked into this program and driven by control messages the
// way a person uses them: entries chosen, texts typed, buttons pressed. The
// driver closes whatever stays open when a step cannot be done.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include "host/dispatch.h"
#include "host/host_state.h"
#include "host/text_util.h"
#include "hostsim/dialog_driver.h"
#include "operations/transition_types.h"
#include "strips/filmstrip_record.h"
#include "strips/split_list.h"
#include "tests/wine/dialog_steps.h"
#include "tests/wine/wine_checks.h"
#include "timeline/dialog_values.h"
#include "timeline/timeline_dialogs.h"
#include "timeline/timeline_model.h"

namespace {

// A host whose variables read back what the plug-in wrote, as the real one does.
void QMT_CALL RememberingSet(const char* name, const char* value) {
    g_writes.emplace_back(name, value ? value : "");
    g_vars[name] = value ? value : "";
}

void Drive(const std::string& what, const std::vector<DialogStep>& steps, const std::function<void()>& call) {
    printf("  %s\n", what.c_str());
    fflush(stdout);
    std::string failures = DriveDialogs(steps, call, 8000);
    Check(failures.empty(), what + ": " + failures);
}


struct Placed {
    int id;
    int x, y, width, height;  // height 0: not checked (a drop-down's closed height is its own)
};

// Every control where the layout puts it, in "Segoe UI" 14, and the dialog
// centred over its owner.
std::string CheckLayout(HWND dialog, const std::vector<Placed>& placed) {
    std::string wrong;
    for (const Placed& p : placed) {
        RECT r = ChildRect(dialog, p.id);
        int w = r.right - r.left, h = r.bottom - r.top;
        if (r.left != p.x || r.top != p.y || w != p.width || (p.height && h != p.height))
            wrong += Fmt("control %d at %d,%d %dx%d; ", p.id, static_cast<int>(r.left), static_cast<int>(r.top), w, h);
        HFONT font = reinterpret_cast<HFONT>(SendDlgItemMessageA(dialog, p.id, WM_GETFONT, 0, 0));
        LOGFONTA lf;
        if (!font || !GetObjectA(font, sizeof lf, &lf) || strcmp(lf.lfFaceName, "Segoe UI") != 0 || lf.lfHeight != 14)
            wrong += Fmt("control %d not in Segoe UI 14; ", p.id);
    }
    RECT area, self;
    HWND owner = GetWindow(dialog, GW_OWNER);
    if (!owner || !GetWindowRect(owner, &area)) SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(dialog, &self);
    if (std::abs((area.left + area.right) - (self.left + self.right)) > 2 ||
        std::abs((area.top + area.bottom) - (self.top + self.bottom)) > 2)
        wrong += "not centred over its owner; ";
    return wrong;
}

std::string Checked(HWND dialog, int id, bool expected) {
    bool on = IsDlgButtonChecked(dialog, id) == BST_CHECKED;
    return on == expected ? std::string() : Fmt("button %d %s checked", id, expected ? "not" : "is");
}

DialogStep DoubleClickList() {
    return Inspect([](HWND d) {
        PostMessageA(d, WM_COMMAND, MAKEWPARAM(100, LBN_DBLCLK), reinterpret_cast<LPARAM>(GetDlgItem(d, 100)));
        return std::string();
    });
}

NleClip* ClipAtIndexVar(NleTimeline* tl, int track) {
    int slot = atoi(Last("[NLE_ClipIndex]").c_str());
    return tl ? ClipAt(*tl, track, slot) : nullptr;
}

void TimelineActionChecks() {
    Dispatch(200, {"Tl", ""});
    NleTimeline* tl = TimelineAt(FindTimeline("Tl"));
    Check(tl != nullptr, "a timeline in the linked-in table: " + Last("[QMT_Error]"));
    if (!tl) return;
    tl->playhead = 12.5;
    const int fx = 2, tx = 3;

    Drive("219: Grayscale at the playhead",
          {Wait("Add Effect"), ExpectSel(100, 0), Inspect([](HWND d) {
               return CheckLayout(d, {{100, 8, 8, 200, 200}, {1, 40, 216, 70, 26}, {2, 120, 216, 70, 26}});
           }),
           Press(1)},
          [] { Dispatch(219, {"TL"}); });
    NleClip* c = ClipAtIndexVar(tl, fx);
    Check(c && c->type == kClipEffect && c->start == 12.5 && c->duration == 5 && !strcmp(c->filter, "hue=s=0") &&
              !strcmp(c->label, "Grayscale"),
          "an FX clip from 12.5 s for 5 s with hue=s=0 labelled Grayscale");
    CheckEq(Last("[QMT_Status]"), "Complete", "the add reports Complete");

    Drive("219: a double-click takes the entry", {Wait("Add Effect"), Choose(100, 2), DoubleClickList()},
          [] { Dispatch(219, {"Tl"}); });
    c = ClipAtIndexVar(tl, fx);
    Check(c && !strcmp(c->filter, "boxblur=5:1") && !strcmp(c->label, "Blur"), "the double-clicked Blur is added");

    // Cancel, the close box and an empty text change and report nothing.
    size_t before = g_writes.size();
    int clips = CountClips(*tl);
    Drive("219: Cancel", {Wait("Add Effect"), Choose(100, 4), Press(2)}, [] { Dispatch(219, {"Tl"}); });
    Drive("219: the close box", {Wait("Add Effect"), Close()}, [] { Dispatch(219, {"Tl"}); });
    Drive("220: Cancel", {Wait("Text Overlay"), SetText(102, "Gone"), Press(2)}, [] { Dispatch(220, {"Tl"}); });
    Drive("220: OK with an empty text", {Wait("Text Overlay"), Press(1)}, [] { Dispatch(220, {"Tl"}); });
    Check(CountClips(*tl) == clips && g_writes.size() == before, "nothing changed or reported");

    Drive("220: Bottom Right, size 500, duration 0",
          {Wait("Text Overlay"), Expect(102, ""), Expect(104, "48"), ExpectSel(110, 0), Expect(106, "50"),
           Expect(108, "50"), Expect(112, "5"),
           Inspect([](HWND d) {
               std::string wrong = CheckLayout(
                   d, {{102, 48, 8, 240, 22}, {104, 48, 36, 40, 22}, {113, 100, 36, 70, 22}, {110, 48, 64, 180, 0},
                       {106, 28, 94, 45, 22}, {108, 102, 94, 45, 22}, {112, 88, 122, 40, 22}, {1, 80, 154, 70, 26},
                       {2, 160, 154, 70, 26}});
               if (GetFocus() != GetDlgItem(d, 102)) wrong += "the text box has no focus; ";
               return wrong;
           }),
           SetText(102, "Hello"), SetText(104, "500"), Choose(110, 7), Expect(106, "0"), Expect(108, "0"),
           SetText(112, "0"), Press(1)},
          [] { Dispatch(220, {"Tl"}); });
    c = ClipAtIndexVar(tl, tx);
    Check(c && c->type == kClipText && !strcmp(c->text, "Hello") && !strcmp(c->label, "Hello") && c->start == 12.5 &&
              c->duration == 1 && c->fontSize == 200 && c->textX == -2 && c->textY == -2 && c->textColor == 0xFFFFFF,
          "a TX clip at 12.5 s: size 500 stored as 200, Bottom Right as -2/-2, duration 0 as 1, white");

    Drive("220: Top Left, size 4, a colour from the chooser",
          {Wait("Text Overlay"), SetText(102, "Red"), SetText(104, "4"), Choose(110, 1), Expect(106, "20"),
           Expect(108, "20"), Press(113), Wait("Color"),
           Inspect([](HWND d) {
               // The chooser's red, green and blue boxes.
               SetDlgItemTextA(d, 706, "255");
               SetDlgItemTextA(d, 707, "0");
               SetDlgItemTextA(d, 708, "0");
               return std::string();
           }),
           Press(1), Wait("Text Overlay"), Press(1)},
          [] { Dispatch(220, {"Tl"}); });
    c = ClipAtIndexVar(tl, tx);
    Check(c && !strcmp(c->text, "Red") && c->fontSize == 8 && c->textX == 20 && c->textY == 20,
          "size 4 stored as 8, Top Left as 20/20");
    Check(c && c->textColor == 0x0000FF, Fmt("the chosen red is the clip's colour: %06X", c ? c->textColor : 0));
    Dispatch(201, {"Tl"});
}

void TransitionDialogChecks() {
    TransitionDialogState state = SharedTransitionDialogState();
    PrimeTransitionDialog(state, "out:CircleOpen", 0.8);
    Drive("transition dialog primed with out:CircleOpen",
          {Wait("Set Transition"), ExpectSel(100, 18), Expect(203, "0.8"),
           Inspect([](HWND d) {
               return Checked(d, 201, true) + Checked(d, 200, false) +
                      CheckLayout(d, {{100, 8, 8, 270, 180}, {200, 52, 195, 60, 18}, {201, 118, 195, 60, 18},
                                      {203, 92, 218, 45, 22}, {1, 60, 250, 80, 28}, {2, 150, 250, 80, 28}});
           }),
           SetText(203, "0.05"), Press(1)},
          [&] { PickTransition(state); });
    Check(state.ok && state.chosen == 18 && state.applyEnd && state.duration == 0.5,
          "OK keeps Circle Open with End; 0.05 s becomes 0.5");
    CheckEq(PickedTransIn(state), "out:circleopen", "the clip's text for it");

    Drive("transition dialog: Wipe Left from the start",
          {Wait("Set Transition"), Choose(100, 20), Inspect([](HWND d) {
               CheckRadioButton(d, 200, 201, 200);
               return std::string();
           }),
           SetText(203, "2"), Press(1)},
          [&] { PickTransition(state); });
    Check(state.ok && state.chosen == 20 && !state.applyEnd && state.duration == 2.0, "Wipe Left, Start, 2 s");

    Drive("transition dialog: Cancel", {Wait("Set Transition"), Choose(100, 3), Press(2)}, [&] { PickTransition(state); });
    Check(!state.ok && state.chosen == 20, "Cancel clears the OK flag and keeps the last choice");
}

void SplitPickerChecks() {
    int slot = OpenFrameStrip("Strip", "C:\\v.mp4", "Player", kNoWindow, 640, 90);
    FrameStripRecord* strip = FrameStripAt(slot);
    Check(strip != nullptr, "a filmstrip record in the linked-in table");
    if (!strip) return;
    strip->duration = 30.0;
    strip->framesReady = 20;
    Check(AddSplitAt(*strip, 10.0).ok, "a split at 10 s, selected");
    int circleOpen = FindTransitionType("circleopen") + 1;

    Drive("189: circleopen for 2.5 s",
          {Wait("Select Transition"), ExpectSel(100, 1), Expect(101, "1.0"),
           Inspect([](HWND d) {
               return CheckLayout(d, {{100, 88, 10, 190, 0}, {101, 88, 42, 55, 22}, {1, 88, 76, 80, 28},
                                      {2, 176, 76, 80, 28}});
           }),
           Choose(100, circleOpen), SetText(101, "2.5"), Press(1)},
          [] { Dispatch(189, {"strip"}); });
    CheckEq(Last("[QMT_PickedTransition]") + " " + Last("[QMT_PickedDuration]") + " " + Last("[QMT_Status]"),
            "circleopen 2.5 Transition assigned to split", "the picked transition and duration");
    Check(!strcmp(strip->splits[0].transition, "circleopen") && strip->splits[0].transitionDuration == 2.5,
          "the split holds circleopen for 2.5 s");

    size_t before = g_writes.size();
    Drive("189: Cancel", {Wait("Select Transition"), Choose(100, 0), Press(2)}, [] { Dispatch(189, {"Strip"}); });
    Check(g_writes.size() == before && !strcmp(strip->splits[0].transition, "circleopen"),
          "Cancel writes and changes nothing");

    Drive("189: a plain cut", {Wait("Select Transition"), Choose(100, 0), Press(1)}, [] { Dispatch(189, {"Strip"}); });
    CheckEq(Last("[QMT_PickedTransition]"), "none", "entry 0 is written as none");
    Check(!strip->splits[0].transition[0], "and clears the split's transition");

    Check(SetSplitInsertClip(*strip, "C:\\clip.mp4", true).ok, "a clip inserted at the split");
    Drive("192: the exit transition, duration left empty",
          {Wait("Select Transition"), Choose(100, 1), SetText(101, ""), Press(1)}, [] { Dispatch(192, {"Strip"}); });
    CheckEq(Last("[QMT_Status]"), "Exit transition set on insert", "the exit transition is set");
    Check(!strcmp(strip->splits[0].exitTransition, "fade") && strip->splits[0].exitDuration == 1.0,
          "fade for 1.0 s, the empty duration read as 1.0");
    CloseFrameStrip(slot, kStripDestroyWaitMs);
}

}  // namespace

QMT_WINE_CHECKS(timeline_dialogs) {
    SetVariableProc savedSet = g_host.setVariable;
    g_host.setVariable = RememberingSet;
    HWND rect = reinterpret_cast<HWND>(ctx.host.AddRectangle("Tl", 640, 200));
    HWND top = GetAncestor(rect, GA_ROOT);
    SetWindowPos(top, HWND_TOP, 40, 40, 800, 600, SWP_SHOWWINDOW);
    SetActiveWindow(top);
    UpdateWindow(top);
    Check(GetActiveWindow() == top, "the host window is active, so dialogs are centred over it");

    TimelineActionChecks();
    TransitionDialogChecks();
    SplitPickerChecks();
    g_host.setVariable = savedSet;
}
