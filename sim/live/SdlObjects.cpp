#include "sim/live/SdlObjects.h"

#include <cstdlib>

namespace quorvel::live {

bool DisplayNamed() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return true;
    }
    return false;
}

SdlSubsystem::SdlSubsystem(std::uint32_t flags) : flags(flags) {
    if (SDL_InitSubSystem(flags) != 0) throw LiveError(std::string("SDL cannot start: ") + SDL_GetError());
}

SdlSubsystem::~SdlSubsystem() {
    SDL_QuitSubSystem(flags);
    // The last one out frees what SDL keeps beside its subsystems.
    if (SDL_WasInit(0) == 0) SDL_Quit();
}

GameControllerHandle OpenFirstGameController() {
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (!SDL_IsGameController(i)) continue;
        if (SDL_GameController* controller = SDL_GameControllerOpen(i)) return GameControllerHandle(controller);
    }
    return {};
}

}  // namespace quorvel::live
