// What a loaded module imports from this program, read from its import
// table. Windows refuses to load a module that imports a name its exporter
// lacks; Wine binds such a name to a stub instead, so the test host looks.
#pragma once

#include <windows.h>

namespace testhost {

// Ends the run, naming the first function the module imports from the
// program (by the program's file name) that the program does not export.
void CheckImportsFromProgram(HMODULE module, const char* programName);

}  // namespace testhost
