// Filmstrips, waveforms, track lanes and overlay previews arrive with the
// interactive-strips work; until then their tables are always empty.
#include "host/dispatch.h"
#include "host/teardown.h"

void CloseAllFrameStrips() {}
void CloseAllWaveforms() {}
void CloseAllTrackLanes() {}
void CloseAllOverlays() {}
void ShutdownGdiPlus() {}
void RegisterStripActions() {}
