// What a program built with no C runtime still needs from one: the memory
// functions the compiler calls for copies and zeroing, the marker that the
// program uses floating point, the pure-virtual trap, and operator delete
// for the base class's own deleting destructor.
#include <cstdint>

#include "tests/windows/test-host/Console.h"

using Size = decltype(sizeof 0);

extern "C" {

int _fltused = 0;

void* memset(void* destination, int value, Size size) {
    auto* bytes = static_cast<unsigned char*>(destination);
    while (size-- > 0) *bytes++ = static_cast<unsigned char>(value);
    return destination;
}

void* memcpy(void* destination, const void* source, Size size) {
    auto* to = static_cast<unsigned char*>(destination);
    const auto* from = static_cast<const unsigned char*>(source);
    while (size-- > 0) *to++ = *from++;
    return destination;
}

int __cdecl _purecall() { testhost::Fail("a pure virtual function of the MFD base was called"); }

}  // extern "C"

// The host never allocates an MFD; a page comes from the module, and its own
// slot 0 frees it.
void operator delete(void*) noexcept { testhost::Fail("the host's MFD destructor freed a page"); }
void operator delete(void*, Size) noexcept { testhost::Fail("the host's MFD destructor freed a page"); }
