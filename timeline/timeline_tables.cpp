#include "timeline/timeline_tables.h"
#include "host/text_util.h"

const NamedEntry kEffectTable[] = {
    {"Grayscale", "hue=s=0"},
    {"Sepia", "colorchannelmixer=.393:.769:.189:0:.349:.686:.168:0:.272:.534:.131"},
    {"Blur", "boxblur=5:1"},
    {"Sharpen", "unsharp=5:5:1.5"},
    {"Negative", "negate"},
    {"Vignette", "vignette"},
    {"Edge Detect", "edgedetect"},
    {"Vintage", "curves=vintage"},
    {"Denoise", "nlmeans"},
    {"Brightness+", "eq=brightness=0.1"},
    {"Brightness-", "eq=brightness=-0.1"},
    {"Contrast+", "eq=contrast=1.3"},
    {"Contrast-", "eq=contrast=0.7"},
    {"Saturation+", "eq=saturation=1.5"},
    {"Saturation-", "eq=saturation=0.5"},
    {"Emboss", "convolution=0 -1 0 -1 5 -1 0 -1 0"},
    {"Noise", "noise=alls=20:allf=t"},
    {"Flip H", "hflip"},
    {"Flip V", "vflip"},
    {"Slow Motion 2x", "setpts=2.0*PTS"},
    {"", ""},
};

const NamedEntry kTransitionDisplayTable[] = {
    {"Fade", "fade"},
    {"Fade to Black", "fadeblack"},
    {"Fade to White", "fadewhite"},
    {"Fade to Grays", "fadegrays"},
    {"Dissolve", "dissolve"},
    {"Pixelize", "pixelize"},
    {"Diagonal TL", "diagtl"},
    {"Diagonal TR", "diagtr"},
    {"Diagonal BL", "diagbl"},
    {"Diagonal BR", "diagbr"},
    {"Horizontal L-Slice", "hlslice"},
    {"Horizontal R-Slice", "hrslice"},
    {"Vertical Up-Slice", "vuslice"},
    {"Vertical Down-Slice", "vdslice"},
    {"Horizontal Open", "horzopen"},
    {"Horizontal Close", "horzclose"},
    {"Vertical Open", "vertopen"},
    {"Vertical Close", "vertclose"},
    {"Circle Open", "circleopen"},
    {"Circle Close", "circleclose"},
    {"Wipe Left", "wipeleft"},
    {"Wipe Right", "wiperight"},
    {"Wipe Up", "wipeup"},
    {"Wipe Down", "wipedown"},
    {"Wipe TL", "wipetl"},
    {"Wipe TR", "wipetr"},
    {"Wipe BL", "wipebl"},
    {"Wipe BR", "wipebr"},
    {"Smooth Left", "smoothleft"},
    {"Smooth Right", "smoothright"},
    {"Smooth Up", "smoothup"},
    {"Smooth Down", "smoothdown"},
    {"", ""},
};

int NamedEntryCount(const NamedEntry* table) {
    int n = 0;
    while (table[n].name[0]) ++n;
    return n;
}

int FindEntryByValue(const NamedEntry* table, const char* value) {
    for (int i = 0; table[i].name[0]; ++i)
        if (EqualsNoCase(table[i].value, value)) return i;
    return -1;
}
