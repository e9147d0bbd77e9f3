#include "sim/host/ModeRegistry.h"

#include <algorithm>

#include "host/HostFunctions.h"
#include "sim/host/HostLog.h"

namespace quorvel::sim {

ModeRegistry& ModeRegistry::Instance() {
    static ModeRegistry registry;
    return registry;
}

int ModeRegistry::Register(const MFDMODESPEC& spec) {
    // The record is the caller's local; the name is copied since the module
    // that owns it may be unloaded while the host still lists the mode.
    RegisteredMode mode{nextId++, spec.name != nullptr ? spec.name : "", spec.key, spec.messageCallback};
    if (mode.callback == nullptr) HostReport("mode \"" + mode.name + "\" registered without a message callback");
    modes.push_back(std::move(mode));
    return modes.back().id;
}

bool ModeRegistry::Unregister(int id) {
    const auto found = std::find_if(modes.begin(), modes.end(), [id](const RegisteredMode& m) { return m.id == id; });
    if (found == modes.end()) {
        HostReport("refused to unregister MFD mode " + std::to_string(id) + ": no such mode");
        return false;
    }
    modes.erase(found);
    return true;
}

std::optional<RegisteredMode> ModeRegistry::FindByName(const std::string& name) const {
    for (const RegisteredMode& mode : modes) {
        if (mode.name == name) return mode;
    }
    return std::nullopt;
}

std::optional<RegisteredMode> ModeRegistry::FindByKey(std::uint32_t key) const {
    for (const RegisteredMode& mode : modes) {
        if (mode.key == key) return mode;
    }
    return std::nullopt;
}

}  // namespace quorvel::sim

int hlvRegisterMFDMode(const MFDMODESPEC& spec) { return quorvel::sim::ModeRegistry::Instance().Register(spec); }

bool hlvUnregisterMFDMode(int modeId) { return quorvel::sim::ModeRegistry::Instance().Unregister(modeId); }
