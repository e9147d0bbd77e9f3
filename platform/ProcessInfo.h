// What the bench host asks of the process it runs in, on either system:
// where its executable is, why the last module load failed, and whether
// a person is watching its error stream.
#pragma once

#include <string>

#include "platform/Win32.h"

namespace quorvel::platform {

// The folder holding the running executable, or empty if unknown.
QUORVEL_PLATFORM_API std::string ExecutableDirectory();

// Whether standard error is a terminal (and not a file or a pipe).
QUORVEL_PLATFORM_API bool StderrIsTerminal();

// Why the last LoadLibraryA failed, in words; empty on Linux after a
// success.
QUORVEL_PLATFORM_API std::string LoadErrorText();

}  // namespace quorvel::platform
