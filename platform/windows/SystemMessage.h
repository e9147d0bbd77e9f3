// The system's words for an error code or an HRESULT.
#pragma once

#include <string>

#include "platform/Win32.h"

namespace quorvel::platform {

// Without the line break the system ends it with; empty when the system
// has no words for it.
std::string SystemMessage(DWORD code);

}  // namespace quorvel::platform
