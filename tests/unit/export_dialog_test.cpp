// The export dialog's tables and choices, and every format and codec pair it
// lets through, run with the real ffmpeg on a tiny clip.
#include <gtest/gtest.h>
#include <cstdlib>
#include <string>
#include "operations/export_formats.h"
#include "tests/support/test_support.h"
#include "tests/unit/capture_host.h"
#include "toolchain/tool_location.h"

TEST(ExportTables, RowsListsAndControls) {
    EXPECT_STREQ(ExportFormatTable[0].item, "MP4 (.mp4) - H.264/AAC");
    EXPECT_STREQ(ExportFormatTable[12].item, "OGG (.ogg) - Audio Only");
    EXPECT_STREQ(ExportFormatTable[8].extension, "gif");
    EXPECT_STREQ(kExportVideoCodecs[5].item, "Copy (No Re-encode)");
    EXPECT_STREQ(kExportAudioCodecs[3].item, "FLAC (Lossless)");
    EXPECT_STREQ(kExportQualities[kExportDefaultQuality].item, "Medium (CRF 23 - Balanced)");
    int ids[] = {kExportFormatList, kExportVideoList, kExportAudioList, kExportQualityList, kExportOutputEdit,
                 kExportBrowseButton, kExportButton, kExportCancelButton};
    int ys[] = {40, 70, 100, 130, 160, 160, 195, 195};
    int xs[] = {100, 100, 100, 100, 100, 305, 15, 350};
    for (int k = 0; k < 8; ++k) {
        const ExportControl* found = nullptr;
        for (const ExportControl& c : kExportControls)
            if (c.id == ids[k]) found = &c;
        ASSERT_TRUE(found) << ids[k];
        EXPECT_EQ(found->y, ys[k]) << ids[k];
        EXPECT_EQ(found->x, xs[k]) << ids[k];
        EXPECT_LE(found->x + found->width, kExportWindowWidth) << ids[k];
    }
    EXPECT_EQ(ExportSourceLabel("C:\\a.mp4"), "Source: C:\\a.mp4");
}

TEST(ExportTables, FormatChangeSelectsOrKeepsCodecs) {
    int video = 3, audio = 4;
    ApplyFormatDefaults(8, video, audio);  // GIF keeps both
    EXPECT_EQ(video, 3);
    EXPECT_EQ(audio, 4);
    ApplyFormatDefaults(10, video, audio);  // WAV: FLAC, video kept
    EXPECT_EQ(video, 3);
    EXPECT_EQ(audio, 3);
    ApplyFormatDefaults(1, video, audio);  // WebM: VP9 / Opus
    EXPECT_EQ(video, 2);
    EXPECT_EQ(audio, 2);
    ApplyFormatDefaults(7, video, audio);  // WMV: Windows Media streams
    EXPECT_STREQ(kExportVideoCodecs[video].word, "wmv2");
    EXPECT_STREQ(kExportAudioCodecs[audio].word, "wmav2");
    ApplyFormatDefaults(-1, video, audio);
    ApplyFormatDefaults(13, video, audio);
    EXPECT_STREQ(kExportVideoCodecs[video].word, "wmv2");
}

TEST(ExportTables, DefaultPathsFilterAndSelections) {
    EXPECT_EQ(DefaultExportPath("C:\\clips\\a.mp4", "mkv"), "C:\\clips\\qmt_export.mkv");
    EXPECT_EQ(DefaultExportPath("a.mp4", "mp4"), ".\\qmt_export.mp4");
    EXPECT_EQ(DefaultExportPath("", "gif"), ".\\qmt_export.gif");
    EXPECT_EQ(DefaultExportPath("C:/clips/b.mov", "wav"), "C:/clips\\qmt_export.wav");
    EXPECT_EQ(DefaultExportPath("C:\\x/y\\c.mp4", "ts"), "C:\\x/y\\qmt_export.ts");
    EXPECT_EQ(ExportSaveFilter("webm"), std::string("webm Files\0*.webm\0All Files\0*.*\0", 32));

    ExportSelection s;
    s.format = -1;
    s.video = -1;
    s.audio = 99;
    s.quality = -1;
    ExportSelection n = NormalizeSelection(s);
    EXPECT_EQ(n.format, 0);
    EXPECT_EQ(n.video, 0);
    EXPECT_EQ(n.audio, 0);
    EXPECT_EQ(n.quality, 1);
}

TEST(ExportTables, RefusesPairsTheContainersCannotHold) {
    for (int row = 0; row < kExportFormatCount; ++row) {
        int video = 0, audio = 0;
        ApplyFormatDefaults(row, video, audio);
        EXPECT_EQ(ExportRefusal(row, video, audio), "") << ExportFormatTable[row].item;
    }
    EXPECT_EQ(ExportRefusal(1, 0, 2),
              "WebM files cannot take the video codec \"h264 (Most Compatible)\". Choose another video codec.");
    EXPECT_EQ(ExportRefusal(0, 0, 3),
              "MP4 files cannot take the audio codec \"FLAC (Lossless)\". Choose another audio codec.");
    EXPECT_NE(ExportRefusal(4, 2, 0), "");  // MOV with VP9
    EXPECT_NE(ExportRefusal(5, 1, 0), "");  // FLV with HEVC
    EXPECT_NE(ExportRefusal(2, 0, 2), "");  // AVI with Opus
    EXPECT_NE(ExportRefusal(7, 1, 6), "");  // WMV with HEVC
    EXPECT_NE(ExportRefusal(9, 0, 0), "");  // MP3 file with AAC
    EXPECT_NE(ExportRefusal(10, 0, 5), "");  // audio only without audio
    EXPECT_EQ(ExportRefusal(8, 5, 5), "");  // GIF ignores the codecs
    EXPECT_EQ(ExportRefusal(3, 6, 4), "");  // MKV holds anything
}

// ---- every offered pair through the conversions ----------------------------

namespace {

struct Result {
    std::string format, vcodec, acodec, vtag;
    int streams = 0;
};

Result ProbeFile(const std::string& path) {
    Result r;
    std::string out;
    qt::Shell("ffprobe -v error -show_entries format=format_name -of default=nw=1:nk=1 \"" + path + "\"", &out);
    r.format = out.substr(0, out.find('\n'));
    // One line per stream: codec_name,codec_type,codec_tag_string.
    out.clear();
    qt::Shell("ffprobe -v error -show_entries stream=codec_name,codec_type,codec_tag_string -of csv=p=0 \"" + path + "\"",
              &out);
    size_t pos = 0;
    while (pos < out.size()) {
        size_t end = out.find('\n', pos);
        if (end == std::string::npos) end = out.size();
        std::string line = out.substr(pos, end - pos);
        pos = end + 1;
        size_t c1 = line.find(','), c2 = line.find(',', c1 + 1);
        if (c1 == std::string::npos || c2 == std::string::npos) continue;
        std::string name = line.substr(0, c1), type = line.substr(c1 + 1, c2 - c1 - 1);
        ++r.streams;
        if (type == "video") {
            r.vcodec = name;
            r.vtag = line.substr(c2 + 1);
        } else if (type == "audio") r.acodec = name;
    }
    return r;
}

std::string ExpectedFormat(const std::string& ext) {
    if (ext == "mp4" || ext == "mov") return "mov,mp4,m4a,3gp,3g2,mj2";
    if (ext == "mkv" || ext == "webm") return "matroska,webm";
    if (ext == "ts") return "mpegts";
    if (ext == "wmv") return "asf";
    return ext;
}

std::string VideoName(const std::string& word) {
    if (word == "h265") return "hevc";
    if (word == "copy") return "h264";  // the source's
    return word;
}

std::string AudioName(const std::string& word) { return word == "copy" ? "aac" : word == "none" ? "" : word; }

// The real ffmpeg, a temporary folder of the test's own and a 0.5 s clip.
class ExportFixture : public ::testing::Test {
protected:
    void SetUp() override {
        dir = qt::MakeTempDir("export");
        setenv("TMPDIR", (dir + "/").c_str(), 1);
        g_tools = ToolLocation{false, "", "", "", ""};
        ASSERT_TRUE(LocateFFmpeg());
        capture::Install();
        // Five frames and half a second of sound: every encoder has little to do.
        input = qt::Media("export_src_160x90_10fps.mp4",
                          "-f lavfi -i testsrc=size=160x90:rate=10:duration=0.5 -f lavfi -i sine=frequency=440:duration=0.5 "
                          "-c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -shortest");
    }
    void TearDown() override {
        capture::Remove();
        if (!HasFailure()) qt::RemoveTree(dir);
    }
    std::string dir, input;
};

class ExportRun : public ExportFixture, public ::testing::WithParamInterface<int> {
protected:
    // Exports with the choices and checks the file ffprobe reads.
    void Check(int video, int audio, int quality, const std::string& vname, const std::string& aname) {
        int row = GetParam();
        std::string ext = ExportFormatTable[row].extension;
        std::string what = std::string(ExportFormatTable[row].item) + " / " + kExportVideoCodecs[video].item + " / " +
                           kExportAudioCodecs[audio].item + " / " + kExportQualities[quality].item;
        std::string out = dir + "/o" + std::to_string(++runs) + "." + ext;
        ExportSelection s;
        s.format = row;
        s.video = video;
        s.audio = audio;
        s.quality = quality;
        RunExport(input, s, out);
        EXPECT_EQ(capture::Last("[QMT_Status]"), "Complete") << what << ": " << capture::Last("[QMT_Error]");
        EXPECT_EQ(capture::Last("[QMT_LastOutput]"), out) << what;
        Result r = ProbeFile(out);
        EXPECT_EQ(r.format, ExpectedFormat(ext)) << what;
        EXPECT_EQ(r.vcodec, vname) << what;
        EXPECT_EQ(r.acodec, aname) << what;
        if (vname == "hevc" && (ext == "mp4" || ext == "mov")) EXPECT_EQ(r.vtag, "hvc1") << what;
    }
    int runs = 0;
};

}  // namespace

TEST_P(ExportRun, EveryOfferedCodecGivesThatFormatAndCodec) {
    int row = GetParam();
    const ExportFormat& f = ExportFormatTable[row];
    int video = 0, audio = 0;
    ApplyFormatDefaults(row, video, audio);
    const int medium = kExportDefaultQuality;
    if (f.kind == ExportKind::Gif) {
        Check(video, audio, medium, "gif", "");
        return;
    }
    if (f.kind == ExportKind::AudioOnly) {
        for (int a = 0; a < kExportAudioCodecCount; ++a) {
            if (!ExportRefusal(row, video, a).empty()) continue;
            // Lossless audio in a WAV file is written as PCM.
            std::string name = (f.extension == std::string("wav") && a == 3) ? "pcm_s16le" : AudioName(kExportAudioCodecs[a].word);
            Check(video, a, medium, "", name);
        }
        return;
    }
    // Each video codec with the row's audio, each audio codec with the row's video.
    for (int v = 0; v < kExportVideoCodecCount; ++v)
        if (ExportRefusal(row, v, audio).empty())
            Check(v, audio, medium, VideoName(kExportVideoCodecs[v].word), AudioName(kExportAudioCodecs[audio].word));
    for (int a = 0; a < kExportAudioCodecCount; ++a)
        if (a != audio && ExportRefusal(row, video, a).empty())
            Check(video, a, medium, VideoName(kExportVideoCodecs[video].word), AudioName(kExportAudioCodecs[a].word));
    if (row == 0)
        for (int q = 0; q < kExportQualityCount; ++q)
            if (q != medium) Check(video, audio, q, "h264", "aac");
}

INSTANTIATE_TEST_SUITE_P(Rows, ExportRun, ::testing::Range(0, kExportFormatCount));

TEST_F(ExportFixture, EmptyOutputGoesBesideTheInputAndLastOutputIsSetEvenOnFailure) {
    ExportSelection s;
    s.format = 3;  // MKV
    // A folder written with a backslash, as on Windows: natively that is one
    // odd file name, and the run fails, yet the path is reported.
    RunExport("missing\\a.mp4", s, "");
    EXPECT_EQ(capture::Last("[QMT_LastOutput]"), "missing\\qmt_export.mkv");
    EXPECT_EQ(capture::Last("[QMT_Status]"), "Error");
}
