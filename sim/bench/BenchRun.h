// One run of the bench host: read the scenario (or the replay log), load
// the module, open a page on every MFD, then step by step move the vessel,
// step the module, press the scenario's keys, repaint, and write the
// pictures, contact sheets and telemetry log (sim/bench/BenchOutputs.h).
#pragma once

#include <iosfwd>
#include <string>

#include "sim/bench/BenchOptions.h"

namespace quorvel::sim {

// Returns the process exit status: 0 on success; 2 when the scenario file,
// the replay log or the combination with the options is bad (one message
// naming the file, line and field); 1 when the module cannot be run, an
// output cannot be written, the vessel's state stops being finite, or a
// signal stops the run (sim/bench/StopOnSignal.h). Nothing is written to the
// output folder before every input has been read and checked.
int RunBench(const BenchOptions& options, std::ostream& out);

// Where the module is when no --module is given: beside the bench host's
// build directory, as the build lays it out.
std::string DefaultModulePath();

}  // namespace quorvel::sim
