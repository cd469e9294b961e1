#include "host/dispatch.h"

void RegisterCutJoinActions() {}
