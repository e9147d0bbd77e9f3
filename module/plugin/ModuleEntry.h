// The module's entry points: what Windows calls at attach and detach, the
// callbacks the host finds by name, and the mode's message callback.
#pragma once

#include <cstdint>

#include "platform/Win32.h"

QUORVEL_MODULE_EXPORT void hlcDLLInit(HINSTANCE module);
QUORVEL_MODULE_EXPORT void hlcDLLExit(HINSTANCE module);
QUORVEL_MODULE_EXPORT void hlcTimestep(double simTime, double simStep, double mjd);
QUORVEL_MODULE_EXPORT int GetModuleVersion();

namespace quorvel {

inline constexpr const char* kModeName = "QuorvelMFD";
inline constexpr std::uint32_t kModeKey = 44;
inline constexpr const char* kBuildDate = "Apr 25 2006";

// Message 1 builds a page of the packed size (width in the low 16 bits,
// height in the high 16) for the vessel and returns its address; any other
// message, or no vessel, returns 0.
std::intptr_t MessageCallback(std::uint32_t message, std::uint32_t mfd, std::uint32_t packedSize,
                              std::intptr_t vesselArg);

}  // namespace quorvel
