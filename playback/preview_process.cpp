// The one FFplay preview process shared by the filter and timeline previews.
#include "host/teardown.h"
#include "platform/platform.h"

static plat::ChildProcess g_previewProcess;

void TerminatePreviewProcess() {
    if (!g_previewProcess.running) return;
    plat::Terminate(g_previewProcess, 0);
    plat::CloseChild(g_previewProcess);
    g_previewProcess = plat::ChildProcess();
}
