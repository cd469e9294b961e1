// The waveform window on a real Win32 system: the linked-in plug-in code
// analyses a generated silent WAV with the Windows ffmpeg.exe, paints into a
// shown Rectangle, and a few pixels are checked (the silent wave's 2-pixel
// centre line, the playhead; the layout and clicks are checked on the draw
// log natively); the player goes through the MCI seam (Wine's MCI cannot
// seek to a time).
#include <cstdio>
#include <cstring>
#include "tests/wine/wine_checks.h"
#include "host/dispatch.h"
#include "host/teardown.h"
#include "host/window_frame.h"
#include "platform/platform.h"
#include "platform/win32/win32_handles.h"
#include "playback/player_registry.h"
#include "strips/waveform_record.h"

namespace {

// A device that plays half of the 2 s clip.
bool HalfWayDevice(const std::string& command, std::string& reply, unsigned long& code) {
    code = 0;
    if (command.find(" position") != std::string::npos) reply = "1000";
    return true;
}

// Two seconds of 8 kHz mono silence as a PCM WAV file, written directly:
// one Windows tool run fewer under Wine.
std::string WriteSilence(const std::string& path) {
    const uint32_t rate = 8000, bytes = 2 * rate * 2;
    unsigned char header[44] = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E',
                                'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 1, 0};  // PCM, one channel
    auto put = [&](int at, uint32_t v, int size) {
        for (int i = 0; i < size; ++i) header[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    put(4, 36 + bytes, 4);
    put(24, rate, 4);
    put(28, rate * 2, 4);  // bytes per second
    put(32, 2, 2);         // block align
    put(34, 16, 2);        // bits per sample
    memcpy(header + 36, "data", 4);
    put(40, bytes, 4);
    std::string data(reinterpret_cast<char*>(header), sizeof header);
    data.append(bytes, '\0');
    FILE* f = fopen(path.c_str(), "wb");
    bool ok = f && fwrite(data.data(), 1, data.size(), f) == data.size();
    if (f) fclose(f);
    Check(ok, "silent WAV written: " + path);
    return ok ? path : std::string();
}

Capture Painted(WindowHandle window) {
    PaintFrameWindowNow(window);
    return CaptureWindow(AsHwnd(window));
}

}  // namespace

QMT_WINE_CHECKS(waveform) {
    HostSimulator& host = ctx.host;
    UseTools(ctx.tools + "\\ffmpeg.exe", ctx.tools + "\\ffprobe.exe");
    std::string silence = WriteSilence(ctx.work + "\\silence.wav");
    if (silence.empty()) return;
    SetMciHook(HalfWayDevice);
    ShowRectangle(host, "Player", 160, 90, 400, 0);
    Dispatch(121, {"Player", silence, ""});
    Check(FindPlayer("Player") == 0, "a player answered through the seam");

    // A waveform 200 x 60 (the track lanes paint the same way; their layout is
    // checked on the draw log natively).
    ShowRectangle(host, "Wave", 200, 60, 0, 0);
    Dispatch(145, {"Wave", silence, "Player"});
    CheckEq(Last("[QMT_Status]"), "Waveform created", "waveform create");
    WaveformRecord* wave = WaveformAt(FindWaveform("Wave"));
    Check(wave && PumpUntil([&] { return !wave->analysing; }, 60000), "the analysis ends");
    if (!wave) return;

    // Silence is a 2-pixel line on rows 29 and 30.
    Check(wave->peakCount == 4000, "4000 peaks of 2 s at 8 kHz: " + std::to_string(wave->peakCount));
    WindowHandle window = wave->waveWindow;
    Capture shot = Painted(window);
    Check(shot.width == 200 && shot.height == 60, "the waveform covers its Rectangle");
    if (shot.width == 200 && shot.height == 60) {
        CheckPixelRgb(shot, 20, 29, 0x00b478, "silent wave above the centre");
        CheckPixelRgb(shot, 20, 30, 0x00b478, "silent wave on the centre row");
        CheckPixelRgb(shot, 20, 31, 0x0f0f14, "background below the line");
        // 1000 ms of 2 s: x = 100.
        CheckPixelRgb(shot, 100, 10, 0xff3c3c, "playhead");
        if (shot.At(100, 10) != 0xff3c3c) shot.SaveBmp(ctx.work + "\\waveform.bmp");
    }

    Dispatch(146, {"Wave"});
    Check(!IsWindow(AsHwnd(window)) && FindWaveform("Wave") < 0, "destroy removes the window and frees the slot");
    PageTearDown();
    SetMciHook(nullptr);
}
