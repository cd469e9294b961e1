// Filter previews: FFplay plays the current video with an author's filter
// chain, over the player (blocking) or inside a Rectangle (in the background).
#include "host/dispatch.h"
#include "host/host_state.h"
#include "host/messages.h"
#include "host/report.h"
#include "host/text_util.h"
#include "platform/playback_os.h"
#include "playback/player_registry.h"
#include "playback/preview_process.h"
#include "playback/rectangle_lookup.h"
#include "toolchain/command_builder.h"

void RegisterPreviewActions();

namespace {

bool TooSmall(int width, int height) { return width < 160 || height < 120; }

struct PreviewBox {
    int width = 0, height = 0;
    int left = -1, top = -1;
};

void BoxOfWindow(WindowHandle window, PreviewBox& box) {
    plat::ClientSize(window, box.width, box.height);
    plat::ClientOrigin(window, box.left, box.top);
}

void Preview(const ActionArgs& a) {
    std::string target = a.text(0), filter = a.text(1);
    std::string video;
    PreviewBox box;
    if (plat::FileExists(target)) {
        video = target;
    } else {
        int slot = FindPlayer(target);
        if (slot >= 0 && g_players[slot].rectWindow != kNoWindow) {
            video = g_players[slot].videoPath;
            BoxOfWindow(g_players[slot].rectWindow, box);
        }
    }
    if (video.empty()) {
        ReportError(msg::kPreviewVideoNotFound);
        return;
    }
    if (TooSmall(box.width, box.height)) {
        for (int i = 0; i < kMaxPlayers; ++i) {
            if (!g_players[i].inUse || !g_players[i].rectWindow) continue;
            BoxOfWindow(g_players[i].rectWindow, box);
            break;
        }
    }
    if (TooSmall(box.width, box.height)) {
        plat::ScreenSize(box.width, box.height);
        box.width = box.width * 2 / 3;
        box.height = box.height * 2 / 3;
    }
    std::string chain = filter.empty() ? Fmt("scale=%d:%d:flags=bilinear", box.width, box.height)
                                       : Fmt("%s,scale=%d:%d:flags=bilinear", filter.c_str(), box.width, box.height);
    CommandOutcome arguments =
        box.left >= 0 && box.top >= 0
            ? BuildCommand(
                  "-i \"%s\" -vf \"%s\" -x %d -y %d -left %d -top %d -noborder -window_title \"QMT Preview\" -autoexit",
                  {{"Video", video}, {"Filter", chain}, {"Width", box.width}, {"Height", box.height},
                   {"Left", box.left}, {"Top", box.top}})
            : BuildCommand("-i \"%s\" -vf \"%s\" -x %d -y %d -noborder -window_title \"QMT Preview\" -autoexit",
                           {{"Video", video}, {"Filter", chain}, {"Width", box.width}, {"Height", box.height}});
    if (!arguments.ok) {
        ReportError(arguments.error);
        return;
    }
    ReportFailure(LaunchFFplayBlocking(arguments.text));
}

void PreviewInRect(const ActionArgs& a) {
    ReportStart();
    std::string rectName = a.text(0), filter = a.text(1);
    WindowHandle rect = FindRectangleWindow(rectName);
    int slot = FindPlayer(rectName);
    std::string video = slot >= 0 ? g_players[slot].videoPath : "";
    if (video.empty()) video = GetHostVar("[InputFile]");
    if (video.empty() && plat::FileExists(rectName)) video = rectName;
    if (video.empty()) {
        ReportError(msg::kNoVideoToPreview);
        return;
    }
    int width = 0, height = 0;
    if (!rect || !plat::ClientSize(rect, width, height) || TooSmall(width, height)) {
        width = 514;
        height = 289;
    }
    std::string chain = filter.empty() ? Fmt("scale=%d:%d:flags=bilinear", width, height)
                                       : Fmt("scale=%d:%d:flags=bilinear,%s", width, height, filter.c_str());
    CommandOutcome arguments = BuildCommand(
        "-i \"%s\" -vf \"%s\" -x %d -y %d -noborder -window_title \"QMT Preview\" -autoexit -loglevel quiet",
        {{"Video", video}, {"Filter", chain}, {"Width", width}, {"Height", height}});
    if (!arguments.ok) {
        ReportError(arguments.error);
        return;
    }
    Outcome launched = LaunchFFplay(arguments.text, rect);
    if (!launched.ok) return ReportFailure(launched);
    ReportStatusWord(msg::kPreviewing);
    ReportComplete();
}

void PreviewStop(const ActionArgs&) {
    ReportStart();
    ResetTimelinePreview();
    EndPreviewProcess(1000);
    ReportComplete();
}

}  // namespace

void RegisterPreviewActions() {
    RegisterAction(134, Preview);
    RegisterAction(135, PreviewInRect);
    RegisterAction(136, PreviewStop);
}
