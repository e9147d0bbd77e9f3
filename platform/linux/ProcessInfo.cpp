#include "platform/ProcessInfo.h"

#include <unistd.h>

#include <filesystem>

namespace quorvel::platform {

std::string ExecutableDirectory() {
    std::error_code error;
    const auto self = std::filesystem::canonical("/proc/self/exe", error);
    return error ? std::string() : self.parent_path().string();
}

bool StderrIsTerminal() { return isatty(STDERR_FILENO) == 1; }

}  // namespace quorvel::platform
