#include "toolchain/graph_option.h"
#include "host/messages.h"
#include "host/text_util.h"
#include "platform/platform.h"

namespace {
// Below Windows' 32767, with room for the tool's path and "-y".
const size_t kMaxCommandLine = 30000;
}

CommandOutcome FilterGraphOption(const std::string& graph, size_t otherChars, WorkFiles& files) {
    CommandOutcome inline_ = BuildCommand("-filter_complex \"%s\"", {{"Graph", graph}});
    if (inline_.text.size() + otherChars <= kMaxCommandLine) return inline_;
    std::string script = files.Path("graph.txt");
    if (!plat::WriteTextFile(script, graph)) {
        CommandOutcome refused;
        refused.error = Fmt(msg::kGraphFileNotWritten, script.c_str());
        return refused;
    }
    return BuildCommand("-filter_complex_script \"%s\"", {{"GraphFile", script}});
}
