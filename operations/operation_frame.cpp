#include "operations/operation_frame.h"
#include "host/messages.h"
#include "host/report.h"
#include "host/text_util.h"
#include "toolchain/process_runner.h"

void BeginOperation() { ReportStart(); }

bool ArgumentsFit(const std::string& arguments) {
    // The text plus its terminating NUL must fit the buffer; refusing is
    // better than running a command cut short.
    if (arguments.size() < kArgumentBufferSize) return true;
    ReportError(Fmt(msg::kArgumentsTooLong, static_cast<unsigned>(arguments.size()),
                    static_cast<unsigned>(kArgumentBufferSize - 1)));
    return false;
}

bool CommandAccepted(const CommandOutcome& command) {
    if (!command.ok) {
        ReportError(command.error);
        return false;
    }
    return ArgumentsFit(command.text);
}

bool RunStep(const CommandOutcome& command, double expectedSeconds) {
    return CommandAccepted(command) && RunFFmpeg(command.text, expectedSeconds);
}

bool RunStep(const CommandOutcome& command, InputLengthTimes expected) {
    return CommandAccepted(command) && RunFFmpeg(command, expected);
}

bool FinishOperation(const CommandOutcome& command, double expectedSeconds, const std::string& output) {
    if (!RunStep(command, expectedSeconds)) return false;
    ReportComplete(output);
    return true;
}

bool FinishOperation(const CommandOutcome& command, InputLengthTimes expected, const std::string& output) {
    if (!RunStep(command, expected)) return false;
    ReportComplete(output);
    return true;
}

bool RunOperation(const CommandOutcome& command, const std::string& output) {
    BeginOperation();
    return FinishOperation(command, InputLengthTimes{1}, output);
}

bool ApplyVideoFilter(const std::string& input, const std::string& filter, const std::string& output) {
    return RunOperation(BuildCommand("-i \"%s\" -vf \"%s\" -c:v libx264 -preset fast -crf 18 -c:a copy \"%s\"",
                                     {{"InputFile", input}, {"Filter", filter}, {"OutputFile", output}}),
                        output);
}
