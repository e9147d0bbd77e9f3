// The shapes of the callbacks a module exports to the host, by name.
#pragma once

#include "platform/Win32.h"

using DllInitCallback = void (*)(HINSTANCE module);
using DllExitCallback = void (*)(HINSTANCE module);
using TimestepCallback = void (*)(double simTime, double simStep, double mjd);
using ModuleVersionCallback = int (*)();

inline constexpr const char* kDllInitExport = "hlcDLLInit";
inline constexpr const char* kDllExitExport = "hlcDLLExit";
inline constexpr const char* kTimestepExport = "hlcTimestep";
inline constexpr const char* kModuleVersionExport = "GetModuleVersion";
