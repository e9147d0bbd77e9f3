#include "sim/files/ProgramExit.h"

#include <iostream>

namespace quorvel::sim {

int ExitStatusOf(const char* program, const std::function<int()>& body, int failureStatus) {
    try {
        return body();
    } catch (const BadInput& error) {
        std::cerr << program << ": " << error.what() << "\n";
        return 2;
    } catch (const std::exception& error) {
        std::cerr << program << ": " << error.what() << "\n";
        return failureStatus;
    }
}

}  // namespace quorvel::sim
