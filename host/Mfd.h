// The host's MFD base class: one display surface showing one mode.
//
// The host constructs the mode's page through the mode's message callback,
// owns it, calls it on its own thread and destroys it through the virtual
// destructor. The virtual slots are in the host's order; the base versions
// consume nothing, label nothing and store nothing.
#pragma once

#include <cstdint>
#include <cstdio>

#include "host/HostTypes.h"

class VESSEL;
struct MfdHostAccess;

class HLVAPI MFD {
public:
    MFD(std::uint32_t width, std::uint32_t height, VESSEL* vessel);
    MFD(const MFD&) = delete;
    MFD& operator=(const MFD&) = delete;

    virtual ~MFD();
    virtual void Repaint(HDC hdc) = 0;
    virtual bool ConsumeKeyBuffered(std::uint32_t key);
    virtual bool ConsumeKeyImmediate(const char* keyState);
    virtual bool ConsumeButton(int button, int event);
    virtual const char* ButtonLabel(int button);
    virtual int ButtonMenu(const MFDBUTTONMENU** menu) const;
    virtual void ReadStatus(std::FILE* scenario);
    virtual void WriteStatus(std::FILE* scenario) const;
    virtual void StoreStatus() const;
    virtual void RecallStatus();

protected:
    std::uint32_t width;       // surface width, pixels
    std::uint32_t height;      // surface height, pixels
    std::uint32_t cellWidth;   // character cell of the MFD font, pixels
    std::uint32_t cellHeight;  // character cell of the MFD font, pixels
    VESSEL* vessel;

private:
    // The host's own access to what the module only reads.
    friend struct MfdHostAccess;
};
