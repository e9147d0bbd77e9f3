#include "tests/windows/test-host/Console.h"

#include <windows.h>

namespace testhost {

namespace {

void Write(const char* text) {
    DWORD length = 0;
    while (text[length] != 0) ++length;
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, length, &written, nullptr);
}

// Decimal digits of a number, into a buffer of at least 11 characters.
const char* Decimal(unsigned long number, char* buffer) {
    char* end = buffer + 10;
    *end = 0;
    do {
        *--end = static_cast<char>('0' + number % 10);
        number /= 10;
    } while (number != 0);
    return end;
}

}  // namespace

void Say(const char* a, const char* b, const char* c, const char* d) {
    const char* const parts[] = {a, b, c, d};
    for (const char* part : parts) Write(part);
    Write("\r\n");
}

void FailWithWindowsError(const char* step) {
    const DWORD error = GetLastError();
    char text[256] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                        text, sizeof text, nullptr);
    // The system's text ends in a line break of its own.
    for (DWORD i = length; i > 0 && (text[i - 1] == '\r' || text[i - 1] == '\n'); --i) text[i - 1] = 0;
    char number[11];
    const char* const parts[] = {"test host: ", step, ": Windows error ", Decimal(error, number),
                                 text[0] != 0 ? ": " : ""};
    for (const char* part : parts) Write(part);
    Say(text);
    ExitProcess(1);
}

void Fail(const char* what) {
    Say("test host: ", what);
    ExitProcess(1);
}

}  // namespace testhost
