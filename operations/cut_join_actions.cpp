// Cutting and joining that takes more than one run, a list file or a
// computed offset: exact trim, split, segment removal, concat, join with a
// transition.
#include <cstdlib>
#include "host/dispatch.h"
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

namespace {

void TrimExact(const ActionArgs& a) {
    BeginOperation();
    double length = ParseTimeValue(a.raw(2)) - ParseTimeValue(a.raw(1));
    FinishOperation(Fmt("-i \"%s\" -ss %s -to %s -c:v libx264 -preset fast -crf 18 -c:a aac -b:a 192k \"%s\"", a.raw(0),
                        a.raw(1), a.raw(2), a.raw(3)),
                    length > 0 ? length : 0, a.text(3));
}

void SplitAtTime(const ActionArgs& a) {
    BeginOperation();
    double total = ProbeDurationSeconds(a.text(0));
    double split = ParseTimeValue(a.raw(1));
    std::string first = Fmt("-i \"%s\" -to %s -c copy \"%s\"", a.raw(0), a.raw(1), a.raw(2));
    if (!ArgumentsFit(first) || !RunFFmpeg(first, split)) return;
    ReportProgress(50);
    // The first file stays when the second run fails: it is a finished cut.
    FinishOperation(Fmt("-ss %s -i \"%s\" -c copy \"%s\"", a.raw(1), a.raw(0), a.raw(3)), total - split, a.text(3));
}

void RemoveSegment(const ActionArgs& a) {
    BeginOperation();
    const std::string p1 = plat::TempFolder() + "qmt_s1.ts", p2 = plat::TempFolder() + "qmt_s2.ts";
    double total = ProbeDurationSeconds(a.text(0));
    double segStart = ParseTimeValue(a.raw(1)), segEnd = ParseTimeValue(a.raw(2));
    std::string first = Fmt("-i \"%s\" -to %s -c copy -bsf:v h264_mp4toannexb -f mpegts \"%s\"", a.raw(0), a.raw(1),
                            p1.c_str());
    if (!ArgumentsFit(first) || !RunFFmpeg(first, segStart)) {
        plat::DeleteFilePath(p1);
        return;
    }
    ReportProgress(33);
    std::string second = Fmt("-ss %s -i \"%s\" -c copy -bsf:v h264_mp4toannexb -f mpegts \"%s\"", a.raw(2), a.raw(0),
                             p2.c_str());
    if (ArgumentsFit(second) && RunFFmpeg(second, total - segEnd)) {
        ReportProgress(66);
        FinishOperation(Fmt("-i \"concat:%s|%s\" -c copy -bsf:a aac_adtstoasc \"%s\"", p1.c_str(), p2.c_str(), a.raw(3)),
                        total - (segEnd - segStart), a.text(3));
    }
    plat::DeleteFilePath(p1);
    plat::DeleteFilePath(p2);
}

std::string TrimBlanks(const std::string& s) {
    size_t begin = s.find_first_not_of(' ');
    if (begin == std::string::npos) return std::string();
    return s.substr(begin, s.find_last_not_of(' ') - begin + 1);
}

void ConcatList(const ActionArgs& a) {
    BeginOperation();
    const std::string list = plat::TempFolder() + "qmt_concat.txt";
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
    if (!plat::WriteTextFile(list, text)) {
        ReportError("Failed to create concat list.");
        return;
    }
    FinishOperation(Fmt("-f concat -safe 0 -i \"%s\" -c copy \"%s\"", list.c_str(), a.raw(1)), 0, a.text(1));
    plat::DeleteFilePath(list);
}

void JoinWithTransition(const ActionArgs& a) {
    BeginOperation();
    double d1 = ProbeDurationSeconds(a.text(0)), d2 = ProbeDurationSeconds(a.text(1));
    double t = atof(a.raw(3));
    // Neither the type nor the duration is checked: ffmpeg's verdict is what
    // the author sees. The type goes in as xfade spells it ("Fade" fails).
    CommandOutcome join = XfadeJoinCommand(a.raw(0), a.raw(1), XfadeSpelling(a.text(2)), t, d1 - t, a.raw(4), "aac");
    if (!join.ok) return ReportError(join.error);
    FinishOperation(join.text, d1 + d2 - t, a.text(4));
}

}  // namespace

void RegisterCutJoinActions() {
    RegisterAction(22, TrimExact);
    RegisterAction(23, SplitAtTime);
    RegisterAction(24, RemoveSegment);
    RegisterAction(31, ConcatList);
    RegisterAction(32, JoinWithTransition);
}
