// One run of the bench host: read the scenario (or the replay log), load
// the module, open a page on every MFD, then step by step move the vessel,
// step the module, press the scenario's keys, repaint, and write the
// pictures, contact sheets and telemetry log (sim/bench/BenchOutputs.h) and
// any video. As fast as it can, or in real time in the live window.
#pragma once

#include <iosfwd>
#include <string>

#include "sim/bench/BenchOptions.h"
#include "sim/bench/RunExtensions.h"

namespace quorvel::sim {

// Returns the process exit status: 0 on success, or when the live window
// ends the run early; 2 when the scenario file, the replay log or the
// combination with the options is bad (one message naming the file, line
// and field), or asks for the window or video where `extensions` has none
// or there is no display; 1 when the module cannot be run, the window
// cannot open, an output cannot be written, the vessel's state stops being
// finite, or a signal stops the run (sim/bench/StopOnSignal.h). Nothing is
// written to the output folder, nor any video made, before every input has
// been read and checked.
int RunBench(const BenchOptions& options, std::ostream& out, const RunExtensions& extensions = {});

// Where the module is when no --module is given: beside the bench host's
// build directory, as the build lays it out.
std::string DefaultModulePath();

}  // namespace quorvel::sim
