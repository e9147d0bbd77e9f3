#include "sim/live/SdlObjects.h"

#include <cstdlib>

namespace quorvel::live {

namespace {

bool Named(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

// The last one out frees what SDL keeps beside its subsystems.
void QuitIfLast() {
    if (SDL_WasInit(0) == 0) SDL_Quit();
}

}  // namespace

bool DisplayNamed() {
    return Named("DISPLAY") || Named("WAYLAND_DISPLAY");
}

std::string NamedVideoDrivers() {
    std::string drivers = Named("DISPLAY") ? "x11" : "";
    if (Named("WAYLAND_DISPLAY")) drivers += drivers.empty() ? "wayland" : ",wayland";
    return drivers;
}

SdlSubsystem::SdlSubsystem(std::uint32_t flags) : flags(flags) {
    if (SDL_InitSubSystem(flags) == 0) return;
    const std::string why = SDL_GetError();
    QuitIfLast();
    throw LiveError("SDL cannot start: " + why);
}

SdlSubsystem::~SdlSubsystem() {
    if (flags == 0) return;
    SDL_QuitSubSystem(flags);
    QuitIfLast();
}

void SdlSubsystem::Abandon() {
    flags = 0;
    SDL_TLSCleanup();
}

GameControllerHandle OpenFirstGameController() {
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (!SDL_IsGameController(i)) continue;
        if (SDL_GameController* controller = SDL_GameControllerOpen(i)) return GameControllerHandle(controller);
    }
    return {};
}

}  // namespace quorvel::live
