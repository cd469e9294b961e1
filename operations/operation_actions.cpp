#include "host/dispatch.h"

void RegisterOperationActions() {}
