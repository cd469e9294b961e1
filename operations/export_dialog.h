// The export window: the author picks format, codecs, quality and output
// file; EXPORT runs the matching conversion. Blocks until the window closes.
#pragma once
#include <string>

// Without a window system (the native build) nothing is shown and nothing runs.
void RunExportDialog(const std::string& input);
