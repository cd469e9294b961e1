// What the export dialog lets through, and the files its choices make, run
// with the real ffmpeg on a tiny clip: each container with its defaults, each
// codec once.
#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>
#include <string>
#include "operations/export_formats.h"
#include "tests/support/test_support.h"
#include "tests/unit/capture_host.h"
#include "toolchain/tool_location.h"

namespace {

// The row of `table` whose `field` is `text`, -1 when there is none.
template <class Row, size_t N>
int Find(const Row (&table)[N], const char* Row::*field, const char* text) {
    for (size_t i = 0; i < N; ++i)
        if (!strcmp(table[i].*field, text)) return static_cast<int>(i);
    return -1;
}

int FormatRow(const char* extension) { return Find(ExportFormatTable, &ExportFormat::extension, extension); }

}  // namespace

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
    EXPECT_EQ(ExportRefusal(8, 5, 5), "");  // GIF ignores the codecs
}

TEST(ExportTables, DefaultPathsFilterAndSelections) {
    EXPECT_EQ(DefaultExportPath("C:\\clips\\a.mp4", "mkv"), "C:\\clips\\qmt_export.mkv");
    EXPECT_EQ(DefaultExportPath("", "gif"), ".\\qmt_export.gif");
    EXPECT_EQ(DefaultExportPath("C:\\x/y\\c.mp4", "ts"), "C:\\x/y\\qmt_export.ts");
    EXPECT_EQ(ExportSaveFilter("webm"), std::string("webm Files\0*.webm\0All Files\0*.*\0", 32));

    ExportSelection n = NormalizeSelection(ExportSelection{-1, -1, 99, -1});
    EXPECT_EQ(std::vector<int>({n.format, n.video, n.audio, n.quality}),
              std::vector<int>({0, 0, 0, kExportDefaultQuality}));
    int video = 3, audio = 4;
    ApplyFormatDefaults(13, video, audio);  // no such row: nothing changes
    EXPECT_EQ(video, 3);
    EXPECT_EQ(audio, 4);
}

// ---- the files the choices make ----------------------------------------------

namespace {

// The real ffmpeg, a temporary folder of the test's own and a 0.5 s clip.
class ExportRun : public ::testing::Test {
protected:
    void SetUp() override {
        dir = qt::MakeTempDir("export");
        setenv("TMPDIR", (dir + "/").c_str(), 1);
        ASSERT_TRUE(LocateFFmpeg());
        capture::Install();
        // Five frames and half a second of sound: every encoder has little to do.
        input = qt::Media("export_src_160x90_10fps.mp4",
                          "-f lavfi -i testsrc=size=160x90:rate=10:duration=0.5 -f lavfi -i sine=frequency=440:duration=0.5 "
                          "-c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -shortest");
    }
    void TearDown() override {
        if (!HasFailure()) qt::RemoveTree(dir);
    }
    // Exports with the choices; the file as ffprobe reads it.
    qt::Probed Export(int row, int video, int audio, int quality, const std::string& what) {
        std::string out = dir + "/o" + std::to_string(++runs) + "." + ExportFormatTable[row].extension;
        RunExport(input, ExportSelection{row, video, audio, quality}, out);
        EXPECT_EQ(capture::Last("[QMT_Status]"), "Complete") << what << ": " << capture::Last("[QMT_Error]");
        EXPECT_EQ(capture::Last("[QMT_LastOutput]"), out) << what;
        return qt::Probe(out);
    }
    std::string dir, input;
    int runs = 0;
};

}  // namespace

// A change of format selects the row's codecs (audio-only rows and GIF keep
// the video list as it was); what they make is the container and codecs the
// row's name promises.
TEST_F(ExportRun, EachContainerWithItsDefaults) {
    const struct {
        const char* extension;
        const char* format;
        const char* vcodec;
        const char* acodec;
    } rows[] = {
        {"mp4", "mov,mp4,m4a,3gp,3g2,mj2", "h264", "aac"}, {"webm", "matroska,webm", "vp9", "opus"},
        {"avi", "avi", "h264", "mp3"},                     {"mkv", "matroska,webm", "h264", "aac"},
        {"mov", "mov,mp4,m4a,3gp,3g2,mj2", "h264", "aac"}, {"flv", "flv", "h264", "aac"},
        {"ts", "mpegts", "h264", "aac"},                   {"wmv", "asf", "wmv2", "wmav2"},
        {"gif", "gif", "gif", ""},                         {"mp3", "mp3", "", "mp3"},
        {"wav", "wav", "", "pcm_s16le"},  // lossless audio in a WAV file is PCM
        {"flac", "flac", "", "flac"},                      {"ogg", "ogg", "", "opus"},
    };
    ASSERT_EQ(sizeof rows / sizeof rows[0], static_cast<size_t>(kExportFormatCount));
    for (const auto& r : rows) {
        int row = FormatRow(r.extension), video = 0, audio = 0;
        ASSERT_GE(row, 0) << r.extension;
        ApplyFormatDefaults(row, video, audio);
        qt::Probed p = Export(row, video, audio, kExportDefaultQuality, r.extension);
        EXPECT_EQ(p.formatName, r.format) << r.extension;
        EXPECT_EQ(p.vcodec, r.vcodec) << r.extension;
        EXPECT_EQ(p.acodec, r.acodec) << r.extension;
    }
}

// The codecs no row's defaults use, each once, with the other qualities.
TEST_F(ExportRun, EachOtherCodecOnce) {
    const struct {
        const char* extension;
        const char* video;
        const char* audio;
        int quality;
        const char* vcodec;
        const char* acodec;
    } runs[] = {
        {"mp4", "h265", "aac", 0, "hevc", "aac"},
        {"mkv", "av1", "copy", 2, "av1", "aac"},     // the source's audio
        {"avi", "mpeg4", "mp3", 1, "mpeg4", "mp3"},
        {"mkv", "copy", "none", 3, "h264", ""},      // the source's video, no audio
    };
    for (const auto& r : runs) {
        std::string what = std::string(r.extension) + " " + r.video + "/" + r.audio;
        int row = FormatRow(r.extension), video = Find(kExportVideoCodecs, &ExportChoice::word, r.video);
        int audio = Find(kExportAudioCodecs, &ExportChoice::word, r.audio);
        ASSERT_TRUE(row >= 0 && video >= 0 && audio >= 0) << what;
        ASSERT_EQ(ExportRefusal(row, video, audio), "") << what;
        qt::Probed p = Export(row, video, audio, r.quality, what);
        EXPECT_EQ(p.vcodec, r.vcodec) << what;
        EXPECT_EQ(p.acodec, r.acodec) << what;
    }
    // HEVC in MP4 carries the tag Apple's players need.
    std::string tag;
    qt::Shell("ffprobe -v error -select_streams v:0 -show_entries stream=codec_tag_string -of csv=p=0 '" + dir +
                  "/o1.mp4'",
              &tag);
    EXPECT_EQ(tag, "hvc1\n");
}
