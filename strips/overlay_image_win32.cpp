#include <windows.h>
#include "strips/overlay_record.h"

void DeleteOverlayImage(intptr_t image) {
    if (image) DeleteObject(reinterpret_cast<HBITMAP>(image));
}
