#include "tests/windows/test-host/ModuleImports.h"

#include <cstdint>

#include "tests/windows/test-host/Console.h"

namespace testhost {

namespace {

// The parts of the PE format read here.
constexpr std::uint32_t kNewHeaderOffset = 0x3C;  // in the DOS header
constexpr std::uint32_t kOptionalHeader = 24;     // after "PE\0\0" and the file header
constexpr std::uint16_t kPe32Plus = 0x20B;
constexpr std::uint32_t kImportDirectoryPe32 = 104;  // into the optional header
constexpr std::uint32_t kImportDirectoryPe32Plus = 120;

struct ImportDescriptor {
    std::uint32_t names;  // the lookup table's offset
    std::uint32_t timeStamp;
    std::uint32_t forwarderChain;
    std::uint32_t moduleName;
    std::uint32_t addresses;
};

template <typename T>
const T& At(HMODULE module, std::uint32_t offset) {
    return *reinterpret_cast<const T*>(reinterpret_cast<const char*>(module) + offset);
}

bool SameNameIgnoringCase(const char* a, const char* b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    while (*a != 0 && lower(*a) == lower(*b)) ++a, ++b;
    return *a == *b;
}

}  // namespace

void CheckImportsFromProgram(HMODULE module, const char* programName) {
    const HMODULE program = GetModuleHandleA(nullptr);
    const std::uint32_t header = At<std::uint32_t>(module, kNewHeaderOffset);
    const std::uint32_t optional = header + kOptionalHeader;
    const bool wide = At<std::uint16_t>(module, optional) == kPe32Plus;
    const std::uint32_t imports = At<std::uint32_t>(module, optional + (wide ? kImportDirectoryPe32Plus
                                                                            : kImportDirectoryPe32));
    if (imports == 0) return;
    for (std::uint32_t d = imports;; d += sizeof(ImportDescriptor)) {
        const ImportDescriptor& descriptor = At<ImportDescriptor>(module, d);
        if (descriptor.moduleName == 0) break;
        if (!SameNameIgnoringCase(&At<char>(module, descriptor.moduleName), programName)) continue;
        const std::uint32_t entrySize = wide ? 8 : 4;
        for (std::uint32_t e = descriptor.names;; e += entrySize) {
            const std::uint64_t entry = wide ? At<std::uint64_t>(module, e) : At<std::uint32_t>(module, e);
            if (entry == 0) break;
            const bool byOrdinal = (entry >> (wide ? 63 : 31)) != 0;
            if (byOrdinal) Fail("the module imports from this program by ordinal, which the host does not number");
            // Past the two bytes of the name's hint.
            const char* name = &At<char>(module, static_cast<std::uint32_t>(entry) + 2);
            if (GetProcAddress(program, name) == nullptr) FailWithWindowsError(name);
        }
    }
}

}  // namespace testhost
