#include "sim/bench/InputError.h"

namespace quorvel::sim {

InputError::InputError(const std::string& file, long line, const std::string& field, const std::string& problem)
    : BadInput(file + (line > 0 ? ":" + std::to_string(line) : "") + ": " + (field.empty() ? "" : field + ": ") +
               problem) {}

}  // namespace quorvel::sim
