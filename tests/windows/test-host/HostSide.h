// The test host's side of the host interface, as a Microsoft-ABI host
// program exports it: the MFD base, a vessel that answers every query with
// fixed values of a climbing, right-banked rocket plane, and the host's
// functions. Each records what the module asked of it.
#pragma once

#include "host/HostFunctions.h"
#include "host/Mfd.h"
#include "host/Vessel.h"

struct HostVessel {
    VESSEL vessel{*this};
};

namespace testhost {

// What the module has called, for the life cycle's checks.
struct ModuleCalls {
    int initLib = 0;
    HINSTANCE initLibModule = nullptr;
    int registrations = 0;
    MFDMODESPEC registered{};
    int unregistrations = 0;
    int unregisteredId = 0;
    int date2Int = 0;
    int baseDestructions = 0;
    const MFD* lastDestroyed = nullptr;
};
extern ModuleCalls moduleCalls;

// The id the registration returns: not 0 or 1, so that an exit that
// unregisters some other id is caught.
constexpr int kModeId = 7;

}  // namespace testhost
