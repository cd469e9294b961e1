#include "host/editor_fields.h"

namespace {

enum FieldKind { kText, kOpen, kSave, kObj, kList };

struct FieldSpec {
    const char* label;
    const char* defaultValue;
    FieldKind kind;
    const char* choices = nullptr;
};

struct ActionFields {
    int id;
    const char* title;
    FieldSpec fields[8];
};

// In id order. A field list ends at the first entry without a label.
const ActionFields kActionFields[] = {
    {1, "Set FFmpeg Path", {{"FFmpeg Directory", "", kOpen}}},
    {2, "Get FFmpeg Path", {{"Result Variable", "[FFmpegPath]", kText}}},
    {3, "Get Version", {{"Result Variable", "[FFmpegVersion]", kText}}},
    {4, "Detect FFmpeg", {{"Result Variable", "[FFmpegFound]", kText}}},
    {11, "Get Duration", {{"Input File", "", kOpen}, {"Duration Var", "[Duration]", kText}}},
    {12, "Get Resolution", {{"Input File", "", kOpen}, {"Width Var", "[Width]", kText}, {"Height Var", "[Height]", kText}}},
    {13, "Get Frame Rate", {{"Input File", "", kOpen}, {"FPS Var", "[FrameRate]", kText}}},
    {14, "Get Codec Info", {{"Input File", "", kOpen}, {"Video Codec", "[VideoCodec]", kText}, {"Audio Codec", "[AudioCodec]", kText}}},
    {15, "Get Bitrate", {{"Input File", "", kOpen}, {"Bitrate Var", "[Bitrate]", kText}}},
    {16, "Get File Size", {{"Input File", "", kOpen}, {"Size Var", "[FileSize]", kText}}},
    {17, "Get Audio Info", {{"Input File", "", kOpen}, {"Sample Rate", "[SampleRate]", kText}, {"Channels", "[Channels]", kText}}},
    {18, "Get Full Info", {{"Input File", "", kOpen}, {"Result (JSON)", "[MediaInfo]", kText}}},
    {21, "Trim (Fast)", {{"Input", "", kOpen}, {"Start Time", "00:00:00", kText}, {"End Time", "00:00:10", kText}, {"Output", "", kSave}}},
    {22, "Trim (Exact)", {{"Input", "", kOpen}, {"Start Time", "00:00:00", kText}, {"End Time", "00:00:10", kText}, {"Output", "", kSave}}},
    {23, "Split Video", {{"Input", "", kOpen}, {"Split At", "00:00:30", kText}, {"Output 1", "", kSave}, {"Output 2", "", kSave}}},
    {24, "Remove Segment", {{"Input", "", kOpen}, {"Seg Start", "00:00:10", kText}, {"Seg End", "00:00:20", kText}, {"Output", "", kSave}}},
    {31, "Concatenate", {{"File List (comma-sep)", "", kText}, {"Output", "", kSave}}},
    {32, "Concat+Transition", {{"File 1", "", kOpen}, {"File 2", "", kOpen}, {"Transition", "fade", kList, "fade|fadeblack|fadewhite|dissolve|wipeleft|wiperight|wipeup|wipedown|slideleft|slideright|circleopen|circleclose|pixelize|radial|zoomin"}, {"Duration (sec)", "1.0", kList, "0.5|1.0|1.5|2.0|3.0"}, {"Output", "", kSave}}},
    {33, "Overlay", {{"Base Video", "", kOpen}, {"Overlay Video", "", kOpen}, {"X", "10", kText}, {"Y", "10", kText}, {"Output", "", kSave}}},
    {34, "Overlay Advanced", {{"Base Video", "", kOpen}, {"Overlay Video", "", kOpen}, {"X", "10", kText}, {"Y", "10", kText}, {"Scale (px)", "320", kText}, {"Start (sec)", "0", kText}, {"End (sec)", "10", kText}, {"Output", "", kSave}}},
    {35, "Replace Audio", {{"Video", "", kOpen}, {"Audio", "", kOpen}, {"Output", "", kSave}}},
    {36, "Mix Audio", {{"Video", "", kOpen}, {"Audio", "", kOpen}, {"Mix Volume", "0.5", kList, "0.1|0.25|0.5|0.75|1.0"}, {"Output", "", kSave}}},
    {41, "Resize", {{"Input", "", kOpen}, {"Width", "1280", kList, "320|640|720|1280|1920|3840|-1"}, {"Height", "-1", kList, "240|360|480|720|1080|2160|-1"}, {"Output", "", kSave}}},
    {42, "Crop", {{"Input", "", kOpen}, {"Crop W", "640", kText}, {"Crop H", "480", kText}, {"X", "0", kText}, {"Y", "0", kText}, {"Output", "", kSave}}},
    {43, "Rotate", {{"Input", "", kOpen}, {"Degrees", "90", kList, "90|180|270"}, {"Output", "", kSave}}},
    {44, "Flip", {{"Input", "", kOpen}, {"Direction", "horizontal", kList, "horizontal|vertical|both"}, {"Output", "", kSave}}},
    {45, "Speed", {{"Input", "", kOpen}, {"Speed Factor", "2.0", kList, "0.25|0.5|0.75|1.0|1.5|2.0|3.0|4.0"}, {"Output", "", kSave}}},
    {46, "Frame Rate", {{"Input", "", kOpen}, {"Target FPS", "30", kList, "15|24|25|29.97|30|50|60"}, {"Output", "", kSave}}},
    {47, "Pad", {{"Input", "", kOpen}, {"Width", "1920", kList, "640|1280|1920|3840"}, {"Height", "1080", kList, "360|720|1080|2160"}, {"Color", "black", kList, "black|white|red|green|blue|gray"}, {"Output", "", kSave}}},
    {48, "Scale to Fit", {{"Input", "", kOpen}, {"Max Width", "1920", kList, "640|1280|1920|3840"}, {"Max Height", "1080", kList, "360|720|1080|2160"}, {"Output", "", kSave}}},
    {51, "Extract Audio", {{"Input", "", kOpen}, {"Format", "mp3", kList, "mp3|wav|aac|flac|ogg"}, {"Output", "", kSave}}},
    {52, "Set Volume", {{"Input", "", kOpen}, {"Volume", "1.0", kList, "0.25|0.5|0.75|1.0|1.25|1.5|2.0|3.0"}, {"Output", "", kSave}}},
    {53, "Fade Audio In", {{"Input", "", kOpen}, {"Duration (sec)", "2.0", kList, "0.5|1.0|1.5|2.0|3.0|5.0"}, {"Output", "", kSave}}},
    {54, "Fade Audio Out", {{"Input", "", kOpen}, {"Duration (sec)", "2.0", kList, "0.5|1.0|1.5|2.0|3.0|5.0"}, {"Output", "", kSave}}},
    {55, "Mute", {{"Input", "", kOpen}, {"Output", "", kSave}}},
    {56, "Normalize Audio", {{"Input", "", kOpen}, {"Output", "", kSave}}},
    {57, "Add Audio Track", {{"Video", "", kOpen}, {"Audio", "", kOpen}, {"Delay (sec)", "0", kList, "0|1|2|5|10"}, {"Output", "", kSave}}},
    {61, "Brightness", {{"Input", "", kOpen}, {"Brightness", "-0.05", kList, "-0.3|-0.1|-0.05|0|0.05|0.1|0.3"}, {"Output", "", kSave}}},
    {62, "Contrast", {{"Input", "", kOpen}, {"Contrast", "1.0", kList, "0.5|0.8|1.0|1.2|1.5|2.0"}, {"Output", "", kSave}}},
    {63, "Saturation", {{"Input", "", kOpen}, {"Saturation", "1.0", kList, "0|0.5|1.0|1.5|2.0|3.0"}, {"Output", "", kSave}}},
    {64, "Color Balance", {{"Input", "", kOpen}, {"Brightness", "0", kList, "-0.1|0|0.1"}, {"Contrast", "1", kList, "0.8|1.0|1.2"}, {"Saturation", "1", kList, "0.5|1.0|1.5"}, {"Output", "", kSave}}},
    {65, "Blur", {{"Input", "", kOpen}, {"Blur Amount", "5", kList, "1|2|3|5|8|10|15|20"}, {"Output", "", kSave}}},
    {66, "Sharpen", {{"Input", "", kOpen}, {"Sharpen Amount", "5", kList, "1|2|3|5|7|10"}, {"Output", "", kSave}}},
    {67, "Grayscale", {{"Input", "", kOpen}, {"Output", "", kSave}}},
    {68, "Sepia", {{"Input", "", kOpen}, {"Output", "", kSave}}},
    {69, "Vignette", {{"Input", "", kOpen}, {"Strength", "PI/4", kList, "PI/6|PI/5|PI/4|PI/3|PI/2"}, {"Output", "", kSave}}},
    {70, "Text Overlay", {{"Input", "", kOpen}, {"Text", "Hello", kText}, {"Font Size", "24", kList, "12|16|20|24|32|48|64|72"}, {"Color", "white", kList, "white|black|red|green|blue|yellow|cyan|orange"}, {"X", "10", kText}, {"Y", "10", kText}, {"Output", "", kSave}}},
    {71, "Watermark", {{"Input", "", kOpen}, {"Image", "", kOpen}, {"Position", "bottomright", kList, "topleft|topright|bottomleft|bottomright|center"}, {"Opacity", "0.5", kList, "0.1|0.25|0.5|0.75|1.0"}, {"Output", "", kSave}}},
    {72, "Fade In", {{"Input", "", kOpen}, {"Duration (sec)", "2.0", kList, "0.5|1.0|1.5|2.0|3.0|5.0"}, {"Output", "", kSave}}},
    {73, "Fade Out", {{"Input", "", kOpen}, {"Duration (sec)", "2.0", kList, "0.5|1.0|1.5|2.0|3.0|5.0"}, {"Output", "", kSave}}},
    {74, "Draw Box", {{"Input", "", kOpen}, {"X", "10", kText}, {"Y", "10", kText}, {"W", "100", kText}, {"H", "100", kText}, {"Color", "red", kList, "red|green|blue|yellow|white|black|orange|cyan"}, {"Thickness", "3", kList, "1|2|3|5|10|fill"}, {"Output", "", kSave}}},
    {75, "Custom Filter", {{"Input", "", kOpen}, {"Filter", "", kList, "curves=vintage|negate|edgedetect|noise=alls=20:allf=t|hqdn3d|hue=s=0|chromahold=color=green|colorbalance=rs=0.3|eq=gamma=1.5|drawgrid=w=50:h=50:c=white@0.5"}, {"Output", "", kSave}}},
    {81, "Extract Frame", {{"Input", "", kOpen}, {"Time", "00:00:05", kText}, {"Output (.png/.jpg)", "", kSave}}},
    {82, "Extract Frames", {{"Input", "", kOpen}, {"Start (sec)", "0", kText}, {"End (sec)", "10", kText}, {"Interval (sec)", "1.0", kList, "0.25|0.5|1.0|2.0|5.0"}, {"Output Pattern", "frame_%04d.png", kSave}}},
    {83, "Thumbnail", {{"Input", "", kOpen}, {"Output", "", kSave}}},
    {84, "Contact Sheet", {{"Input", "", kOpen}, {"Columns", "4", kList, "2|3|4|5|6"}, {"Rows", "4", kList, "2|3|4|5|6"}, {"Output", "", kSave}}},
    {85, "Extract GIF", {{"Input", "", kOpen}, {"Start (sec)", "0", kText}, {"Duration (sec)", "5", kText}, {"Width", "320", kList, "160|240|320|480|640"}, {"FPS", "10", kList, "5|8|10|15|20"}, {"Output", "", kSave}}},
    {91, "Convert", {{"Input", "", kOpen}, {"Output", "", kSave}}},
    {92, "Convert Advanced", {{"Input", "", kOpen}, {"Video Codec", "h264", kList, "h264|h265|vp9|av1|mpeg4|copy"}, {"Audio Codec", "aac", kList, "aac|mp3|opus|flac|copy|none"}, {"Quality", "medium", kList, "low|medium|high|lossless"}, {"Output", "", kSave}}},
    {93, "To MP4", {{"Input", "", kOpen}, {"Quality", "medium", kList, "ultrafast|fast|medium|slow|veryslow"}, {"Output", "", kSave}}},
    {94, "To WebM", {{"Input", "", kOpen}, {"Quality", "medium", kList, "ultrafast|fast|medium|slow|veryslow"}, {"Output", "", kSave}}},
    {95, "To GIF", {{"Input", "", kOpen}, {"Width", "320", kList, "160|240|320|480|640"}, {"FPS", "10", kList, "5|8|10|15|20"}, {"Output", "", kSave}}},
    {96, "Set Bitrate", {{"Input", "", kOpen}, {"Video Bitrate", "2000k", kList, "500k|1000k|2000k|4000k|6000k|8000k|10000k|15000k|20000k"}, {"Audio Bitrate", "192k", kList, "64k|96k|128k|192k|256k|320k"}, {"Output", "", kSave}}},
    {97, "Compress", {{"Input", "", kOpen}, {"Target Size (MB)", "25", kList, "5|10|15|25|50|100|250|500"}, {"Output", "", kSave}}},
    {98, "Export Dialog", {{"Input", "", kOpen}}},
    {101, "Chroma Key", {{"Foreground", "", kOpen}, {"Background", "", kOpen}, {"Key Color", "green", kList, "green|blue|#00FF00|#0000FF"}, {"Similarity", "0.3", kList, "0.1|0.2|0.3|0.4|0.5"}, {"Output", "", kSave}}},
    {102, "Stabilize", {{"Input", "", kOpen}, {"Strength", "medium", kList, "low|medium|high"}, {"Output", "", kSave}}},
    {103, "Denoise", {{"Input", "", kOpen}, {"Strength", "medium", kList, "light|medium|heavy"}, {"Output", "", kSave}}},
    {104, "Subtitles", {{"Input", "", kOpen}, {"SRT File", "", kOpen}, {"Font Size", "24", kList, "14|18|20|24|28|32|36|48"}, {"Color", "FFFFFF", kList, "FFFFFF|FFFF00|00FF00|FF0000|00FFFF|000000"}, {"Output", "", kSave}}},
    {105, "Deinterlace", {{"Input", "", kOpen}, {"Output", "", kSave}}},
    {106, "Reverse", {{"Input", "", kOpen}, {"Output", "", kSave}}},
    {107, "Loop", {{"Input", "", kOpen}, {"Repeat Count", "3", kList, "2|3|4|5|10"}, {"Output", "", kSave}}},
    {108, "From Images", {{"Pattern", "frame_%04d.png", kText}, {"FPS", "24", kList, "12|15|24|25|30|60"}, {"Duration (sec)", "10", kText}, {"Output", "", kSave}}},
    {109, "From Image", {{"Image", "", kOpen}, {"Duration (sec)", "10", kText}, {"Audio", "", kOpen}, {"Output", "", kSave}}},
    {110, "Batch", {{"Input Folder", "", kText}, {"Extension", "mp4", kList, "mp4|avi|mkv|mov|wmv|webm|*"}, {"Filter", "grayscale", kList, "grayscale|sepia|resize|rotate|mute|normalize|denoise|stabilize"}, {"Filter Args", "", kText}, {"Output Folder", "", kSave}}},
    {121, "Create Player", {{"Rectangle", "Rectangle1", kObj}, {"Video", "", kOpen}, {"Status Var", "[PlayerStatus]", kText}}},
    {122, "Destroy Player", {{"Rectangle", "Rectangle1", kObj}}},
    {123, "Play", {{"Rectangle", "Rectangle1", kObj}}},
    {124, "Pause", {{"Rectangle", "Rectangle1", kObj}}},
    {125, "Stop", {{"Rectangle", "Rectangle1", kObj}}},
    {126, "Seek", {{"Rectangle", "Rectangle1", kObj}, {"Time (sec)", "00:00:10", kText}}},
    {127, "Volume", {{"Rectangle", "Rectangle1", kObj}, {"Volume", "80", kList, "0|10|25|50|75|80|100"}}},
    {128, "Get Position", {{"Rectangle", "Rectangle1", kObj}, {"Result", "[Result]", kText}}},
    {129, "Get State", {{"Rectangle", "Rectangle1", kObj}, {"Result", "[Result]", kText}}},
    {130, "Set Loop", {{"Rectangle", "Rectangle1", kObj}, {"Enabled", "true", kList, "true|false"}}},
    {131, "Load Video", {{"Rectangle", "Rectangle1", kObj}, {"Video", "", kOpen}}},
    {132, "Speed", {{"Rectangle", "Rectangle1", kObj}, {"Speed", "1.0", kList, "0.25|0.5|0.75|1.0|1.25|1.5|2.0|3.0|4.0"}}},
    {133, "Fullscreen", {{"Rectangle", "Rectangle1", kObj}, {"Enable", "true", kList, "true|false"}}},
    {134, "Preview Filter", {{"Input Video", "", kOpen}, {"Filter", "hue=s=0", kList, "hue=s=0|negate|curves=vintage|edgedetect|noise=alls=20:allf=t|vignette=PI/4|boxblur=5:1|unsharp=5:5:1.5|eq=brightness=0.1:contrast=1.2|colorbalance=rs=0.3|grayscale"}}},
    {135, "Preview In Rect", {{"Rectangle", "VideoRect", kObj}, {"Filter", "hue=s=0", kList, "hue=s=0|negate|curves=vintage|edgedetect=low=0.1:high=0.4|noise=alls=20:allf=t|vignette=PI/4|boxblur=5:1|unsharp=5:5:1.5|eq=brightness=0.1:contrast=1.2|colorchannelmixer=.393:.769:.189:0:.349:.686:.168:0:.272:.534:.131:0|hflip|vflip|transpose=1|yadif|hqdn3d=4:3:6:4.5|setpts=2.0*PTS|edgedetect=mode=colormix:high=0|fade=in:0:50"}}},
    {136, "Stop Preview", {}},
    {141, "Create FrameStrip", {{"Rectangle", "FilmStrip1", kObj}, {"Video", "", kOpen}, {"Player Rectangle", "VideoRect", kObj}}},
    {142, "Destroy FrameStrip", {{"Rectangle", "FilmStrip1", kObj}}},
    {143, "Add Marker", {{"Rectangle", "FilmStrip1", kObj}, {"Time", "00:00:05", kText}, {"Label", "Cut", kText}, {"Color", "yellow", kList, "red|green|blue|yellow|cyan|white|orange|magenta"}}},
    {144, "Clear Markers", {{"Rectangle", "FilmStrip1", kObj}}},
    {145, "Create Waveform", {{"Rectangle", "WaveformRect", kObj}, {"Video", "", kOpen}, {"Player Rectangle", "VideoRect", kObj}}},
    {146, "Destroy Waveform", {{"Rectangle", "WaveformRect", kObj}}},
    {147, "Zoom Filmstrip", {{"Rectangle", "FilmStrip1", kObj}, {"Zoom", "3", kList, "1|2|3|4|5"}}},
    {148, "Create Track Lanes", {{"Rectangle", "TrackRect", kObj}, {"Video", "", kOpen}, {"Audio", "", kOpen}, {"Player Rectangle", "VideoRect", kObj}}},
    {149, "Add Audio Track", {{"Rectangle", "TrackRect", kObj}, {"Audio File", "", kOpen}, {"Label", "A2", kText}, {"Color", "orange", kList, "orange|purple|yellow|pink|green|cyan"}}},
    {150, "Destroy Track Lanes", {{"Rectangle", "TrackRect", kObj}}},
    {151, "Text Overlay Preview", {{"Rectangle", "VideoRect", kObj}, {"Text", "Hello World", kText}, {"Font Size", "36", kList, "12|16|20|24|32|36|48|64|72"}, {"Color", "white", kList, "white|black|red|green|blue|yellow|cyan|orange"}}},
    {152, "Image Overlay Preview", {{"Rectangle", "VideoRect", kObj}, {"Image", "", kOpen}, {"Width", "100", kText}, {"Opacity", "0.5", kList, "0.1|0.25|0.5|0.75|1.0"}}},
    {153, "Destroy Overlay Preview", {{"Rectangle", "VideoRect", kObj}}},
    {154, "Get Overlay Position", {{"Rectangle", "VideoRect", kObj}, {"X Var", "[OvX]", kText}, {"Y Var", "[OvY]", kText}, {"W Var", "[OvW]", kText}, {"H Var", "[OvH]", kText}}},
    {155, "Update Overlay Text", {{"Rectangle", "VideoRect", kObj}, {"Text", "", kText}, {"Font Size", "", kList, "12|16|20|24|32|48|64"}}},
    {156, "Lock/Unlock Overlay", {{"Rectangle", "VideoRect", kObj}, {"Lock", "1", kList, "0|1"}}},
    {161, "Undo", {{"Target File", "[InputFile]", kOpen}, {"Result", "[UndoResult]", kText}}},
    {162, "Smart Output Name", {{"Input", "[InputFile]", kOpen}, {"Suffix", "edited", kText}, {"Extension", "mp4", kList, "mp4|avi|mkv|mov|webm|gif|mp3|wav"}}},
    {171, "Add Transition", {{"Timecode", "00:00:10", kText}, {"Transition", "fade", kList, "fade|fadeblack|fadewhite|fadegrays|distance|dissolve|wipeleft|wiperight|wipeup|wipedown|slideleft|slideright|slideup|slidedown|smoothleft|smoothright|smoothup|smoothdown|circlecrop|rectcrop|circleopen|circleclose|horzopen|horzclose|vertopen|vertclose|diagbl|diagbr|diagtl|diagtr|hlslice|hrslice|pixelize|radial|zoomin"}, {"Duration (sec)", "1.0", kList, "0.5|1.0|1.5|2.0|3.0"}, {"Result", "[TransIdx]", kText}}},
    {172, "Remove Transition", {{"Index", "0", kText}, {"Result", "[TransResult]", kText}}},
    {173, "Clear Transitions", {}},
    {174, "List Transitions", {{"Result", "[TransList]", kText}}},
    {175, "Render Transitions", {{"Input", "[InputFile]", kOpen}, {"Split Times", "00:00:10,00:00:20", kText}, {"Output", "", kSave}}},
    {176, "Get Transition Types", {{"Result", "[TransTypes]", kText}}},
    {181, "Split Here", {{"Rectangle", "FilmStrip1", kObj}}},
    {182, "Remove Split", {{"Rectangle", "FilmStrip1", kObj}}},
    {183, "Clear All Splits", {{"Rectangle", "FilmStrip1", kObj}}},
    {184, "List Splits", {{"Rectangle", "FilmStrip1", kObj}, {"Result", "[SplitList]", kText}}},
    {185, "Set Split Transition", {{"Rectangle", "FilmStrip1", kObj}, {"Transition", "fade", kList, "fade|fadeblack|fadewhite|fadegrays|distance|dissolve|wipeleft|wiperight|wipeup|wipedown|slideleft|slideright|slideup|slidedown|smoothleft|smoothright|smoothup|smoothdown|circlecrop|rectcrop|circleopen|circleclose|horzopen|horzclose|vertopen|vertclose|diagbl|diagbr|diagtl|diagtr|hlslice|hrslice|pixelize|radial|zoomin|none"}, {"Duration (sec)", "1.0", kList, "0.5|1.0|1.5|2.0|3.0"}}},
    {186, "Get Selected Split", {{"Rectangle", "FilmStrip1", kObj}, {"Time Var", "[SplitTime]", kText}, {"Type Var", "[SplitType]", kText}, {"Duration Var", "[SplitDur]", kText}}},
    {187, "Get Split Count", {{"Rectangle", "FilmStrip1", kObj}, {"Result", "[SplitCount]", kText}}},
    {188, "Render Splits", {{"Rectangle", "FilmStrip1", kObj}, {"Input", "[InputFile]", kOpen}, {"Output", "", kSave}}},
    {189, "Pick Transition", {{"Rectangle", "FilmStrip1", kObj}}},
    {190, "Insert Clip at Split", {{"Rectangle", "FilmStrip1", kObj}, {"Clip File", "", kOpen}}},
    {191, "Set Exit Transition", {{"Rectangle", "FilmStrip1", kObj}, {"Transition", "fade", kList, "fade|fadeblack|fadewhite|dissolve|wipeleft|wiperight|circleopen|pixelize|radial|zoomin|none"}, {"Duration (sec)", "1.0", kList, "0.5|1.0|1.5|2.0|3.0"}}},
    {192, "Pick Exit Transition", {{"Rectangle", "FilmStrip1", kObj}}},
    {200, "Create Timeline", {{"Rectangle", "NLERect", kObj}, {"Player Rectangle", "VideoRect", kObj}}},
    {201, "Destroy Timeline", {{"Rectangle", "NLERect", kObj}}},
    {202, "Add Clip", {{"Rectangle", "NLERect", kObj}, {"Track", "V1", kList, "V1|V2|FX|TX|A1|A2"}, {"Type", "0", kList, "0|1|2|3|4"}, {"File/Filter", "", kOpen}, {"Label", "", kText}, {"Start (sec)", "0", kText}, {"Duration (sec)", "0", kText}}},
    {203, "Remove Clip", {{"Rectangle", "NLERect", kObj}, {"Track", "V1", kList, "V1|V2|FX|TX|A1|A2"}, {"Clip Index", "0", kText}}},
    {204, "Clear Timeline", {{"Rectangle", "NLERect", kObj}}},
    {205, "Set Transition", {{"Rectangle", "NLERect", kObj}, {"Track", "V1", kList, "V1|V2|FX|TX|A1|A2"}, {"Clip Index", "0", kText}, {"Transition", "fade", kList, "fade|wipeleft|wiperight|dissolve|circleopen|slideright|slideleft|smoothleft|smoothright|circlecrop|rectcrop|distance|fadeblack|fadewhite|radial|smoothup|smoothdown|horzopen|horzclose|vertopen|vertclose|diagbl|diagbr|diagtl|diagtr|hlslice|hrslice|vuslice|vdslice|zoomin"}, {"Duration", "1.0", kText}}},
    {206, "Move Clip", {{"Rectangle", "NLERect", kObj}, {"Track", "V1", kList, "V1|V2|FX|TX|A1|A2"}, {"Clip Index", "0", kText}, {"New Start (sec)", "0", kText}}},
    {207, "Trim Clip", {{"Rectangle", "NLERect", kObj}, {"Track", "V1", kList, "V1|V2|FX|TX|A1|A2"}, {"Clip Index", "0", kText}, {"New Start (sec)", "", kText}, {"New Duration (sec)", "", kText}}},
    {208, "Remove Selected", {{"Rectangle", "NLERect", kObj}}},
    {209, "Get State", {{"Rectangle", "NLERect", kObj}}},
    {210, "Snap", {{"Rectangle", "NLERect", kObj}, {"Enabled", "1", kList, "1|0"}}},
    {211, "Zoom", {{"Rectangle", "NLERect", kObj}, {"Pixels Per Second", "30", kText}}},
    {212, "Render Timeline", {{"Rectangle", "NLERect", kObj}, {"Output File", "", kOpen}}},
    {213, "Preview Timeline", {{"Rectangle", "NLERect", kObj}}},
    {214, "Save Project", {{"Rectangle", "NLERect", kObj}, {"Project File", "", kOpen}}},
    {215, "Load Project", {{"Rectangle", "NLERect", kObj}, {"Project File", "", kOpen}}},
    {216, "Split at Playhead", {{"Rectangle", "NLERect", kObj}}},
    {217, "Duplicate Clip", {{"Rectangle", "NLERect", kObj}}},
    {218, "Zoom to Fit", {{"Rectangle", "NLERect", kObj}}},
    {219, "Pick Effect", {{"Rectangle", "NLERect", kObj}}},
    {220, "Pick Text", {{"Rectangle", "NLERect", kObj}}},
};

const ActionFields* FindActionFields(int id) {
    for (const ActionFields& a : kActionFields)
        if (a.id == id) return &a;
    return nullptr;
}

}  // namespace

int SetupEditorFields(int id, EditorField fields[kMaxEditorFields]) {
    const ActionFields* action = FindActionFields(id);
    if (!action) return 0;
    int count = 0;
    for (const FieldSpec& spec : action->fields) {
        if (!spec.label || count >= kMaxEditorFields) break;
        EditorField& f = fields[count];
        f.label = spec.label;
        f.defaultValue = spec.defaultValue;
        f.paramIndex = count;
        f.browse = spec.kind == kOpen || spec.kind == kSave;
        f.saveDialog = spec.kind == kSave;
        f.isList = spec.kind == kList;
        f.choices = spec.choices ? spec.choices : "";
        f.objectButton = spec.kind == kObj;
        ++count;
    }
    return count;
}

const char* EditorTitle(int id) {
    const ActionFields* action = FindActionFields(id);
    return action ? action->title : "";
}
