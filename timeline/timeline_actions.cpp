#include "host/dispatch.h"
#include "host/teardown.h"

void DestroyAllTimelines() {}
void RegisterTimelineActions() {}
