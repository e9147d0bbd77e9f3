// The host's free functions that a module calls.
#pragma once

#include "host/HostTypes.h"

// Registers an MFD mode; returns its id. The record is copied.
HLVAPI int hlvRegisterMFDMode(const MFDMODESPEC& spec);

// Removes a registered mode; false when no mode has that id.
HLVAPI bool hlvUnregisterMFDMode(int modeId);

// Writes the vessel's heading in radians, 0 to 2 pi from north through east;
// returns 0 for an unknown handle.
HLVAPI int hlvGetHeading(OBJECTHANDLE vessel, double* heading);

// Tells the host a module is attaching; called once from its entry point.
HLVAPI void InitLib(HINSTANCE module);

// The version number of a build date such as "Apr 25 2006"; 0 if the text
// is not such a date.
HLVAPI int Date2Int(const char* date);
