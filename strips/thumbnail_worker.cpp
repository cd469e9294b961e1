#include "strips/thumbnail_worker.h"
#include "host/text_util.h"
#include "host/window_frame.h"
#include "platform/platform.h"
#include "strips/filmstrip_geometry.h"
#include "strips/filmstrip_record.h"
#include "strips/thumbnail_bitmap.h"
#include "strips/worker_link.h"
#include "strips/worker_tool_run.h"
#include "toolchain/command_builder.h"
#include "toolchain/probe.h"

std::string ThumbnailImagePath(int slot, int index) {
    return Fmt("%sqmt_fs_%d_%d.bmp", plat::TempFolder().c_str(), slot, index);
}

namespace {

// The cell size as it stands now, read under the strip's lock since a zoom
// on the host's thread changes it meanwhile; false once the strip has let go
// of the worker.
bool CellSize(WorkerLink& link, int& width, int& height) {
    return WithRecord<FrameStripRecord>(link, [&](FrameStripRecord& s) {
        plat::LockHold held(s.lock);
        width = s.cellWidth;
        height = s.thumbHeight;
    });
}

void ExtractOne(WorkerLink& link, const std::string& video, double duration, int index) {
    int width = 0, height = 0;
    if (!CellSize(link, width, height)) return;
    std::string image = ThumbnailImagePath(link.slot, index);
    CommandOutcome command =
        BuildCommand("\"%s\" -y -ss %.3f -i \"%s\" -frames:v 1 -vf scale=%d:%d -pix_fmt bgr24 \"%s\"",
                     {{"FFmpeg", link.tools.ffmpeg}, {"Time", ThumbnailTime(duration, index)}, {"VideoFile", video},
                      {"Width", width}, {"Height", height}, {"Image", image}});
    if (command.ok) RunWorkerTool(command.text, kThumbnailRunLimitMs, link.cancel);
    BitmapHandle bitmap = kNoBitmap;
    if (!Cancelled(link) && CellSize(link, width, height)) bitmap = LoadThumbnailBitmap(image, width, height);
    if (bitmap != kNoBitmap) {
        bool stored = WithRecord<FrameStripRecord>(link, [&](FrameStripRecord& s) {
            StoreThumbnail(s, index, bitmap);
            if (!Cancelled(link)) InvalidateFrameWindow(s.stripWindow);
        });
        // A strip that let go meanwhile never sees this thumbnail.
        if (!stored) DeleteThumbnailBitmap(bitmap);
    }
    plat::DeleteFilePath(image);
}

}  // namespace

void FrameExtractionThread(WorkerLink& link) {
    std::string video;
    WithRecord<FrameStripRecord>(link, [&](FrameStripRecord& s) { video = s.videoPath; });
    double duration = 0;
    if (!Cancelled(link) && link.tools.located()) duration = ProbeDurationQuietly(link.tools, video);
    if (duration > 0) {
        WithRecord<FrameStripRecord>(link, [&](FrameStripRecord& s) {
            plat::LockHold held(s.lock);
            s.duration = duration;
        });
        int count = ThumbnailCount(duration);
        for (int i = 0; i < count && !Cancelled(link); ++i) ExtractOne(link, video, duration, i);
    }
    WithRecord<FrameStripRecord>(link, [&](FrameStripRecord& s) { s.extracting = false; });
}
