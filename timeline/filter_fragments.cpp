#include "timeline/filter_fragments.h"
#include "host/text_util.h"

namespace {
const size_t kMaxEscapedText = 508;
const size_t kMaxChain = 4095;
}

std::string TimedEffect(const std::string& filter, double from, double to) {
    char join = filter.find('=') != std::string::npos ? ':' : '=';
    return Fmt("%s%cenable='between(t,%.2f,%.2f)'", filter.c_str(), join, from, to);
}

std::string EscapeDrawText(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (out.size() >= kMaxEscapedText) break;
        switch (c) {
        case '\'': out += "\\\\'"; break;
        case ':': out += "\\:"; break;
        case '\\': out += "\\\\"; break;
        case '%': out += "%%"; break;
        default: out += c; break;
        }
    }
    return out;
}

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

void AppendFragment(std::string& chain, const std::string& fragment) {
    if (fragment.empty()) return;
    size_t extra = fragment.size() + (chain.empty() ? 0 : 1);
    if (chain.size() + extra > kMaxChain) return;  // a chain that would overflow keeps what fits
    if (!chain.empty()) chain += ',';
    chain += fragment;
}
