#include "operations/operation_frame.h"
#include "host/messages.h"
#include "host/report.h"
#include "host/text_util.h"
#include "toolchain/process_runner.h"

void BeginOperation() { ReportStart(); }

Outcome ArgumentsFit(const std::string& arguments) {
    // The text plus its terminating NUL must fit the buffer; refusing is
    // better than running a command cut short.
    if (arguments.size() < kArgumentBufferSize) return Done();
    return Failed(Fmt(msg::kArgumentsTooLong, static_cast<unsigned>(arguments.size()),
                      static_cast<unsigned>(kArgumentBufferSize - 1)));
}

Outcome CommandFits(const CommandOutcome& command) {
    if (!command.ok) return Failed(command.error);
    return ArgumentsFit(command.text);
}

Outcome CommandsFit(std::initializer_list<CommandOutcome> commands) {
    for (const CommandOutcome& command : commands) {
        Outcome fits = CommandFits(command);
        if (!fits.ok) return fits;
    }
    return Done();
}

Outcome RunStep(const CommandOutcome& command, double expectedSeconds) {
    Outcome fits = CommandFits(command);
    return fits.ok ? RunFFmpeg(command.text, expectedSeconds) : fits;
}

Outcome RunStep(const CommandOutcome& command, InputLengthTimes expected) {
    Outcome fits = CommandFits(command);
    return fits.ok ? RunFFmpeg(command, expected) : fits;
}

bool FinishOperation(const CommandOutcome& command, double expectedSeconds, const std::string& output) {
    Outcome run = RunStep(command, expectedSeconds);
    ReportOutcome(run, output);
    return run.ok;
}

bool FinishOperation(const CommandOutcome& command, InputLengthTimes expected, const std::string& output) {
    Outcome run = RunStep(command, expected);
    ReportOutcome(run, output);
    return run.ok;
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
