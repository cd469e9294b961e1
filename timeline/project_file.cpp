#include "timeline/project_file.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include "host/messages.h"
#include "host/report.h"
#include "host/text_util.h"
#include "platform/platform.h"
#include "timeline/timeline_window.h"

namespace {

const size_t kMaxLine = 1023;
const char kMagic[] = "QMT_PROJECT";

bool StartsWith(const std::string& s, const char* prefix) { return s.compare(0, strlen(prefix), prefix) == 0; }

// A load fills each track's slots from 0 in file order, so a link is written
// as the partner's place among its track's clips, not as its slot number:
// after a gap in the slots the two differ and the link would name another clip.
int LoadedSlot(const NleTimeline& tl, int track, int slot) {
    if (track < 0 || track >= kNleTrackCount || slot < 0 || slot >= kNleMaxClips) return slot;
    int place = 0;
    for (int s = 0; s < slot; ++s) place += tl.tracks[track].clips[s].inUse ? 1 : 0;
    return place;
}

void AppendClip(std::string& out, const NleTimeline& tl, const NleClip& c) {
    out += Fmt("CLIP %d\n", c.type);
    out += Fmt("  start=%.6f\n", c.start);
    out += Fmt("  duration=%.6f\n", c.duration);
    out += Fmt("  srcIn=%.6f\n", c.srcIn);
    out += Fmt("  srcOut=%.6f\n", c.srcOut);
    if (c.file[0]) out += Fmt("  file=%s\n", c.file);
    if (c.filter[0]) out += Fmt("  filter=%s\n", c.filter);
    if (c.label[0]) out += Fmt("  label=%s\n", c.label);
    if (c.text[0]) out += Fmt("  text=%s\n", c.text);
    if (c.transIn[0]) out += Fmt("  transIn=%s\n", c.transIn);
    if (c.transInDur > 0) out += Fmt("  transInDur=%.3f\n", c.transInDur);
    out += Fmt("  fontSize=%d\n", c.fontSize);
    out += Fmt("  textX=%d\n", c.textX);
    out += Fmt("  textY=%d\n", c.textY);
    out += Fmt("  textColor=%u\n", static_cast<unsigned>(c.textColor));
    out += Fmt("  opacity=%.2f\n", c.opacity);
    if (c.linkedTrack >= 0) out += Fmt("  linkedTrack=%d\n", c.linkedTrack);
    if (c.linkedClip >= 0) out += Fmt("  linkedClip=%d\n", LoadedSlot(tl, c.linkedTrack, c.linkedClip));
    out += "ENDCLIP\n";
}

// A key counts only where its first occurrence is right after the two-space indent.
bool KeyValue(const std::string& line, const char* key, std::string& value) {
    size_t at = line.find(key);
    if (at != 2) return false;
    value = line.substr(2 + strlen(key));
    return true;
}

void ApplyKey(NleClip& c, const std::string& line) {
    std::string v;
    if (KeyValue(line, "start=", v)) c.start = atof(v.c_str());
    else if (KeyValue(line, "duration=", v)) c.duration = atof(v.c_str());
    else if (KeyValue(line, "srcIn=", v)) c.srcIn = atof(v.c_str());
    else if (KeyValue(line, "srcOut=", v)) c.srcOut = atof(v.c_str());
    else if (KeyValue(line, "file=", v)) SetField(c.file, v);
    else if (KeyValue(line, "filter=", v)) SetField(c.filter, v);
    else if (KeyValue(line, "label=", v)) SetField(c.label, v);
    else if (KeyValue(line, "text=", v)) SetField(c.text, v);
    else if (KeyValue(line, "transIn=", v)) SetField(c.transIn, v);
    else if (KeyValue(line, "transInDur=", v)) c.transInDur = atof(v.c_str());
    else if (KeyValue(line, "fontSize=", v)) c.fontSize = atoi(v.c_str());
    else if (KeyValue(line, "textX=", v)) c.textX = atoi(v.c_str());
    else if (KeyValue(line, "textY=", v)) c.textY = atoi(v.c_str());
    else if (KeyValue(line, "opacity=", v)) c.opacity = static_cast<float>(atof(v.c_str()));
    else if (KeyValue(line, "textColor=", v)) c.textColor = static_cast<NleColor>(strtoul(v.c_str(), nullptr, 10));
    else if (KeyValue(line, "linkedTrack=", v)) c.linkedTrack = atoi(v.c_str());
    else if (KeyValue(line, "linkedClip=", v)) c.linkedClip = atoi(v.c_str());
}

}  // namespace

std::string ProjectText(const NleTimeline& tl) {
    std::string out = "QMT_PROJECT 1.0\n";
    out += Fmt("zoom=%.2f\n", tl.zoom);
    out += Fmt("tracks=%d\n", tl.trackCount);
    for (int t = 0; t < tl.trackCount && t < kNleTrackCount; ++t) {
        const NleTrack& track = tl.tracks[t];
        if (!track.inUse) continue;
        int used = 0;
        for (const NleClip& c : track.clips) used += c.inUse ? 1 : 0;
        out += Fmt("TRACK %s %d %d\n", track.name, track.kind, used);
        for (const NleClip& c : track.clips)
            if (c.inUse) AppendClip(out, tl, c);
        out += "ENDTRACK\n";
    }
    out += "END\n";
    return out;
}

bool IsProjectMagic(const std::string& firstLine) { return firstLine.compare(0, strlen(kMagic), kMagic) == 0; }

void ApplyProjectLine(NleTimeline& tl, const std::string& line, int& track, int& clip, bool& ended) {
    if (StartsWith(line, "zoom=")) {
        tl.zoom = atof(line.c_str() + 5);
    } else if (StartsWith(line, "TRACK ")) {
        char name[16] = {};
        int kind = 0, count = 0;
        if (sscanf(line.c_str() + 6, "%15s %d %d", name, &kind, &count) >= 2) {
            track = FindTrack(tl, name);
            clip = -1;
        }
    } else if (StartsWith(line, "CLIP ") && track >= 0) {
        NleTrack& t = tl.tracks[track];
        clip = FirstFreeSlot(t);
        if (clip >= 0) {
            NleClip& c = t.clips[clip];
            memset(&c, 0, sizeof c);
            c.inUse = 1;
            c.type = atoi(line.c_str() + 5);
            c.opacity = 1.0f;
            c.fontSize = 48;
            c.textColor = NleRgb(255, 255, 255);
            c.linkedTrack = c.linkedClip = -1;
            c.color = t.color;
            ++t.clipCount;
        }
    } else if (track >= 0 && clip >= 0) {
        ApplyKey(tl.tracks[track].clips[clip], line);
    }
    if (StartsWith(line, "ENDCLIP")) clip = -1;
    else if (StartsWith(line, "ENDTRACK")) track = clip = -1;
    else if (line == "END") ended = true;
}

void SaveProjectAction(const std::string& rectName, const std::string& path) {
    ReportStart();
    NleTimeline* tl = TimelineAt(FindTimeline(rectName));
    if (!tl) return ReportError(msg::kNoTimeline);
    plat::LockHold held(tl->lock);
    FILE* f = path.empty() ? nullptr : fopen(path.c_str(), "w");
    if (!f) {
        held.Release();
        return ReportError(msg::kProjectNotCreated);
    }
    std::string text = ProjectText(*tl);
    bool written = fwrite(text.data(), 1, text.size(), f) == text.size();
    written = (fclose(f) == 0) && written;
    held.Release();
    if (!written) return ReportError(msg::kProjectNotCreated);
    ReportComplete(path);
}

void LoadProjectAction(const std::string& rectName, const std::string& path) {
    ReportStart();
    NleTimeline* tl = TimelineAt(FindTimeline(rectName));
    if (!tl) return ReportError(msg::kNoTimeline);
    // A folder opens for reading on some systems but is no project file to open.
    FILE* f = path.empty() || plat::IsDirectory(path) ? nullptr : fopen(path.c_str(), "r");
    if (!f) return ReportError(msg::kProjectNotOpened);

    char buffer[kMaxLine + 1];
    auto readLine = [&](std::string& line) {
        if (!fgets(buffer, sizeof buffer, f)) return false;
        line = buffer;
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
        return true;
    };
    std::string line;
    if (!readLine(line) || !IsProjectMagic(line)) {
        fclose(f);
        return ReportError(msg::kNotAProject);
    }

    plat::LockHold held(tl->lock);
    ClearAllClips(*tl);
    int track = -1, clip = -1;
    bool ended = false;
    while (!ended && readLine(line)) ApplyProjectLine(*tl, line, track, clip, ended);
    fclose(f);
    tl->selTrack = tl->selClip = -1;
    RecomputeViewLength(*tl);
    held.Release();
    PublishSelection(*tl);
    InvalidateTimelineWindow(tl->window);
    ReportComplete(path);
}
