// A 32-bit module with every fault check-windows-dll.sh looks for: a
// decorated export in place of hlcTimestep, an extra export, the C++
// runtime as DLLs, nothing from the host, no DllMain of its own, and a
// message callback with a 64-bit vessel argument.
#include <windows.h>

#include <cstdint>
#include <string>

extern "C" __declspec(dllexport) void hlcDLLInit(HINSTANCE) {}
extern "C" __declspec(dllexport) void hlcDLLExit(HINSTANCE) {}
extern "C" __declspec(dllexport) void __stdcall hlcTimestep(double, double, double) {}
extern "C" __declspec(dllexport) int GetModuleVersion() { return static_cast<int>(std::to_string(20060425).size()); }
extern "C" __declspec(dllexport) int Extra() { return 0; }

namespace quorvel {
std::intptr_t MessageCallback(std::uint32_t, std::uint32_t, std::uint32_t, std::int64_t) { return 0; }
}  // namespace quorvel
