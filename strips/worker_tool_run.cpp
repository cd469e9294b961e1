#include "strips/worker_tool_run.h"
#include "platform/platform.h"

// Short enough that a destroy's wait is never spent on a tool the worker
// would throw away anyway.
static const unsigned long kPollMs = 20;

long RunWorkerTool(const std::string& commandLine, unsigned long limitMs, const std::atomic<bool>& cancel) {
    plat::ChildProcess child;
    if (!plat::StartQuiet(commandLine, child)) return kToolNotStarted;
    uint64_t end = plat::TickMs() + limitMs;
    while (!plat::WaitExit(child, kPollMs)) {
        if (cancel.load() || plat::TickMs() >= end) {
            plat::Terminate(child, 1);
            break;
        }
    }
    long code = static_cast<long>(plat::ExitCode(child));
    plat::CloseChild(child);
    return code;
}
