#include "host/dispatch.h"

void RegisterTransitionActions() {}
