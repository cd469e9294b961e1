#include "host/dispatch.h"

void RegisterSingleCommandActions() {}
