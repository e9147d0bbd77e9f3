#include "platform/ProcessInfo.h"

#include <io.h>

#include <cstdio>
#include <string>

#include "platform/windows/SystemMessage.h"

namespace quorvel::platform {

std::string ExecutableDirectory() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::string();
    std::string text(path, length);
    const auto slash = text.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : text.substr(0, slash);
}

bool StderrIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

std::string LoadErrorText() {
    const DWORD code = GetLastError();
    const std::string text = SystemMessage(code);
    return "error " + std::to_string(code) + (text.empty() ? "" : ": " + text);
}

}  // namespace quorvel::platform
