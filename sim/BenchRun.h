// One run of the bench host: load the module, open a page on every MFD,
// fly, step the module, repaint, and tell what happened.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>

#include "sim/BenchOptions.h"

namespace quorvel::sim {

// Returns the process exit status: 0 on success, 1 when the module cannot
// be run.
int RunBench(const BenchOptions& options, std::ostream& out);

// Where the module is when no --module is given: beside the bench host's
// build directory, as the build lays it out.
std::string DefaultModulePath();

// A picture's file name: the MFD's number and the simulation time, padded
// so that names sort by time.
std::string PictureName(std::size_t mfd, double timeS);

}  // namespace quorvel::sim
