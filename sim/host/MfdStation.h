// One MFD of the host and what it shows, as a host's mode selection works:
// nothing (switched off), the list of the registered modes, or one mode's
// page. On the mode list a mode's selection key opens that mode: message 1,
// a new page. Leaving a page, for the list or for off, destroys it. Keys on
// a page go to its ConsumeKeyBuffered. The station owns the MFD's surface
// and paints it: black when off, the mode list as text, or the page.
//
// The module host and the vessel must outlive the station.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "host/Mfd.h"
#include "sim/host/HostVessel.h"
#include "sim/host/MfdSurface.h"
#include "sim/host/ModuleHost.h"

namespace quorvel::sim {

class QUORVEL_BENCH_HOST_API MfdStation {
public:
    enum class Showing { Off, ModeList, Page };
    // The name of the key that gives a host key code, for the mode list;
    // empty when there is none.
    using KeyNames = std::function<std::string(std::uint32_t)>;

    // Off at first; `index` is the MFD number the mode's callback is given.
    MfdStation(ModuleHost& host, HostVessel& vessel, std::uint32_t index, std::uint32_t width, std::uint32_t height);
    // Destroys the page shown.
    ~MfdStation();
    MfdStation(const MfdStation&) = delete;
    MfdStation& operator=(const MfdStation&) = delete;

    void SwitchOff();
    void ShowModeList();
    // Opens the mode's page; false, with the mode list shown, when no such
    // mode is registered or it builds no page.
    bool Open(const std::string& mode);
    // A key in the host's numbering. On the mode list: opens the mode whose
    // selection key it is. On a page: the page's ConsumeKeyBuffered. Off:
    // nothing. True when it was used.
    bool Key(std::uint32_t key);

    // Paints the surface with what the station shows. The mode list gives
    // each mode's key code, and the key's name when KeyNames has one.
    void Repaint();
    void SetKeyNames(KeyNames names) { keyNames = std::move(names); }

    Showing Shows() const { return showing; }
    MFD* Page() const { return page; }
    // For a status line: "off", "mode list" or the mode's name.
    std::string StatusText() const;
    const MfdSurface& Surface() const { return surface; }

private:
    void ClosePage();
    void PaintModeList();

    ModuleHost& host;
    HostVessel& vessel;
    std::uint32_t index;
    MfdSurface surface;
    Showing showing = Showing::Off;
    MFD* page = nullptr;  // owned by the module host until closed
    std::string mode;
    KeyNames keyNames;
};

}  // namespace quorvel::sim
