// How the bench's programs end on a failure: one line on standard error,
// "<program>: <what>", and the exit status of its kind.
#pragma once

#include <functional>
#include <stdexcept>

namespace quorvel::sim {

// Bad input (an option, a file's content, a name): exit status 2. Anything
// else a program throws is a runtime failure, exit status 1.
class BadInput : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Runs `body` and returns the exit status it returns, or, when it throws
// a std::exception, says what on standard error and returns 2 for
// BadInput and `failureStatus` for the rest.
int ExitStatusOf(const char* program, const std::function<int()>& body, int failureStatus = 1);

}  // namespace quorvel::sim
