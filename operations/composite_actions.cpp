#include "host/dispatch.h"

void RegisterCompositeActions() {}
