#include "strips/overlay_record.h"

// Natively no image is ever loaded into an overlay.
void DeleteOverlayImage(intptr_t) {}
