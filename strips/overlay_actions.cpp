#include "strips/overlay_actions.h"
#include "host/host_state.h"
#include "host/messages.h"
#include "host/report.h"
#include "host/text_util.h"
#include "platform/playback_os.h"
#include "playback/rectangle_lookup.h"
#include "strips/overlay_box.h"
#include "strips/overlay_image.h"
#include "strips/overlay_record.h"
#include "strips/overlay_window.h"

namespace {

// The creation steps both kinds share up to the window: the slot, or -1
// after reporting why there is none.
int OpenOverlaySlot(const std::string& rectName) {
    CloseOverlay(FindOverlay(rectName));
    WindowHandle rect = FindRectangleWindow(rectName);
    if (!rect) {
        ReportError(msg::kNoRectangle);
        return -1;
    }
    int width = 0, height = 0;
    plat::ClientSize(rect, width, height);
    int slot = OpenOverlay(rectName, rect, width, height);
    if (slot < 0) ReportError(msg::kOverlaysFull);
    return slot;
}

// Makes the pop-up; without one the slot is given back.
bool ShowOverlay(int slot) {
    if (OpenOverlayWindow(slot) != ::kNoWindow) return true;
    CloseOverlay(slot);
    ReportError(msg::kOverlayWindowFailed);
    return false;
}

}  // namespace

void OverlayPreviewTextAction(const ActionArgs& a) {
    int slot = OpenOverlaySlot(a.text(0));
    OverlayRecord* o = OverlayAt(slot);
    if (!o) return;
    int fontSize = OverlayFontSize(a.text(2));
    {
        plat::LockHold held(o->lock);
        o->kind = kOverlayText;
        SetField(o->text, a.text(1));
        o->fontSize = fontSize;
        o->textColour = ParseOverlayColour(a.text(3));
        o->x = o->y = 10;
    }
    MeasureOverlayText(slot);
    if (!ShowOverlay(slot)) return;
    PublishOverlayBox(*o);
    SetHostVar("[OvText]", a.text(1));
    SetHostVar("[OvFontSize]", Fmt("%d", fontSize));
    SetHostVar("[OvColor]", a.text(3));
    ReportStatusWord(msg::kOverlayShown);
}

void OverlayPreviewImageAction(const ActionArgs& a) {
    int slot = OpenOverlaySlot(a.text(0));
    OverlayRecord* o = OverlayAt(slot);
    if (!o) return;
    const std::string file = a.text(1);
    BitmapHandle image = kNoBitmap;
    int imageWidth = 0, imageHeight = 0;
    // A path cut to the field would name another file: refused like one that does not load.
    if (file.size() >= sizeof o->imagePath || !LoadOverlayImage(file, image, imageWidth, imageHeight)) {
        CloseOverlay(slot);
        ReportError(msg::kImageNotLoaded);
        return;
    }
    float opacity = OverlayOpacity(a.text(3));
    {
        plat::LockHold held(o->lock);
        o->kind = kOverlayImage;
        SetField(o->imagePath, file);
        o->image = image;
        o->imageWidth = imageWidth;
        o->imageHeight = imageHeight;
        o->opacity = opacity;
    }
    PlaceImageBox(*o, o->refWidth, o->refHeight, a.text(2));
    if (!ShowOverlay(slot)) return;
    PlaceFramePopup(o->overlayWindow, o->rectWindow);
    PublishOverlayBox(*o);
    SetHostVar("[OvImage]", file);
    SetHostVar("[OvOpacity]", Fmt("%.2f", opacity));
    ReportStatusWord(msg::kWatermarkShown);
}
