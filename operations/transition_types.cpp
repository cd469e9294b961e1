#include "operations/transition_types.h"
#include "host/text_util.h"

const char* const TransitionTypeTable[kTransitionTypeCount + 1] = {
    "fade",       "fadeblack",   "fadewhite",  "fadegrays",   "distance",   "dissolve",   "wipeleft",
    "wiperight",  "wipeup",      "wipedown",   "slideleft",   "slideright", "slideup",    "slidedown",
    "smoothleft", "smoothright", "smoothup",   "smoothdown",  "circlecrop", "rectcrop",   "circleopen",
    "circleclose", "horzopen",   "horzclose",  "vertopen",    "vertclose",  "diagbl",     "diagbr",
    "diagtl",     "diagtr",      "hlslice",    "hrslice",     "pixelize",   "radial",     "zoomin",
    nullptr};

int FindTransitionType(const std::string& name) {
    for (int i = 0; TransitionTypeTable[i]; ++i)
        if (EqualsNoCase(TransitionTypeTable[i], name)) return i;
    return -1;
}

std::string XfadeSpelling(const std::string& typed) {
    int i = FindTransitionType(typed);
    return i >= 0 ? std::string(TransitionTypeTable[i]) : ToLowerAscii(typed);
}
