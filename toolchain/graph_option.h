// A filter graph on a command line. Windows takes command lines of at most
// 32767 characters; a long timeline's graph (many clips, long titles) can pass
// that, so such a graph is handed over in a script file instead.
#pragma once
#include <string>
#include "toolchain/command_builder.h"
#include "toolchain/work_files.h"

// `-filter_complex "<graph>"`, or, when the command that holds it
// (`otherChars` characters besides the graph) would pass the limit,
// `-filter_complex_script "<file>"` with the graph written to a file of the
// job's (every FFmpeg from 4.1 to 7.1 reads that option). Refused when the
// file cannot be written.
CommandOutcome FilterGraphOption(const std::string& graph, size_t otherChars, WorkFiles& files);
