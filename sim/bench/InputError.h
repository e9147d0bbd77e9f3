// A fault in an input the bench host reads (a scenario file, a replay log,
// the command line's key presses against the scenario), naming the file,
// the line and the field: bad input, exit status 2.
#pragma once

#include <string>

#include "sim/files/ProgramExit.h"

namespace quorvel::sim {

class InputError : public BadInput {
public:
    // "file:line: field: problem"; no field part when field is empty, no
    // line when it is 0 (the fault is the file's as a whole).
    InputError(const std::string& file, long line, const std::string& field, const std::string& problem);
};

}  // namespace quorvel::sim
