#include "host/dispatch.h"

void RegisterBatchAction() {}
