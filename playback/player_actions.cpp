// The player actions: create, transport, seek, volume, speed, position and
// state, loop, load and fullscreen, each addressed by its Rectangle's name.
// Play, pause and stop also steer a running timeline preview.
#include <cstdlib>
#include "host/dispatch.h"
#include "host/host_state.h"
#include "host/messages.h"
#include "host/report.h"
#include "host/text_util.h"
#include "platform/playback_os.h"
#include "playback/player_conversions.h"
#include "playback/player_registry.h"
#include "playback/preview_process.h"
#include "toolchain/time_values.h"

void RegisterPreviewActions();

namespace {

void SetStatusWord(int slot, const char* word) {
    if (g_players[slot].statusVar[0]) SetHostVar(g_players[slot].statusVar, word);
}

// While a timeline preview plays in an ffplay window, play and pause go to
// that window as its space-key toggle and the player itself is left alone.
bool PreviewTakesPlay() {
    TimelinePreviewState& s = g_timelinePreview;
    if (!s.previewActive || !PreviewWindowLive()) return false;
    if (s.previewPaused) {
        plat::PostSpaceKey(g_preview.ffplayWindow);
        s.previewPaused = false;
        s.previewStartTick = PreviewTickNow() + (s.previewStartTick - s.previewPauseTick);
    }
    return true;
}

bool PreviewTakesPause() {
    TimelinePreviewState& s = g_timelinePreview;
    if (!s.previewActive || !PreviewWindowLive()) return false;
    if (!s.previewPaused) {
        plat::PostSpaceKey(g_preview.ffplayWindow);
        s.previewPaused = true;
        s.previewPauseTick = PreviewTickNow();
    }
    return true;
}

// Stop ends the timeline preview and puts the page's input video back into
// the player's Rectangle.
void StopTimelinePreview(const std::string& rectName) {
    ResetTimelinePreview();
    EndPreviewProcess(500);
    std::string input = GetHostVar("[InputFile]");
    if (!input.empty()) CreatePlayer(rectName, input, "");
    ReportStatusWord(msg::kComplete);
}

void Create(const ActionArgs& a) { CreatePlayer(a.text(0), a.text(1), a.text(2)); }

void Destroy(const ActionArgs& a) {
    int slot = FindPlayer(a.text(0));
    if (slot >= 0) ClosePlayer(slot);
}

void Play(const ActionArgs& a) {
    int slot = FindPlayer(a.text(0));
    if (slot < 0 || PreviewTakesPlay()) return;
    PlayerCommand(slot, "play %s");
    SetStatusWord(slot, "Playing");
}

void Pause(const ActionArgs& a) {
    int slot = FindPlayer(a.text(0));
    if (slot < 0 || PreviewTakesPause()) return;
    PlayerCommand(slot, "pause %s");
    SetStatusWord(slot, "Paused");
}

void Stop(const ActionArgs& a) {
    int slot = FindPlayer(a.text(0));
    if (slot < 0) return;
    if (g_timelinePreview.previewActive) {
        StopTimelinePreview(a.text(0));
        return;
    }
    PlayerCommand(slot, "stop %s");
    PlayerCommand(slot, "seek %s to start");
    SetStatusWord(slot, "Stopped");
}

void Seek(const ActionArgs& a) {
    int slot = FindPlayer(a.text(0));
    if (slot >= 0) PlayerSeekMs(slot, SeekMilliseconds(a.text(1)));
}

void Volume(const ActionArgs& a) {
    int slot = FindPlayer(a.text(0));
    if (slot >= 0) SendMci(Fmt("setaudio %s volume to %d", PlayerAlias(slot).c_str(), MciVolume(a.text(1))));
}

void Position(const ActionArgs& a) {
    int slot = FindPlayer(a.text(0));
    if (slot < 0) {
        SetHostVar(a.text(1), "00:00:00.000");
        return;
    }
    std::string reply;
    PlayerCommand(slot, "status %s position", &reply);
    double ms = atof(reply.c_str());
    SetHostVar(a.text(1), FormatTimecodeMs(ms));
    SetHostVar("[QMT_PositionSec]", Fmt("%.3f", ms / 1000.0));
}

void State(const ActionArgs& a) {
    int slot = FindPlayer(a.text(0));
    if (slot < 0) {
        SetHostVar(a.text(1), "None");
        return;
    }
    std::string reply;
    PlayerCommand(slot, "status %s mode", &reply);
    SetHostVar(a.text(1), reply);
}

void Loop(const ActionArgs& a) {
    int slot = FindPlayer(a.text(0));
    if (slot >= 0) g_players[slot].loop = IsOnWord(a.text(1), true);
}

void Load(const ActionArgs& a) {
    int slot = FindPlayer(a.text(0));
    if (slot >= 0) ReloadPlayer(slot, a.text(1));
}

void PlayerSpeed(const ActionArgs& a) {
    int slot = FindPlayer(a.text(0));
    if (slot >= 0) SendMci(Fmt("set %s speed %d", PlayerAlias(slot).c_str(), MciSpeed(a.text(1))));
}

// The video window stays a child of the Rectangle; "full screen" makes it
// the screen's size.
void Fullscreen(const ActionArgs& a) {
    int slot = FindPlayer(a.text(0));
    if (slot < 0) return;
    int width = 0, height = 0;
    if (IsOnWord(a.text(1), false)) plat::ScreenSize(width, height);
    else plat::ClientSize(g_players[slot].rectWindow, width, height);
    PutPlayerWindow(slot, width, height);
}

}  // namespace

void RegisterPlaybackActions() {
    RegisterAction(121, Create);
    RegisterAction(122, Destroy);
    RegisterAction(123, Play);
    RegisterAction(124, Pause);
    RegisterAction(125, Stop);
    RegisterAction(126, Seek);
    RegisterAction(127, Volume);
    RegisterAction(128, Position);
    RegisterAction(129, State);
    RegisterAction(130, Loop);
    RegisterAction(131, Load);
    RegisterAction(132, PlayerSpeed);
    RegisterAction(133, Fullscreen);
    RegisterPreviewActions();
}
