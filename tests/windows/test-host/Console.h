// The test host's output, with no C runtime: lines on standard output, and
// the way out when a step fails.
#pragma once

namespace testhost {

// Writes the parts one after the other, then a line end.
void Say(const char* a, const char* b = "", const char* c = "", const char* d = "");

// Ends the run: "test host: STEP: Windows error N: TEXT", status 1.
[[noreturn]] void FailWithWindowsError(const char* step);
// Ends the run: "test host: WHAT", status 1.
[[noreturn]] void Fail(const char* what);
inline void Check(bool holds, const char* what) {
    if (!holds) Fail(what);
}

}  // namespace testhost
