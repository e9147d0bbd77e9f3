#include "module/plugin/ModuleState.h"

namespace quorvel {

std::int32_t modeId = 0;
bool moduleInitialised = false;
std::vector<QuorvelMFD*> openPages;
ExitCallback exitCallback = nullptr;
std::int32_t cachedVersion = 0;

}  // namespace quorvel
