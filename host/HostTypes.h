// The host's plain types as the module uses them: vectors, the vessel
// status record, handles, and the description of an MFD mode.
#pragma once

#include <cstdint>

#include "platform/Win32.h"

struct VECTOR3 {
    double x;
    double y;
    double z;
};

// The vessel's state relative to the body it moves about. The module reads
// only the first two members.
struct VESSELSTATUS {
    VECTOR3 position;         // m, from the body centre
    VECTOR3 velocity;         // m/s, in the same frame
    VECTOR3 angularVelocity;  // rad/s, body axes
    VECTOR3 attitude;         // rad: pitch, heading and bank as the VESSEL queries give them
    std::int32_t landed;      // 1 while resting on the surface
};

enum ENGINETYPE : std::int32_t {
    ENGINE_MAIN = 0,
    ENGINE_RETRO = 1,
    ENGINE_HOVER = 2,
    ENGINE_ATTITUDE = 3,
};

// Opaque handles the host hands out; the module only passes them back.
struct HostObjectTag;
struct HostPropellantTag;
struct HostThrusterTag;
using OBJECTHANDLE = HostObjectTag*;
using PROPELLANTHANDLE = HostPropellantTag*;
using THRUSTERHANDLE = HostThrusterTag*;

// The mode's message callback. The packed size, the message number and the
// MFD number are 32-bit values; the vessel and the result carry pointers and
// are pointer-sized, which is 32 bits on a 32-bit build.
using MFDMessageCallback = std::intptr_t (*)(std::uint32_t message, std::uint32_t mfd, std::uint32_t packedSize,
                                             std::intptr_t vessel);

// Messages the host sends to a mode's callback.
constexpr std::uint32_t MFD_MESSAGE_OPENED = 1;

struct MFDMODESPEC {
    const char* name;
    std::uint32_t key;
    MFDMessageCallback messageCallback;
};

// One line of an MFD button menu.
struct MFDBUTTONMENU {
    const char* line1;
    const char* line2;
    char selectChar;
};
