// A TextOutA that logs where each text goes, then draws it through the
// platform's own. Preloaded (LD_PRELOAD) into the Linux bench host, with
// QUORVEL_TEXT_BOXES naming the log, so that compare-page-frames knows
// which pixels of each frame are text. One line per call: the device
// context, then the current position before and after it (the page draws
// all its text with TA_UPDATECP, so the text runs between the two).

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

#include "platform/Win32.h"

namespace {

using TextOutFunction = BOOL (*)(HDC, int, int, LPCSTR, int);

POINT Position(HDC dc) {
    POINT at{0, 0};
    MoveToEx(dc, 0, 0, &at);
    MoveToEx(dc, at.x, at.y, nullptr);
    return at;
}

std::FILE* Log() {
    static std::FILE* log = [] {
        const char* path = std::getenv("QUORVEL_TEXT_BOXES");
        return path != nullptr ? std::fopen(path, "w") : nullptr;
    }();
    return log;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int length) {
    static const auto platformTextOut = reinterpret_cast<TextOutFunction>(dlsym(RTLD_NEXT, "TextOutA"));
    if (platformTextOut == nullptr) return FALSE;
    const POINT before = Position(dc);
    const BOOL drawn = platformTextOut(dc, x, y, text, length);
    const POINT after = Position(dc);
    if (std::FILE* log = Log()) {
        std::fprintf(log, "%p %ld %ld %ld\n", static_cast<void*>(dc), static_cast<long>(before.x),
                     static_cast<long>(before.y), static_cast<long>(after.x));
        std::fflush(log);
    }
    return drawn;
}
