// The host's MFD base class: one display surface showing one mode.
//
// The host constructs the mode's page through the mode's message callback,
// owns it, calls it on its own thread and destroys it through the virtual
// table's first slot. The virtual slots are in the host's order; the base
// versions consume nothing, label nothing and store nothing.
//
// The host is built by Microsoft's compiler, whose layout this is: slot 0 is
// the scalar deleting destructor, which takes flags (bit 0: free the object
// after destroying it) and returns the object's address; Repaint is slot 1.
// g++ gives a virtual destructor two slots (complete and deleting), which
// would put Repaint in slot 2, so for g++ slot 0 is declared as a plain
// virtual function with that contract and the destructor is not virtual.
// g++ uses this layout on Linux too, so that the bench host and the module
// share one header and a page has the same table on every system. On i686
// both compilers pass `this` in ECX and the callee pops the arguments
// (__thiscall, mingw-w64 g++'s default for member functions).
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

#if defined(_MSC_VER)
    virtual ~MFD();
#else
#if defined(QUORVEL_ITANIUM_DESTRUCTOR_SLOTS)
    // g++'s own two destructor slots ahead of the rest: a wrong layout, built
    // only to show that the test host catches it.
    virtual ~MFD();
#endif
    // Slot 0: destroys the page, then frees it when bit 0 of flags is set
    // (the page frees itself: it was allocated by the module); returns it.
    virtual void* ScalarDeletingDestructor(unsigned int flags) = 0;
#endif
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
#if !defined(_MSC_VER) && !defined(QUORVEL_ITANIUM_DESTRUCTOR_SLOTS)
    // Only through slot 0.
    ~MFD();
#endif

    std::uint32_t width;       // surface width, pixels
    std::uint32_t height;      // surface height, pixels
    std::uint32_t cellWidth;   // character cell of the MFD font, pixels
    std::uint32_t cellHeight;  // character cell of the MFD font, pixels
    VESSEL* vessel;

private:
    // The host's own access to what the module only reads.
    friend struct MfdHostAccess;
};

// A page's fields follow the base's at the offset the host's compiler puts
// them: the table pointer and the five fields fill the base exactly, leaving
// no tail padding that g++ could reuse for a page's own fields.
static_assert(sizeof(MFD) == 2 * sizeof(void*) + 4 * sizeof(std::uint32_t));
