// The Microsoft-ABI test host: a program built as the host is, by a
// compiler in Microsoft's C++ ABI, from the project's host/ headers, named
// halvane.exe as the host program is. It plays the host's part in a
// module's whole life:
//
//   halvane.exe MODULE.dll FOLDER
//
// loads the module (its attach calls InitLib) and checks that this program
// has every function it imports from it, initialises it and checks
// the mode it registers, sends message 2 and message 1 for a square and a
// non-square MFD, steps the simulation, repaints each page through its
// table and writes the surface to FOLDER as mfdN_WxH.png, gives it keys,
// destroys the pages through slot 0 (once freeing, once not), and runs the
// module's exit and detach. A failed step prints one line and exits 1.
#include <windows.h>

#include "host/ModuleExports.h"
#include "sim/host/MfdFont.h"
#include "tests/windows/test-host/Console.h"
#include "tests/windows/test-host/HostSide.h"
#include "tests/windows/test-host/ModuleImports.h"
#include "tests/windows/test-host/PngFile.h"

using namespace testhost;

namespace {

constexpr std::uint32_t kSelectKey = 44;
constexpr std::uint32_t kScaleKey = 47;
constexpr std::uint32_t kUnusedKey = 30;

bool SameText(const char* a, const char* b) {
    while (*a != 0 && *a == *b) ++a, ++b;
    return *a == *b;
}

// The command line's arguments after the program's name, split at blanks
// outside double quotes, in place.
int SplitArguments(char* line, char** arguments, int most) {
    int count = -1;  // the program's name comes first
    while (*line != 0) {
        while (*line == ' ' || *line == '\t') ++line;
        if (*line == 0) break;
        const bool quoted = *line == '"';
        if (quoted) ++line;
        char* start = line;
        while (*line != 0 && (quoted ? *line != '"' : *line != ' ' && *line != '\t')) ++line;
        if (*line != 0) *line++ = 0;
        if (count >= 0 && count < most) arguments[count] = start;
        ++count;
    }
    return count < 0 ? 0 : count;
}

template <typename Callback>
Callback Export(HMODULE module, const char* name) {
    const FARPROC found = GetProcAddress(module, name);
    if (found == nullptr) FailWithWindowsError(name);
    return reinterpret_cast<Callback>(reinterpret_cast<void (*)()>(found));
}

// An MFD surface as the host keeps one: a memory DC holding a 32-bit
// top-down DIB section and the MFD font.
class Surface {
public:
    Surface(unsigned int width, unsigned int height) : width(width), height(height) {
        dc = CreateCompatibleDC(nullptr);
        if (dc == nullptr) FailWithWindowsError("CreateCompatibleDC");
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = static_cast<LONG>(width);
        info.bmiHeader.biHeight = -static_cast<LONG>(height);
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (bitmap == nullptr || bits == nullptr) FailWithWindowsError("CreateDIBSection");
        pixels = static_cast<std::uint32_t*>(bits);
        SelectObject(dc, bitmap);
        const quorvel::sim::CharCell cell = quorvel::sim::MfdCharCell(width, height);
        font = CreateFontA(static_cast<int>(cell.height), static_cast<int>(cell.width), 0, 0,
                           FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           NONANTIALIASED_QUALITY, FIXED_PITCH | FF_MODERN, "DejaVu Sans Mono");
        if (font != nullptr) SelectObject(dc, font);
    }
    ~Surface() {
        DeleteDC(dc);
        DeleteObject(bitmap);
        if (font != nullptr) DeleteObject(font);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // A checksum of the upper two thirds, where the attitude ball is.
    std::uint32_t BallChecksum() const {
        GdiFlush();
        std::uint32_t sum = 0;
        for (unsigned int i = 0; i < width * (2 * height / 3); ++i) sum = sum * 31 + pixels[i];
        return sum;
    }

    const unsigned int width;
    const unsigned int height;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HFONT font = nullptr;
    std::uint32_t* pixels = nullptr;
};

// "FOLDER\mfdN_WxH.png" into the buffer.
void PictureName(char* name, const char* folder, int index, unsigned int width, unsigned int height) {
    auto append = [&name](const char* text) {
        while (*text != 0) *name++ = *text++;
    };
    auto appendNumber = [&name](unsigned int number) {
        char digits[10];
        int count = 0;
        do digits[count++] = static_cast<char>('0' + number % 10);
        while ((number /= 10) != 0);
        while (count > 0) *name++ = digits[--count];
    };
    append(folder);
    append("\\mfd");
    appendNumber(static_cast<unsigned int>(index));
    append("_");
    appendNumber(width);
    append("x");
    appendNumber(height);
    append(".png");
    *name = 0;
}

// Slot 0 as the host's compiler calls it.
#if defined(_M_IX86)
using SlotZero = void*(__thiscall*)(MFD* page, unsigned int flags);
#else
using SlotZero = void* (*)(MFD* page, unsigned int flags);
#endif

void* CallSlotZero(MFD* page, unsigned int flags) {
    const SlotZero destroy = (*reinterpret_cast<SlotZero* const*>(page))[0];
    return destroy(page, flags);
}

int Run() {
    char* arguments[2] = {};
    if (SplitArguments(GetCommandLineA(), arguments, 2) != 2) {
        Say("usage: halvane.exe MODULE.dll FOLDER");
        return 2;
    }
    const char* modulePath = arguments[0];
    const char* folder = arguments[1];

    const HMODULE module = LoadLibraryA(modulePath);
    if (module == nullptr) FailWithWindowsError("LoadLibrary");
    CheckImportsFromProgram(module, "halvane.exe");
    const auto init = Export<DllInitCallback>(module, kDllInitExport);
    const auto exit = Export<DllExitCallback>(module, kDllExitExport);
    const auto timestep = Export<TimestepCallback>(module, kTimestepExport);
    const auto version = Export<ModuleVersionCallback>(module, kModuleVersionExport);
    Check(moduleCalls.initLib == 1 && moduleCalls.initLibModule == module,
          "the module's attach did not call InitLib once with its own handle");

    Check(version() == 20060425 && version() == 20060425 && moduleCalls.date2Int == 1,
          "GetModuleVersion did not give 20060425 from one Date2Int call");

    init(module);
    const MFDMODESPEC& mode = moduleCalls.registered;
    Check(moduleCalls.registrations == 1, "hlcDLLInit did not register one mode");
    Check(mode.name != nullptr && SameText(mode.name, "QuorvelMFD"), "the mode is not named QuorvelMFD");
    Check(mode.key == kSelectKey, "the mode's selection key is not 44");
    Check(mode.messageCallback != nullptr, "the mode has no message callback");
    Say("test host: registered \"", mode.name, "\", key 44");

    HostVessel vessel;
    const auto vesselArgument = reinterpret_cast<std::intptr_t>(&vessel.vessel);
    Check(mode.messageCallback(2, 0, 400 | 400u << 16, vesselArgument) == 0, "message 2 did not answer 0");

    struct Mfd {
        unsigned int width, height;
        MFD* page;
    };
    Mfd mfds[2] = {{400, 400, nullptr}, {512, 320, nullptr}};
    for (unsigned int i = 0; i < 2; ++i) {
        Mfd& mfd = mfds[i];
        mfd.page = reinterpret_cast<MFD*>(mode.messageCallback(1, i, mfd.width | mfd.height << 16, vesselArgument));
        Check(mfd.page != nullptr, "message 1 built no page");
    }

    for (int step = 1; step <= 50; ++step) timestep(step * 0.02, 0.02, 51544.5);

    char name[1024];
    for (int i = 0; i < 2; ++i) {
        Mfd& mfd = mfds[i];
        Surface surface(mfd.width, mfd.height);
        mfd.page->Repaint(surface.dc);
        const std::uint32_t ball = surface.BallChecksum();
        PictureName(name, folder, i, mfd.width, mfd.height);
        if (!WritePng(name, surface.pixels, mfd.width, mfd.height)) FailWithWindowsError(name);
        Say("test host: repainted into ", name);

        Check(mfd.page->ConsumeKeyBuffered(kScaleKey), "key 47 was not used");
        Check(!mfd.page->ConsumeKeyBuffered(kUnusedKey), "an unused key was used");
        mfd.page->Repaint(surface.dc);
        Check(surface.BallChecksum() != ball, "key 47 did not change the ball's scale");
    }
    Say("test host: key 47 changed the ball's scale and key 30 was not used, on both pages");

    // The host's delete: slot 0 with bit 0 set, the page freeing itself.
    delete mfds[0].page;
    Check(moduleCalls.baseDestructions == 1 && moduleCalls.lastDestroyed == mfds[0].page,
          "deleting the first page did not destroy it");
    // Slot 0 without bit 0: destroyed but not freed. Its storage stays the
    // module's, which this host cannot free, so it stays allocated.
    Check(CallSlotZero(mfds[1].page, 0) == mfds[1].page, "slot 0 did not return the page");
    Check(moduleCalls.baseDestructions == 2 && moduleCalls.lastDestroyed == mfds[1].page,
          "slot 0 with flags 0 did not destroy the second page");
    Say("test host: both pages destroyed through slot 0");

    exit(module);
    Check(moduleCalls.unregistrations == 1 && moduleCalls.unregisteredId == kModeId,
          "hlcDLLExit did not unregister the mode with the id it was given");
    if (FreeLibrary(module) == 0) FailWithWindowsError("FreeLibrary");
    Check(moduleCalls.unregistrations == 1, "the module's detach unregistered the mode again");
    Say("test host: the module's whole life ran as a host runs it");
    return 0;
}

}  // namespace

extern "C" void HostStart() { ExitProcess(static_cast<UINT>(Run())); }
