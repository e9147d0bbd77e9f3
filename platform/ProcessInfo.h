// What the bench host asks of the process it runs in, on either system:
// where its executable is, and why the last module load failed.
#pragma once

#include <string>

#include "platform/Win32.h"

namespace quorvel::platform {

// The folder holding the running executable, or empty if unknown.
QUORVEL_PLATFORM_API std::string ExecutableDirectory();

// Why the last LoadLibraryA failed, in words.
QUORVEL_PLATFORM_API std::string LoadErrorText();

}  // namespace quorvel::platform
