#include "timeline/filter_fragments.h"
#include <cstdio>
#include "host/text_util.h"
#include "toolchain/filter_values.h"

namespace {
const size_t kMaxEscapedText = 508;
const size_t kMaxChain = 4095;
}

bool SpeedEffectFactor(const std::string& filter, double& factor) {
    int used = 0;
    factor = 0;
    if (sscanf(filter.c_str(), "setpts=%lf*PTS%n", &factor, &used) != 1 || used != static_cast<int>(filter.size()))
        return false;
    return factor > 0;
}

// setpts cannot be enabled over a window, so the window is written into its
// expression: frames before `from` keep their time, the source from `from`
// on is stretched by the factor until the window's end, and later frames
// follow shifted by what the window gained.
std::string SpeedWindow(double factor, double from, double to) {
    double sourceEnd = from + (to - from) / factor;
    return Fmt("setpts='if(lt(T,%.3f),PTS,if(lt(T,%.3f),(%.3f+%g*(T-%.3f))/TB,PTS+%.3f/TB))'", from, sourceEnd, from,
               factor, from, to - sourceEnd);
}

// edgedetect takes grey pictures only, so even with enable it would turn the
// whole clip grey: it works on a copy that is laid over the window instead.
std::string GreyEffectWindow(const std::string& filter, double from, double to, const std::string& tag) {
    std::string id = tag + Fmt("fx%d_%d", static_cast<int>(from * 1000 + 0.5), static_cast<int>(to * 1000 + 0.5));
    const char* l = id.c_str();
    return Fmt("split[%sa][%sb];[%sb]%s,format=yuv420p[%sc];[%sa][%sc]overlay=enable='between(t,%.2f,%.2f)'", l, l, l,
               filter.c_str(), l, l, l, from, to);
}

std::string TimedEffect(const std::string& filter, double from, double to, const std::string& tag) {
    double factor = 0;
    if (SpeedEffectFactor(filter, factor)) return SpeedWindow(factor, from, to);
    if (filter.compare(0, 10, "edgedetect") == 0) return GreyEffectWindow(filter, from, to, tag);
    char join = filter.find('=') != std::string::npos ? ':' : '=';
    return Fmt("%s%cenable='between(t,%.2f,%.2f)'", filter.c_str(), join, from, to);
}

std::string SpeedWindowAudio(double factor, double from, double to, int stage, const std::string& in,
                             const std::string& out) {
    double sourceEnd = from + (to - from) / factor;
    std::string tempo;
    double rest = 1.0 / factor;
    while (rest < 0.5) {  // atempo takes 0.5 at the slowest, so slower rates are chained
        tempo += "atempo=0.5,";
        rest *= 2;
    }
    tempo += Fmt("atempo=%g", rest);
    std::string s = Fmt("%d", stage);
    const char* id = s.c_str();
    if (from <= 0.001)
        return Fmt("%sasplit=2[sb%s][sc%s];[sb%s]atrim=end=%.3f,%s[pb%s];[sc%s]atrim=start=%.3f,asetpts=PTS-STARTPTS"
                   "[pc%s];[pb%s][pc%s]concat=n=2:v=0:a=1%s",
                   in.c_str(), id, id, id, sourceEnd, tempo.c_str(), id, id, sourceEnd, id, id, id, out.c_str());
    return Fmt("%sasplit=3[sa%s][sb%s][sc%s];[sa%s]atrim=end=%.3f[pa%s];[sb%s]atrim=start=%.3f:end=%.3f,"
               "asetpts=PTS-STARTPTS,%s[pb%s];[sc%s]atrim=start=%.3f,asetpts=PTS-STARTPTS[pc%s];"
               "[pa%s][pb%s][pc%s]concat=n=3:v=0:a=1%s",
               in.c_str(), id, id, id, id, from, id, id, from, sourceEnd, tempo.c_str(), id, id, sourceEnd, id, id, id,
               id, out.c_str());
}

std::string EscapeDrawText(const std::string& text) { return EscapeDrawTextValue(text, kMaxEscapedText); }

std::string TextPosition(int value, bool horizontal) {
    if (value == -1) return horizontal ? "(w-tw)/2" : "(h-th)/2";
    if (value == -2) return horizontal ? "w-tw-20" : "h-th-20";
    return Fmt("%d", value);
}

std::string BuildDrawText(const NleClip& clip, double from, double to) {
    std::string text = EscapeDrawText(clip.text);
    int size = clip.fontSize > 0 ? clip.fontSize : 48;
    std::string x = TextPosition(clip.textX, true), y = TextPosition(clip.textY, false);
    int r = NleRed(clip.textColor), g = NleGreen(clip.textColor), b = NleBlue(clip.textColor);
    if (from >= 0 && to > 0)
        return Fmt("drawtext=text='%s':fontsize=%d:fontcolor=#%02x%02x%02x:x=%s:y=%s:enable='between(t,%.2f,%.2f)'",
                   text.c_str(), size, r, g, b, x.c_str(), y.c_str(), from, to);
    return Fmt("drawtext=text='%s':fontsize=%d:fontcolor=#%02x%02x%02x:x=%s:y=%s", text.c_str(), size, r, g, b,
               x.c_str(), y.c_str());
}

bool AppendFragment(std::string& chain, const std::string& fragment) {
    if (fragment.empty()) return true;
    size_t extra = fragment.size() + (chain.empty() ? 0 : 1);
    if (chain.size() + extra > kMaxChain) return false;
    if (!chain.empty()) chain += ',';
    chain += fragment;
    return true;
}
