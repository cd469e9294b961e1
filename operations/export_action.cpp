// QMT_ExportDialog: the export window for one input file.
#include "host/dispatch.h"
#include "operations/export_dialog.h"

static void ExportDialogAction(const ActionArgs& a) { RunExportDialog(a.text(0)); }

void RegisterExportAction() { RegisterAction(98, ExportDialogAction); }
