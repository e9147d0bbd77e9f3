// The host's registry of MFD modes, behind hlvRegisterMFDMode and
// hlvUnregisterMFDMode. Ids start at 1 and are never reused.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/HostTypes.h"

namespace quorvel::sim {

struct RegisteredMode {
    int id = 0;
    std::string name;
    std::uint32_t key = 0;
    MFDMessageCallback callback = nullptr;
};

class QUORVEL_BENCH_HOST_API ModeRegistry {
public:
    static ModeRegistry& Instance();

    int Register(const MFDMODESPEC& spec);
    // Refuses (and reports) an id that is not registered.
    bool Unregister(int id);

    std::optional<RegisteredMode> FindByName(const std::string& name) const;
    std::optional<RegisteredMode> FindByKey(std::uint32_t key) const;
    const std::vector<RegisteredMode>& Modes() const { return modes; }

private:
    std::vector<RegisteredMode> modes;
    int nextId = 1;
};

}  // namespace quorvel::sim
