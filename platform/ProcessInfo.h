// What the bench host asks of the process it runs in, on either system:
// where its executable is, why the last module load failed, and whether
// a person is watching its error stream.
#pragma once

#include <string>

#include "platform/Win32.h"

namespace quorvel::platform {

// The folder holding the running executable, or empty if unknown.
QUORVEL_PLATFORM_API std::string ExecutableDirectory();

// Why the last LoadLibraryA failed, in words.
QUORVEL_PLATFORM_API std::string LoadErrorText();

// Whether the standard error stream is a terminal (a person is watching),
// rather than a file, a pipe or a CI log.
QUORVEL_PLATFORM_API bool StderrIsTerminal();

}  // namespace quorvel::platform
