// One module as the host runs it: loaded by path (its entry point sees the
// process attach), its exports found by name, initialised, sent message 1
// for every MFD switched to its mode, stepped, given keys and repaints, and
// at the end its pages destroyed, its exit called and the module unloaded.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/Mfd.h"
#include "host/ModuleExports.h"
#include "platform/Handles.h"

struct HostVessel;

namespace quorvel::sim {

// Destroys a page and frees it through slot 0 of its table, as the host
// does: the page frees itself, with the allocator of the module that built it.
struct PageDeleter {
    void operator()(MFD* page) const { page->ScalarDeletingDestructor(1); }
};

class ModuleLoadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class QUORVEL_BENCH_HOST_API ModuleHost {
public:
    // Loads the module; throws ModuleLoadError when it cannot be loaded or
    // lacks one of the host's callbacks.
    explicit ModuleHost(const std::string& path);
    ~ModuleHost();
    ModuleHost(const ModuleHost&) = delete;
    ModuleHost& operator=(const ModuleHost&) = delete;

    void Init();
    void Exit();
    void Step(double simTime, double simStep, double mjd);
    int Version();

    // Switches an MFD to the named mode: sends message 1 with the packed
    // size and the vessel, and takes ownership of the page it returns.
    // Null when the mode is unknown or the callback built no page.
    MFD* OpenPage(const std::string& mode, std::uint32_t packedSize, VESSEL* vessel, std::uint32_t mfdIndex = 0);
    MFD* OpenPage(const std::string& mode, std::uint32_t width, std::uint32_t height, HostVessel& vessel,
                  std::uint32_t mfdIndex = 0);
    // Sends any message to the mode's callback, as the host may.
    std::intptr_t SendMessage(const std::string& mode, std::uint32_t message, std::uint32_t mfdIndex,
                              std::uint32_t packedSize, std::intptr_t vessel);
    // Destroys a page through slot 0 of its table.
    void ClosePage(MFD* page);

    HMODULE Module() const { return module.get(); }
    bool Initialised() const { return initialised; }

    static std::uint32_t PackSize(std::uint32_t width, std::uint32_t height);

private:
    platform::ModuleHandle module;
    DllInitCallback init = nullptr;
    DllExitCallback exit = nullptr;
    TimestepCallback timestep = nullptr;
    ModuleVersionCallback version = nullptr;
    bool initialised = false;
    std::vector<std::unique_ptr<MFD, PageDeleter>> pages;
};

}  // namespace quorvel::sim
