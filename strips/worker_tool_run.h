// One tool run of a strip worker: started directly (hidden, nothing
// inherited), watched until it ends, its time limit passes or the worker is
// cancelled.
#pragma once
#include <atomic>
#include <string>

const long kToolNotStarted = -1;

// Exit code of the run; a run past `limitMs` or cancelled meanwhile is
// terminated with exit code 1. kToolNotStarted when it could not start.
long RunWorkerTool(const std::string& commandLine, unsigned long limitMs, const std::atomic<bool>& cancel);
