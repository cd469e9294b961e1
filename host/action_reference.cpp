// The reporting facts of every action, kept beside the catalogue so that the
// generated authors' reference cannot drift from what the handlers do.
#include "host/action_reference.h"
#include <algorithm>
#include <initializer_list>
#include "host/messages.h"

namespace {

using Strings = std::vector<std::string>;
using Writes = std::vector<VariableNote>;

Strings Join(std::initializer_list<Strings> parts) {
    Strings all;
    for (const Strings& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

// What the process runner reports for an ffmpeg run.
const Strings kRunner = {
    msg::kFFmpegNotFound,
    msg::kFFmpegLaunchFailed,
    msg::kFFmpegFailed,
};
const Strings kProbeFailed = {msg::kProbeLaunchFailed};
// File operations refuse a command that does not fit the argument buffer.
const Strings kTooLong = {msg::kArgumentsTooLong};
// A value that stands outside quotes in its command (a time, a rate, a codec
// word) must be one word: empty values and values with blanks are refused.
const Strings kNotOneWord = {msg::kNotOneWord};
const Strings kFFplay = {
    msg::kFFplayNotFound,
    msg::kFFplayMissing,
    msg::kFFplayLaunchFailed,
};

const VariableNote kToolPath = {"[QMT_FFmpegPath]", "the FFmpeg folder in use, refreshed before every tool run"};
const Writes kSelection = {
    {"[NLE_SelTrack]", "track index of the selected clip, -1 when none"},
    {"[NLE_SelClip]", "slot index of the selected clip, -1 when none"},
    {"[NLE_SelLabel]", "its label"},
    {"[NLE_SelFile]", "its media file"},
    {"[NLE_SelFilter]", "its effect filter"},
    {"[NLE_SelStart]", "its start in seconds (three decimals)"},
    {"[NLE_SelDuration]", "its duration in seconds (three decimals)"},
    {"[NLE_SelText]", "its overlay text"},
    {"[NLE_SelType]", "its clip type (0 video, 1 image, 2 effect, 3 text, 4 audio); kept when nothing is selected"},
    {"[NLE_SelTransition]", "its entry transition; kept when nothing is selected"},
};
const Writes kSplitCount = {
    {"[QMT_SplitCount]", "number of splits on the filmstrip"},
    {"[QMT_SplitIndex]", "index of the selected split, -1 when none"},
};
const Writes kOverlayBox = {
    {"[OvX]", "left edge of the overlay box in pixels"},
    {"[OvY]", "top edge in pixels"},
    {"[OvW]", "width in pixels"},
    {"[OvH]", "height in pixels"},
    {"[OvVideoW]", "width of the player area the box is measured in"},
    {"[OvVideoH]", "height of that area"},
};

Writes With(Writes base, std::initializer_list<VariableNote> more) {
    base.insert(base.end(), more.begin(), more.end());
    return base;
}

// Shared parts of the message lists below.
const Strings kRun = Join({kRunner, kTooLong});
const Strings kProbeRun = Join({kRunner, kProbeFailed, kTooLong});
const Strings kRunWord = Join({kRun, kNotOneWord});
const Strings kProbeRunWord = Join({kProbeRun, kNotOneWord});
const Strings kCodecWords = Join({kProbeRunWord, {msg::kCodecWordTooLong}});

// One row per action, or per group of actions that report alike.
struct Row {
    std::vector<int> ids;
    Reporting reporting;
    Strings words;
    Writes writes;
    Strings errors;
    std::string note = std::string();
};

using R = Reporting;

const std::vector<Row> kRows = {
    // Configuration
    {{1}, R::kQuery, {},
     {{"[QMT_FFmpegPath]", "the folder accepted"}, {"[QMT_FFmpegVersion]", "the version read from ffmpeg"}},
     {msg::kFFmpegNotFoundAnywhere},
     "A folder found earlier stays in use when Path holds no tools; the variables then name that folder."},
    {{2}, R::kDirect, {},
     {{"Return_var", "the FFmpeg folder, \"\" when none is found"}, {"[QMT_FFmpegPath]", "the same folder, when found"}},
     {}},
    {{3}, R::kDirect, {},
     {{"Return_var", "the version, e.g. 5.1.6, or \"Unknown\" or \"Error\" when it cannot be read, followed by "
                     "the supported range: \" (FFmpeg 4.1 to 7.1; transitions need 4.3+)\"; \"\" before any "
                     "FFmpeg was found"},
      {"[QMT_FFmpegVersion]", "the version alone, when FFmpeg is found"}},
     {}},
    {{4}, R::kDirect, {},
     {{"Return_var", "\"True\" when FFmpeg was found, else \"False\""},
      {"[QMT_FFmpegPath]", "the folder found"},
      {"[QMT_FFmpegVersion]", "its version"}},
     {}},

    // Media information
    {{11}, R::kQuery, {},
     {{"Return_var", "the duration as HH:MM:SS.mmm"},
      {"[QMT_Duration]", "the same text"},
      {"[QMT_DurationSec]", "the duration in seconds (three decimals)"},
      kToolPath},
     {msg::kNoDuration}},
    {{12}, R::kQuery, {}, {{"Width_var", "width in pixels"}, {"Height_var", "height in pixels"}, kToolPath},
     {msg::kNoResolution}},
    {{13}, R::kQuery, {}, {{"Return_var", "frames per second (three decimals), or ffprobe's answer as it is"}, kToolPath},
     {msg::kNoFramerate}},
    {{14}, R::kQuery, {},
     {{"VCodec_var", "codec name of the first video stream"},
      {"ACodec_var", "codec name of the first audio stream"},
      kToolPath},
     Join({{msg::kFFmpegNotFound}, kProbeFailed}),
     "The status always ends at Complete: a missing stream leaves its variable unwritten or empty, and when the "
     "tools cannot be found or started their message stays in [QMT_Error] and [LastError]."},
    {{15}, R::kQuery, {}, {{"Return_var", "overall bitrate in kbit/s"}, kToolPath}, {msg::kNoBitrate}},
    {{16}, R::kQuery, {}, {{"Return_var", "file size in bytes"}}, {msg::kFileNotFound}},
    {{17}, R::kQuery, {},
     {{"SampleRate_var", "sample rate in Hz"}, {"Channels_var", "number of channels"}, kToolPath},
     {msg::kNoAudioInfo}},
    {{18}, R::kQuery, {}, {{"Return_var", "ffprobe's JSON report of format and streams"}, kToolPath},
     {msg::kNoInfo}},

    // Trim & cut, join & merge
    {{21, 22}, R::kOperation, {}, {kToolPath}, kRunWord},
    {{23}, R::kOperation, {}, {kToolPath}, kProbeRunWord,
     "[QMT_Progress] is 50 between the two files; [QMT_LastOutput] is OutputFile2. OutputFile1 stays when the "
     "second run fails."},
    {{24}, R::kOperation, {}, {kToolPath}, kProbeRunWord, "[QMT_Progress] is 33 and 66 between the three runs."},
    {{31}, R::kOperation, {}, {kToolPath}, Join({kRun, {msg::kConcatListFailed}})},
    {{32, 33, 34, 35, 36}, R::kOperation, {}, {kToolPath}, kProbeRun},

    // Transform, audio, effects
    {{46}, R::kOperation, {}, {kToolPath}, kProbeRunWord},
    {{41, 42, 43, 44, 45, 47, 48, 51, 52, 53, 54, 55, 56, 57, 61, 62, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74,
      75},
     R::kOperation, {}, {kToolPath}, kProbeRun},

    // Image extraction, format and export, advanced
    {{81, 82, 85, 108, 109}, R::kOperation, {}, {kToolPath}, kRunWord},
    {{83, 91, 95, 101, 103, 104, 105, 106, 107}, R::kOperation, {}, {kToolPath}, kProbeRun},
    {{96}, R::kOperation, {}, {kToolPath}, kProbeRunWord},
    {{84}, R::kOperation, {}, {kToolPath}, Join({kProbeRun, {msg::kInvalidColsRows}})},
    {{92, 93, 94}, R::kOperation, {}, {kToolPath}, kCodecWords},
    {{97}, R::kOperation, {}, {kToolPath}, Join({kProbeRun, {msg::kUnknownDuration}})},
    {{98}, R::kOperation, {}, {kToolPath}, kProbeRun,
     "Cancel or closing the window sets nothing. After EXPORT, [QMT_LastOutput] is the output path even when "
     "the conversion failed."},
    {{102}, R::kOperation, {}, {kToolPath}, kProbeRun, "[QMT_Progress] is 50 between the two passes."},
    {{110}, R::kQuery, {msg::kFilesProcessed}, {}, {msg::kNoScriptProcessor, msg::kNoFilesFound},
     "Each file's command line is run by the publication's script engine; failures inside it are not seen "
     "here and the file still counts as processed."},

    // Player
    {{121}, R::kDirect, {},
     {{"Status_var", "\"Ready\"; later \"Playing\", \"Paused\" or \"Stopped\" as the player is driven"},
      {"[QMT_Recent1]", "the most recently opened video; [QMT_Recent2] to [QMT_Recent5] the older ones"},
      {"[QMT_RecentCount]", "how many recent files are listed"}},
     {msg::kNoRectangle, msg::kPlayersFull, msg::kRectangleNameTooLong, msg::kVideoPathTooLong,
      msg::kStatusVariableTooLong},
     "When the media control interface cannot open the file, its own error text is reported."},
    {{122, 126, 127, 130, 132, 133}, R::kDirect, {}, {}, {}},
    {{123}, R::kDirect, {}, {}, {},
     "The status variable named in QMT_PlayerCreate becomes \"Playing\". During a timeline preview it resumes "
     "the preview instead."},
    {{124}, R::kDirect, {}, {}, {},
     "The status variable named in QMT_PlayerCreate becomes \"Paused\". During a timeline preview it pauses "
     "the preview instead."},
    {{125}, R::kDirect, {msg::kComplete}, {{"[QMT_PreviewMode]", "\"0\" when it ends a timeline preview"}}, {},
     "The status variable named in QMT_PlayerCreate becomes \"Stopped\". During a timeline preview it ends "
     "the preview, reopens [InputFile] in the player when that variable is set, and sets [QMT_Status] to "
     "\"Complete\"."},
    {{128}, R::kDirect, {},
     {{"Return_var", "the position as HH:MM:SS.mmm, 00:00:00.000 without a player"},
      {"[QMT_PositionSec]", "the position in seconds (three decimals)"}},
     {}},
    {{129}, R::kDirect, {},
     {{"Return_var", "the player's mode, e.g. playing, paused, stopped; \"None\" without a player"}}, {}},
    {{131}, R::kDirect, {}, {}, {msg::kVideoPathTooLong}},
    {{134}, R::kDirect, {}, {kToolPath},
     {msg::kPreviewVideoNotFound, msg::kFFplayNotFoundHere, msg::kFFplayLaunchFailed},
     "The action returns when the preview window closes or the video ends."},
    {{135}, R::kQuery, {msg::kPreviewing}, {kToolPath, {"[QMT_PreviewPID]", "process id of the running ffplay"}},
     Join({{msg::kNoVideoToPreview}, kFFplay}),
     "The action returns at once while the preview plays."},
    {{136}, R::kQuery, {}, {{"[QMT_PreviewMode]", "\"0\""}}, {}},

    // Timeline
    {{200}, R::kQuery, {},
     With(kSelection, {{"[NLE_TrackAction]", "(set by the window) the name of a V1, V2, A1 or A2 track header "
                                             "the user double-clicked"}}),
     {msg::kNoRectangle, msg::kTimelinesFull, msg::kTimelineWindowFailed, msg::kNoDialogs},
     "The selection variables are set by the window as the user clicks and edits clips. Double-clicking the FX "
     "or TX track header runs QMT_TimelinePickEffect or QMT_TimelinePickText for this timeline, which report "
     "as those actions do. The window's dialogs (effect, text, transition) report \"Dialogs are not available "
     "in this build.\" in a build without dialogs and change nothing."},
    {{201, 210, 211, 218}, R::kDirect, {}, {}, {}},
    {{202}, R::kQuery, {}, {{"[NLE_ClipIndex]", "slot index of the added clip"}, kToolPath},
     Join({{msg::kNoTimeline, msg::kTrackNotFound, msg::kTrackFull}, {msg::kFFmpegNotFound}, kProbeFailed}),
     "A failed probe of the clip's duration or sound leaves its message in [LastError] but the clip is "
     "still added."},
    {{203}, R::kQuery, {}, kSelection, {msg::kNoTimeline, msg::kTrackNotFound, msg::kClipNotFound},
     "The selection variables are written when the removed clip was the selected one."},
    {{204}, R::kQuery, {}, kSelection, {msg::kNoTimeline}},
    {{205, 206, 207}, R::kQuery, {}, {}, {msg::kNoTimeline, msg::kTrackNotFound, msg::kClipNotFound}},
    {{208}, R::kQuery, {}, kSelection, {msg::kNoTimeline, msg::kNoClipSelected}},
    {{209}, R::kQuery, {},
     {{"[NLE_ClipCount]", "number of clips on all tracks"},
      {"[NLE_TotalDuration]", "the length shown, in seconds (three decimals)"},
      {"[NLE_PlayheadTime]", "the playhead in seconds (three decimals)"},
      {"[NLE_Zoom]", "pixels per second (one decimal)"}},
     {msg::kNoTimeline}},
    {{212}, R::kOperation, {}, {kToolPath},
     Join({{msg::kNoTimeline, msg::kNoMainClips, msg::kNoOutputFile, msg::kChainFull, msg::kTooManyOverlays,
            msg::kGraphFileNotWritten},
           kRunner, kProbeFailed}),
     "The render uses the timeline as it was when the action started; edits made while it runs are not "
     "included."},
    {{213}, R::kQuery, {msg::kBuildingPreview, msg::kPreviewing},
     {{"[QMT_PreviewMode]", "\"1\" while the preview plays, \"0\" when it stops: when FFplay ends, when the "
                            "next preview starts, or by QMT_PlayerStop or QMT_PreviewStop"},
      {"[QMT_PreviewPID]", "process id of the running ffplay"},
      kToolPath},
     Join({{msg::kNoTimeline, msg::kNoClipsToPreview, msg::kChainFull, msg::kGraphFileNotWritten}, kRunner,
           kProbeFailed, kFFplay}),
     "A preview that cannot be built or started leaves its message in [QMT_Error] and [LastError] and still "
     "ends with \"Complete\"; no FFplay runs then. While the preview plays, QMT_PlayerPause and "
     "QMT_PlayerPlay on the timeline's player pause and resume it and QMT_PlayerStop ends it."},
    {{214}, R::kQuery, {}, {}, {msg::kNoTimeline, msg::kProjectNotCreated}},
    {{215}, R::kQuery, {}, kSelection, {msg::kNoTimeline, msg::kProjectNotOpened, msg::kNotAProject}},
    {{216}, R::kQuery, {}, kSelection,
     {msg::kNoTimeline, msg::kNoClipAtPlayhead, msg::kPlayheadOutsideClip, msg::kNoFreeSlotOnTrack}},
    {{217}, R::kQuery, {}, With(kSelection, {{"[NLE_ClipIndex]", "slot index of the copy"}}),
     {msg::kNoTimeline, msg::kNoClipSelected, msg::kNoFreeSlot}},
    {{219}, R::kQuery, {}, {{"[NLE_ClipIndex]", "slot index of the added effect clip"}},
     {msg::kNoTimeline, msg::kTrackFull, msg::kNoDialogs},
     "The chosen effect is added on FX at the playhead for 5 seconds. Cancel adds nothing and reports nothing."},
    {{220}, R::kQuery, {}, {{"[NLE_ClipIndex]", "slot index of the added text clip"}},
     {msg::kNoTimeline, msg::kTrackFull, msg::kNoDialogs},
     "The text is added on TX at the playhead with the size (8 to 200), colour, position and duration (at least "
     "1 s) chosen. Cancel, or an empty text, adds nothing and reports nothing."},

    // FrameStrip, waveform, track lanes
    {{141}, R::kDirect, {msg::kStripCreated, msg::kSplitSelected},
     {{"[QMT_SplitIndex]", "(set by the window) -1 when the user clicks a frame; a split's index when the "
                           "user clicks the split"}},
     {msg::kNoRectangle, msg::kFrameStripsFull, msg::kRectangleNameTooLong, msg::kVideoPathTooLong,
      msg::kStripWindowFailed},
     "Creating it again under the same name replaces the strip, its markers and splits. The strip shows the "
     "trim range held in [TrimStart] (or [TrimIn]) and [TrimEnd] (or [TrimOut]). Clicking a frame "
     "seeks the player there (without playing); the mouse wheel scrolls, Ctrl+wheel zooms. Clicking a split "
     "also sets [QMT_SplitTime], [QMT_SplitTimeSec], [QMT_SplitTransition], "
     "[QMT_SplitDuration], [QMT_SplitInsertClip], [QMT_SplitTransitionOut], [QMT_SplitDurationOut], "
     "[QMT_SplitClip], [QMT_SplitExitTransition], [QMT_SplitExitDuration] and [QMT_Status] = \"Split selected\"."},
    {{142}, R::kDirect, {msg::kStripDestroyed}, {}, {}},
    {{143}, R::kDirect, {}, {}, {msg::kNoStrip, msg::kMarkersFull}},
    {{144, 146, 150}, R::kDirect, {}, {}, {}},
    {{147}, R::kDirect, {}, {{"[QMT_ZoomLevel]", "the zoom level used, 1 to 5"}}, {}},
    {{145}, R::kDirect, {msg::kWaveformCreated}, {}, {msg::kNoRectangle, msg::kWaveformsFull},
     "The window follows the player in PlayerRect and marks the trim range held in [TrimStart] (or [TrimIn]) and "
     "[TrimEnd] (or [TrimOut]); a click seeks the player. A file without sound shows \"No audio\"."},
    {{148}, R::kDirect, {msg::kTrackLanesCreated}, {}, {msg::kNoRectangle, msg::kTrackLanesFull},
     "V1 shows the thumbnails of a filmstrip created earlier on the same video file (the path written the same "
     "way), else \"No video\". A click seeks the player in PlayerRect; the 28-pixel header column seeks to the "
     "start."},
    {{149}, R::kDirect, {}, {}, {msg::kNoTrackLane, msg::kLanesFull}},

    // Overlay preview
    {{151}, R::kDirect, {msg::kOverlayShown},
     With(kOverlayBox, {{"[OvText]", "the text"}, {"[OvFontSize]", "the font size, also after wheel resizing"},
                        {"[OvColor]", "the colour as given"}}),
     {msg::kNoRectangle, msg::kOverlaysFull, msg::kOverlayWindowFailed},
     "The box variables follow every drag and wheel step of the user."},
    {{152}, R::kDirect, {msg::kWatermarkShown},
     With(kOverlayBox, {{"[OvImage]", "the image file"}, {"[OvOpacity]", "the opacity used (two decimals)"}}),
     {msg::kNoRectangle, msg::kOverlaysFull, msg::kImageNotLoaded, msg::kOverlayWindowFailed},
     "The box variables follow every drag and wheel step of the user."},
    {{153, 155}, R::kDirect, {}, {}, {}},
    {{154}, R::kDirect, {},
     {{"X_var", "left edge in pixels"}, {"Y_var", "top edge"}, {"W_var", "width"}, {"H_var", "height"}}, {}},
    {{156}, R::kDirect, {msg::kOverlayLocked, msg::kOverlayUnlocked}, {}, {}},

    // Utility
    {{161}, R::kDirect, {msg::kNothingToUndo, msg::kUndoSuccessful, msg::kUndoFailed},
     {{"Return_var", "TargetFile after a successful undo, else \"\""},
      {"[QMT_UndoCount]", "backups left (not written when there was nothing to undo)"}},
     {}},
    {{162}, R::kDirect, {}, {{"[OutputFile]", "the built output name"}}, {}},

    // Transitions
    {{171}, R::kQuery, {},
     {{"Return_var", "the index the entry was added at"}, {"[QMT_TransCount]", "number of listed transitions"}},
     {msg::kTransitionsFull, msg::kUnknownTransitionType}},
    {{172}, R::kQuery, {}, {{"Return_var", "\"True\""}, {"[QMT_TransCount]", "number of listed transitions"}},
     {msg::kInvalidTransitionIndex}},
    {{173}, R::kQuery, {}, {{"[QMT_TransCount]", "\"0\""}}, {}},
    {{174}, R::kQuery, {},
     {{"Return_var", "time,type,duration entries joined by \";\", e.g. 10.000,fade,1.50"},
      {"[QMT_TransCount]", "number of listed transitions"}},
     {}},
    {{175}, R::kOperation, {}, {kToolPath},
     {msg::kNoTransitions, msg::kUnknownDuration, msg::kSegmentANotSplit, msg::kSegmentBNotSplit,
      msg::kTransitionRenderFailed, msg::kSegmentsNotSplit, msg::kTransitionRenderFailedAtSegment,
      msg::kOutputNotWritten}},
    {{176}, R::kQuery, {}, {{"Return_var", "the 35 transition names joined by \",\""}}, {}},

    // Interactive splits
    {{181}, R::kDirect, {msg::kSplitAdded},
     With(kSplitCount, {{"[QMT_SplitTime]", "the split time as HH:MM:SS.mmm"},
                        {"[QMT_SplitTimeSec]", "the split time in seconds (three decimals)"},
                        {"[QMT_SplitTransition]", "\"\""},
                        {"[QMT_SplitDuration]", "\"1.00\""}}),
     {msg::kNoStrip, msg::kSplitsFull, msg::kNoVideoLoaded, msg::kNoPlayer, msg::kSplitNearStart,
      msg::kSplitNearEnd, msg::kSplitExists}},
    {{182}, R::kDirect, {msg::kSplitRemoved}, kSplitCount, {msg::kNoStrip, msg::kNoSplitSelected}},
    {{183}, R::kDirect, {msg::kSplitsCleared}, kSplitCount, {}},
    {{184}, R::kDirect, {}, {{"Return_var", "time,transition,duration entries joined by \";\""}}, {}},
    {{185}, R::kDirect, {msg::kTransitionAssigned},
     {{"[QMT_SplitTransition]", "the type as given"}, {"[QMT_SplitDuration]", "the duration used (two decimals)"}},
     {msg::kNoStrip, msg::kClickSplitFirst, msg::kInvalidTransitionType}},
    {{186}, R::kDirect, {},
     {{"Time_var", "the selected split's time"}, {"Type_var", "its transition or \"none\""},
      {"Duration_var", "its transition duration (two decimals)"}},
     {}, "All three are set to \"\" when no split is selected."},
    {{187}, R::kDirect, {}, {{"Return_var", "number of splits, \"0\" for an unknown filmstrip"}}, {}},
    {{188}, R::kOperation, {}, {kToolPath},
     {msg::kNoStrip, msg::kNoSplits, msg::kUnknownDuration, msg::kConcatListFailed, msg::kSegmentNotSplit,
      msg::kConcatFailed, msg::kInsertClipNotEncoded, msg::kGraphFileNotWritten, msg::kChainRenderFailed}},
    {{189}, R::kDirect, {msg::kTransitionAssigned},
     {{"[QMT_PickedTransition]", "the transition chosen"}, {"[QMT_PickedDuration]", "the duration typed"},
      {"[QMT_SplitTransition]", "the transition set"}, {"[QMT_SplitDuration]", "the duration used"}},
     {msg::kNoStrip, msg::kClickStripSplitFirst, msg::kInvalidTransitionType, msg::kNoDialogs},
     "Cancel sets nothing."},
    {{190}, R::kDirect, {msg::kClipInserted, msg::kInsertClipRemoved},
     {{"[QMT_SplitInsertClip]", "the clip's path, \"\" when removed"}},
     {msg::kNoStrip, msg::kClickSplitFirst, msg::kInsertClipMissing}},
    {{191}, R::kDirect, {msg::kExitTransitionSet},
     {{"[QMT_SplitTransitionOut]", "the type as given"}, {"[QMT_SplitDurationOut]", "the duration used (two decimals)"}},
     {msg::kNoStrip, msg::kNoSplitSelected, msg::kNoInsertUseInsertClip, msg::kInvalidTransitionType}},
    {{192}, R::kDirect, {msg::kExitTransitionSet},
     {{"[QMT_PickedTransition]", "the transition chosen"}, {"[QMT_PickedDuration]", "the duration typed"},
      {"[QMT_SplitTransitionOut]", "the transition set"}, {"[QMT_SplitDurationOut]", "the duration used"}},
     {msg::kNoStrip, msg::kNoSplitSelected, msg::kNoInsertInsertFirst, msg::kInvalidTransitionType,
      msg::kNoDialogs},
     "Cancel sets nothing."},
};

// Every row's entry for each of its actions, in id order.
std::vector<ActionReference> Build() {
    std::vector<ActionReference> t;
    for (const Row& row : kRows)
        for (int id : row.ids) t.push_back({id, row.reporting, row.words, row.writes, row.errors, row.note});
    std::sort(t.begin(), t.end(), [](const ActionReference& a, const ActionReference& b) { return a.id < b.id; });
    return t;
}

}  // namespace

const std::vector<ActionReference>& ActionReferenceTable() {
    static const std::vector<ActionReference> table = Build();
    return table;
}

const ActionReference* FindActionReference(int id) {
    for (const ActionReference& entry : ActionReferenceTable())
        if (entry.id == id) return &entry;
    return nullptr;
}

std::vector<std::string> UsageParameterNames(const std::string& usage) {
    std::vector<std::string> names;
    size_t end = usage.find(" - ");
    size_t at = usage.find(" \"[");
    while (at != std::string::npos && at < end) {
        size_t close = usage.find("]\"", at + 3);
        if (close == std::string::npos || close > end) break;
        names.push_back(usage.substr(at + 3, close - at - 3));
        at = usage.find(" \"[", close);
    }
    return names;
}
