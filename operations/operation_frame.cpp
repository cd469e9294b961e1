#include "operations/operation_frame.h"
#include "host/report.h"
#include "host/text_util.h"
#include "toolchain/probe.h"
#include "toolchain/process_runner.h"

void BeginOperation() { ReportStart(); }

bool ArgumentsFit(const std::string& arguments) {
    // The text plus its terminating NUL must fit the buffer; refusing is
    // better than running a command cut short.
    if (arguments.size() < kArgumentBufferSize) return true;
    ReportError(Fmt("Arguments too long (%u characters; the limit is %u).", static_cast<unsigned>(arguments.size()),
                    static_cast<unsigned>(kArgumentBufferSize - 1)));
    return false;
}

bool FinishOperation(const std::string& arguments, double expectedSeconds, const std::string& output) {
    if (!ArgumentsFit(arguments)) return false;
    if (!RunFFmpeg(arguments, expectedSeconds)) return false;
    ReportComplete(output);
    return true;
}

bool RunOperation(const std::string& probeInput, const std::string& arguments, const std::string& output) {
    BeginOperation();
    double expected = ProbeDurationSeconds(probeInput);
    return FinishOperation(arguments, expected, output);
}

bool ApplyVideoFilter(const std::string& input, const std::string& filter, const std::string& output) {
    return RunOperation(input,
                        Fmt("-i \"%s\" -vf \"%s\" -c:v libx264 -preset fast -crf 18 -c:a copy \"%s\"", input.c_str(),
                            filter.c_str(), output.c_str()),
                        output);
}
