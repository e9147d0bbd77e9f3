#include "sim/bench/InputError.h"

namespace quorvel::sim {

namespace {

// "file:line: field: problem", without the parts not known. Appended in
// place: GCC 12 at -O3 takes "text" + std::string&& for an overlapping copy.
std::string Where(const std::string& file, long line, const std::string& field, const std::string& problem) {
    std::string text = file;
    if (line > 0) text.append(":").append(std::to_string(line));
    text.append(": ");
    if (!field.empty()) text.append(field).append(": ");
    return text.append(problem);
}

}  // namespace

InputError::InputError(const std::string& file, long line, const std::string& field, const std::string& problem)
    : BadInput(Where(file, line, field, problem)) {}

}  // namespace quorvel::sim
