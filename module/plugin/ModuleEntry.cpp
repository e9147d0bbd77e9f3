#include "module/plugin/ModuleEntry.h"

#include "host/HostFunctions.h"
#include "host/Vessel.h"
#include "module/plugin/ModuleState.h"
#include "module/plugin/PenSet.h"
#include "module/plugin/QuorvelMFD.h"

namespace quorvel {

static_assert(sizeof(std::intptr_t) == sizeof(void*), "page and vessel travel as pointer-sized integers");

std::intptr_t MessageCallback(std::uint32_t message, std::uint32_t, std::uint32_t packedSize, std::intptr_t vesselArg) {
    if (message != MFD_MESSAGE_OPENED) return 0;
    auto* vessel = reinterpret_cast<VESSEL*>(vesselArg);
    if (vessel == nullptr) return 0;
    MFD* page = new QuorvelMFD(packedSize & 0xFFFF, packedSize >> 16, vessel);
    return reinterpret_cast<std::intptr_t>(page);
}

}  // namespace quorvel

using namespace quorvel;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        InitLib(instance);
        FARPROC exit = GetProcAddress(instance, "ExitModule");
        if (exit == nullptr) exit = GetProcAddress(instance, "hlcDLLExit");
        // Through the generic function type, as any FARPROC is cast.
        exitCallback = reinterpret_cast<ExitCallback>(reinterpret_cast<void (*)()>(exit));
    } else if (reason == DLL_PROCESS_DETACH) {
        if (exitCallback != nullptr) exitCallback(instance);
    }
    return TRUE;
}

void hlcDLLInit(HINSTANCE) {
    // A second init would register the mode again and replace the pens
    // without deleting them.
    if (moduleInitialised) return;
    MFDMODESPEC spec{kModeName, kModeKey, &MessageCallback};
    modeId = hlvRegisterMFDMode(spec);
    CreatePenSet();
    moduleInitialised = true;
}

void hlcDLLExit(HINSTANCE) {
    // The detach glue calls this again after the host has: by then the mode
    // id and the pen handles are no longer the module's.
    if (!moduleInitialised) return;
    hlvUnregisterMFDMode(modeId);
    DeletePenSet();
    moduleInitialised = false;
}

void hlcTimestep(double simTime, double, double) {
    if (!moduleInitialised) return;
    for (QuorvelMFD* page : openPages) page->flightData->sample(simTime);
}

int GetModuleVersion() {
    if (cachedVersion == 0) cachedVersion = Date2Int(kBuildDate);
    return cachedVersion;
}
