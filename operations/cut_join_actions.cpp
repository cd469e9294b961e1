// Cutting and joining that takes more than one run, a list file or a
// computed offset: exact trim, split, segment removal, concat, join with a
// transition.
#include <cstdlib>
#include "host/dispatch.h"
#include "host/messages.h"
#include "host/report.h"
#include "host/text_util.h"
#include "operations/operation_frame.h"
#include "operations/transition_render.h"
#include "operations/transition_types.h"
#include "operations/word_tables.h"
#include "platform/platform.h"
#include "toolchain/probe.h"
#include "toolchain/process_runner.h"
#include "toolchain/time_values.h"
#include "toolchain/work_files.h"

namespace {

void TrimExact(const ActionArgs& a) {
    BeginOperation();
    double length = ParseTimeValue(a.raw(2)) - ParseTimeValue(a.raw(1));
    FinishOperation(BuildCommand("-i \"%s\" -ss %s -to %s -c:v libx264 -preset fast -crf 18 -c:a aac -b:a 192k \"%s\"",
                                 {{"InputFile", a.raw(0)}, {"StartTime", a.raw(1)}, {"EndTime", a.raw(2)},
                                  {"OutputFile", a.raw(3)}}),
                    length > 0 ? length : 0, a.text(3));
}

void SplitAtTime(const ActionArgs& a) {
    BeginOperation();
    // Both commands are checked before either runs.
    CommandOutcome first = BuildCommand("-i \"%s\" -to %s -c copy \"%s\"",
                                        {{"InputFile", a.raw(0)}, {"SplitTime", a.raw(1)}, {"OutputFile1", a.raw(2)}});
    CommandOutcome second = BuildCommand("-ss %s -i \"%s\" -c copy \"%s\"",
                                         {{"SplitTime", a.raw(1)}, {"InputFile", a.raw(0)}, {"OutputFile2", a.raw(3)}});
    Outcome fit = CommandsFit({first, second});
    if (!fit.ok) return ReportFailure(fit);
    double total = ProbeDurationSeconds(a.text(0));
    double split = ParseTimeValue(a.raw(1));
    Outcome cut = RunStep(first, split);
    if (!cut.ok) return ReportFailure(cut);
    ReportProgress(50);
    // The first file stays when the second run fails: it is a finished cut.
    FinishOperation(second, total - split, a.text(3));
}

void RemoveSegment(const ActionArgs& a) {
    BeginOperation();
    WorkFiles files;
    const std::string p1 = files.Path("qmt_s1.ts"), p2 = files.Path("qmt_s2.ts");
    // All three commands are checked before the first runs.
    CommandOutcome first = BuildCommand("-i \"%s\" -to %s -c copy -bsf:v h264_mp4toannexb -f mpegts \"%s\"",
                                        {{"InputFile", a.raw(0)}, {"SegStart", a.raw(1)}, {"TempFile", p1}});
    CommandOutcome second = BuildCommand("-ss %s -i \"%s\" -c copy -bsf:v h264_mp4toannexb -f mpegts \"%s\"",
                                         {{"SegEnd", a.raw(2)}, {"InputFile", a.raw(0)}, {"TempFile", p2}});
    CommandOutcome join = BuildCommand("-i \"concat:%s|%s\" -c copy -bsf:a aac_adtstoasc \"%s\"",
                                       {{"TempFile", p1}, {"TempFile", p2}, {"OutputFile", a.raw(3)}});
    Outcome fit = CommandsFit({first, second, join});
    if (!fit.ok) return ReportFailure(fit);
    double total = ProbeDurationSeconds(a.text(0));
    double segStart = ParseTimeValue(a.raw(1)), segEnd = ParseTimeValue(a.raw(2));
    Outcome cut = RunStep(first, segStart);
    if (!cut.ok) return ReportFailure(cut);
    ReportProgress(33);
    cut = RunStep(second, total - segEnd);
    if (!cut.ok) return ReportFailure(cut);
    ReportProgress(66);
    FinishOperation(join, total - (segEnd - segStart), a.text(3));
}

std::string TrimBlanks(const std::string& s) {
    size_t begin = s.find_first_not_of(' ');
    if (begin == std::string::npos) return std::string();
    return s.substr(begin, s.find_last_not_of(' ') - begin + 1);
}

void ConcatList(const ActionArgs& a) {
    BeginOperation();
    WorkFiles work;
    const std::string list = work.Path("qmt_concat.txt");
    std::string text;
    std::string files = a.text(0);
    size_t pos = 0;
    while (pos <= files.size()) {
        size_t comma = files.find(',', pos);
        if (comma == std::string::npos) comma = files.size();
        std::string name = TrimBlanks(files.substr(pos, comma - pos));
        if (!name.empty()) text += ConcatListLine(name);
        pos = comma + 1;
    }
    if (!plat::WriteTextFile(list, text)) return ReportError(msg::kConcatListFailed);
    FinishOperation(BuildCommand("-f concat -safe 0 -i \"%s\" -c copy \"%s\"", {{"ListFile", list}, {"OutputFile", a.raw(1)}}),
                    0, a.text(1));
}

void JoinWithTransition(const ActionArgs& a) {
    BeginOperation();
    double d1 = ProbeDurationSeconds(a.text(0)), d2 = ProbeDurationSeconds(a.text(1));
    double t = atof(a.raw(3));
    // Neither the type nor the duration is checked: ffmpeg's verdict is what
    // the author sees. The type goes in as xfade spells it ("Fade" fails).
    FinishOperation(XfadeJoinCommand(a.raw(0), a.raw(1), XfadeSpelling(a.text(2)), t, d1 - t, a.raw(4), "aac"),
                    d1 + d2 - t, a.text(4));
}

}  // namespace

void RegisterCutJoinActions() {
    RegisterAction(22, TrimExact);
    RegisterAction(23, SplitAtTime);
    RegisterAction(24, RemoveSegment);
    RegisterAction(31, ConcatList);
    RegisterAction(32, JoinWithTransition);
}
