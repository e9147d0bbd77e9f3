// The module-wide state: one of each per loaded module, zero or null when
// the module is loaded. Each has one writer, named beside it.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Win32.h"

namespace quorvel {

class QuorvelMFD;

using ExitCallback = void (*)(HINSTANCE module);

// Written by hlcDLLInit; read by hlcDLLExit.
extern std::int32_t modeId;
// Whether hlcDLLInit has run without a matching hlcDLLExit; written by the
// two of them, so that an init or an exit run twice (an exit by the host
// and again by the detach glue) does its work once.
extern bool moduleInitialised;
// The pages built and not yet destroyed, oldest first; written by the page
// constructor and destructor. hlcTimestep samples every one of them.
extern std::vector<QuorvelMFD*> openPages;
// Written at module attach; called at module detach.
extern ExitCallback exitCallback;
// Written by GetModuleVersion; 0 until then.
extern std::int32_t cachedVersion;

}  // namespace quorvel
