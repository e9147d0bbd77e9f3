#include "sim/host/ModuleHost.h"

#include <algorithm>

#include "sim/host/HostLog.h"
#include "sim/host/HostVessel.h"
#include "sim/host/ModeRegistry.h"

#include "platform/ProcessInfo.h"

namespace quorvel::sim {

namespace {

template <typename Callback>
Callback Export(HMODULE module, const char* name, const std::string& path) {
    const FARPROC found = GetProcAddress(module, name);
    if (found == nullptr) throw ModuleLoadError(path + ": the module does not export " + name);
    return reinterpret_cast<Callback>(reinterpret_cast<void (*)()>(found));
}

}  // namespace

ModuleHost::ModuleHost(const std::string& path) : module(LoadLibraryA(path.c_str())) {
    if (!module) throw ModuleLoadError("cannot load " + path + ": " + quorvel::platform::LoadErrorText());
    init = Export<DllInitCallback>(module.get(), kDllInitExport, path);
    exit = Export<DllExitCallback>(module.get(), kDllExitExport, path);
    timestep = Export<TimestepCallback>(module.get(), kTimestepExport, path);
    version = Export<ModuleVersionCallback>(module.get(), kModuleVersionExport, path);
}

// The module goes last, with the members: after its pages and its exit.
ModuleHost::~ModuleHost() {
    while (!pages.empty()) ClosePage(pages.back().get());
    if (initialised) Exit();
}

void ModuleHost::Init() {
    init(module.get());
    initialised = true;
}

void ModuleHost::Exit() {
    exit(module.get());
    initialised = false;
}

void ModuleHost::Step(double simTime, double simStep, double mjd) { timestep(simTime, simStep, mjd); }

int ModuleHost::Version() { return version(); }

std::uint32_t ModuleHost::PackSize(std::uint32_t width, std::uint32_t height) {
    return (width & 0xFFFF) | (height << 16);
}

std::intptr_t ModuleHost::SendMessage(const std::string& mode, std::uint32_t message, std::uint32_t mfdIndex,
                                      std::uint32_t packedSize, std::intptr_t vessel) {
    const auto registered = ModeRegistry::Instance().FindByName(mode);
    if (!registered || registered->callback == nullptr) {
        HostReport("no MFD mode \"" + mode + "\" to send message " + std::to_string(message) + " to");
        return 0;
    }
    return registered->callback(message, mfdIndex, packedSize, vessel);
}

MFD* ModuleHost::OpenPage(const std::string& mode, std::uint32_t packedSize, VESSEL* vessel, std::uint32_t mfdIndex) {
    const std::intptr_t result = SendMessage(mode, MFD_MESSAGE_OPENED, mfdIndex, packedSize,
                                             reinterpret_cast<std::intptr_t>(vessel));
    if (result == 0) return nullptr;
    pages.emplace_back(reinterpret_cast<MFD*>(result));
    return pages.back().get();
}

MFD* ModuleHost::OpenPage(const std::string& mode, std::uint32_t width, std::uint32_t height, HostVessel& vessel,
                          std::uint32_t mfdIndex) {
    return OpenPage(mode, PackSize(width, height), &vessel.vessel, mfdIndex);
}

void ModuleHost::ClosePage(MFD* page) {
    const auto found = std::find_if(pages.begin(), pages.end(), [page](const auto& p) { return p.get() == page; });
    if (found == pages.end()) return;
    // Take it out of the list first: the page's destructor may call back.
    const std::unique_ptr<MFD, PageDeleter> closing = std::move(*found);
    pages.erase(found);
}

}  // namespace quorvel::sim
