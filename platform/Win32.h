// The one header that knows which system the code is built for.
//
// The module, the host interface and the bench host include this header for
// the Windows types and calls they use: the real <windows.h> on Windows, the
// Linux stand-in of platform/linux elsewhere. Everything that has to differ
// between the two (export and import markers) is defined here and nowhere
// else.
#pragma once

// printf-style argument checking, on every compiler the project uses.
#define QUORVEL_PRINTF_FORMAT(formatIndex, firstValue) __attribute__((format(printf, formatIndex, firstValue)))

#if defined(_WIN32)

#include <windows.h>

// An export of the module, by its undecorated name.
#define QUORVEL_MODULE_EXPORT extern "C" __declspec(dllexport)

// The host's own functions and classes: imported by the module; exported
// by a host that Microsoft's compiler builds (the test host) by their
// declarations. The bench host, a g++ program, exports them under those
// same Microsoft names from the list in host/abi instead.
#if !defined(QUORVEL_BUILDING_HOST)
#define HLVAPI __declspec(dllimport)
#elif defined(_MSC_VER)
#define HLVAPI __declspec(dllexport)
#else
#define HLVAPI
#endif

// The bench host's own platform services and classes, compiled into the
// host program.
#define QUORVEL_PLATFORM_API
#define QUORVEL_BENCH_HOST_API

#else

#include "platform/linux/WindowsApi.h"

#define QUORVEL_MODULE_EXPORT extern "C" __attribute__((visibility("default")))
#define HLVAPI __attribute__((visibility("default")))
#define QUORVEL_PLATFORM_API __attribute__((visibility("default")))
#define QUORVEL_BENCH_HOST_API __attribute__((visibility("default")))

#endif
