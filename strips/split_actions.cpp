#include "strips/split_actions.h"
#include "host/host_state.h"
#include "host/messages.h"
#include "host/report.h"
#include "host/text_util.h"
#include "host/window_frame.h"
#include "platform/platform.h"
#include "playback/player_registry.h"
#include "strips/split_list.h"
#include "strips/split_render.h"
#include "strips/strip_records.h"
#include "toolchain/time_values.h"

namespace {

FrameStripRecord* Strip(const std::string& fsRect) { return FrameStripAt(FindFrameStrip(fsRect)); }

void Repaint(FrameStripRecord& strip) { InvalidateFrameWindow(strip.stripWindow); }

void SetTransition(const ActionArgs& a, SplitTransitionEnd end, const char* noSelection) {
    FrameStripRecord* strip = Strip(a.text(0));
    if (!strip) {
        ReportError(msg::kNoStrip);
        return;
    }
    Outcome set = SetSplitTransition(*strip, end, a.text(1), a.text(2), noSelection);
    if (!set.ok) return ReportFailure(set);
    std::string duration = Fmt("%.2f", ClampSplitDuration(a.text(2)));
    if (end == kSplitEntry) {
        SetHostVar("[QMT_SplitTransition]", a.text(1));
        SetHostVar("[QMT_SplitDuration]", duration);
        ReportStatusWord(msg::kTransitionAssigned);
    } else {
        SetHostVar("[QMT_SplitTransitionOut]", a.text(1));
        SetHostVar("[QMT_SplitDurationOut]", duration);
        ReportStatusWord(msg::kExitTransitionSet);
    }
    Repaint(*strip);
}

}  // namespace

void PublishSplitCount(int slot) {
    FrameStripRecord* strip = FrameStripAt(slot);
    if (!strip) return;
    int count, selected;
    {
        plat::LockHold held(strip->lock);
        count = strip->splitCount;
        selected = strip->selectedSplit;
    }
    SetHostVar("[QMT_SplitCount]", Fmt("%d", count));
    SetHostVar("[QMT_SplitIndex]", Fmt("%d", selected));
}

void SplitAddAction(const ActionArgs& a) {
    int slot = FindFrameStrip(a.text(0));
    FrameStripRecord* strip = FrameStripAt(slot);
    if (!strip) {
        ReportError(msg::kNoStrip);
        return;
    }
    Outcome added = SplitAddRefusal(*strip);
    int player = added.ok ? FindPlayer(strip->playerRectName) : -1;
    if (added.ok && player < 0) added = Failed(msg::kNoPlayer);
    double ms = 0;
    if (added.ok) {
        PlayerPositionMs(player, ms);
        added = AddSplitAt(*strip, ms / 1000.0);
    }
    if (!added.ok) return ReportFailure(added);
    double p = ms / 1000.0;
    PublishSplitCount(slot);
    SetHostVar("[QMT_SplitTime]", FormatTimecode(p));
    SetHostVar("[QMT_SplitTimeSec]", Fmt("%.3f", p));
    SetHostVar("[QMT_SplitTransition]", "");
    SetHostVar("[QMT_SplitDuration]", "1.00");
    ReportStatusWord(msg::kSplitAdded);
    Repaint(*strip);
}

void SplitRemoveAction(const ActionArgs& a) {
    int slot = FindFrameStrip(a.text(0));
    FrameStripRecord* strip = FrameStripAt(slot);
    if (!strip) {
        ReportError(msg::kNoStrip);
        return;
    }
    if (!RemoveSelectedSplit(*strip)) {
        ReportError(msg::kNoSplitSelected);
        return;
    }
    PublishSplitCount(slot);
    SetHostVar("[QMT_SplitIndex]", "-1");
    ReportStatusWord(msg::kSplitRemoved);
    Repaint(*strip);
}

void SplitClearAction(const ActionArgs& a) {
    int slot = FindFrameStrip(a.text(0));
    FrameStripRecord* strip = FrameStripAt(slot);
    if (!strip) return;
    ClearSplits(*strip);
    PublishSplitCount(slot);
    ReportStatusWord(msg::kSplitsCleared);
    Repaint(*strip);
}

void SplitListAction(const ActionArgs& a) {
    FrameStripRecord* strip = Strip(a.text(0));
    SetHostVar(a.text(1), strip ? SplitListText(*strip) : std::string());
}

void SplitSetTransitionAction(const ActionArgs& a) { SetTransition(a, kSplitEntry, msg::kClickSplitFirst); }

void SplitSetTransitionOutAction(const ActionArgs& a) { SetTransition(a, kSplitExit, msg::kNoSplitSelected); }

void SplitGetSelectedAction(const ActionArgs& a) {
    FrameStripRecord* strip = Strip(a.text(0));
    SplitRecord split;
    if (!strip || !SelectedSplit(*strip, split)) {
        for (int i = 1; i <= 3; ++i) SetHostVar(a.text(i), "");
        return;
    }
    SetHostVar(a.text(1), FormatTimecode(split.time));
    SetHostVar(a.text(2), split.transition[0] ? split.transition : "none");
    SetHostVar(a.text(3), Fmt("%.2f", split.transitionDuration));
}

void SplitGetCountAction(const ActionArgs& a) {
    FrameStripRecord* strip = Strip(a.text(0));
    int count = 0;
    if (strip) {
        plat::LockHold held(strip->lock);
        count = strip->splitCount;
    }
    SetHostVar(a.text(1), Fmt("%d", count));
}

void SplitRenderAction(const ActionArgs& a) {
    ReportStart();
    FrameStripRecord* strip = Strip(a.text(0));
    if (!strip) {
        ReportError(msg::kNoStrip);
        return;
    }
    // The render works on its own copy, so the strip stays usable meanwhile.
    RenderSplits(CopySplits(*strip), a.text(1), a.text(2));
}

void SplitInsertClipAction(const ActionArgs& a) {
    FrameStripRecord* strip = Strip(a.text(0));
    if (!strip) {
        ReportError(msg::kNoStrip);
        return;
    }
    std::string clip = a.text(1);
    Outcome set = SetSplitInsertClip(*strip, clip, plat::FileExists(clip));
    if (!set.ok) return ReportFailure(set);
    SetHostVar("[QMT_SplitInsertClip]", clip);
    ReportStatusWord(clip.empty() ? msg::kInsertClipRemoved : msg::kClipInserted);
    Repaint(*strip);
}

Outcome PickTransitionRefusal(const std::string& fsRect, bool exitTransition) {
    FrameStripRecord* strip = Strip(fsRect);
    if (!strip) return Failed(msg::kNoStrip);
    SplitRecord split;
    if (!SelectedSplit(*strip, split))
        return Failed(exitTransition ? msg::kNoSplitSelected : msg::kClickStripSplitFirst);
    if (exitTransition && !split.insertClip[0]) return Failed(msg::kNoInsertInsertFirst);
    return Done();
}

void ApplyPickedTransition(const std::string& fsRect, bool exitTransition) {
    std::string type = CutTo(GetHostVar("[QMT_PickedTransition]"), 64);
    std::string duration = CutTo(GetHostVar("[QMT_PickedDuration]"), 32);
    if (duration.empty()) duration = "1.0";
    std::string values[3] = {fsRect, type, duration};
    char* params[3] = {&values[0][0], &values[1][0], &values[2][0]};
    ActionArgs args{params};
    if (exitTransition)
        SplitSetTransitionOutAction(args);
    else
        SplitSetTransitionAction(args);
}

bool SelectSplitByClick(int slot, int x) {
    FrameStripRecord* strip = FrameStripAt(slot);
    if (!strip) return false;
    int index = SplitAtClick(*strip, x);
    if (index < 0) return false;
    SelectSplit(*strip, index);
    SplitRecord s;
    SelectedSplit(*strip, s);
    SetHostVar("[QMT_SplitTime]", FormatTimecode(s.time));
    SetHostVar("[QMT_SplitTimeSec]", Fmt("%.3f", s.time));
    SetHostVar("[QMT_SplitTransition]", s.transition);
    SetHostVar("[QMT_SplitDuration]", Fmt("%.2f", s.transitionDuration));
    SetHostVar("[QMT_SplitInsertClip]", s.insertClip);
    SetHostVar("[QMT_SplitTransitionOut]", s.exitTransition);
    SetHostVar("[QMT_SplitDurationOut]", Fmt("%.2f", s.exitDuration));
    SetHostVar("[QMT_SplitIndex]", Fmt("%d", index));
    SetHostVar("[QMT_SplitClip]", s.insertClip);
    SetHostVar("[QMT_SplitExitTransition]", s.exitTransition);
    SetHostVar("[QMT_SplitExitDuration]", Fmt("%.2f", s.exitDuration));
    ReportStatusWord(msg::kSplitSelected);
    InvalidateFrameWindow(strip->stripWindow);
    return true;
}
