// The native build has no windows: the export window cannot be created, so
// the action returns without doing anything, as it does when creation fails.
#include "operations/export_dialog.h"

void RunExportDialog(const std::string&) {}
