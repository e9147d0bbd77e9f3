// Owners for the SDL objects the live window holds, one deleter each, the
// error type the live units throw, and whether there is a display at all.
#pragma once

#include <SDL2/SDL.h>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

namespace quorvel::live {

class LiveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Whether the environment names a display (DISPLAY or WAYLAND_DISPLAY),
// before asking SDL to open one.
bool DisplayNamed();
// SDL's video drivers for the displays the environment names, X first
// ("x11", "wayland", "x11,wayland"): none that shows nothing.
std::string NamedVideoDrivers();

// One SDL subsystem, started for as long as the owner lives (SDL counts
// them, so owners may overlap). Throws LiveError with SDL's words.
class SdlSubsystem {
public:
    explicit SdlSubsystem(std::uint32_t flags);
    ~SdlSubsystem();
    SdlSubsystem(const SdlSubsystem&) = delete;
    SdlSubsystem& operator=(const SdlSubsystem&) = delete;

    // Leaves the subsystem running: its display is gone, and quitting it
    // would wait for the display's answer for ever. Frees only SDL's state
    // for this thread (its error text), which needs no display.
    void Abandon();

private:
    std::uint32_t flags;
};

struct DestroyWindow {
    void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
};
struct DestroyRenderer {
    void operator()(SDL_Renderer* renderer) const { SDL_DestroyRenderer(renderer); }
};
struct DestroyTexture {
    void operator()(SDL_Texture* texture) const { SDL_DestroyTexture(texture); }
};
struct CloseGameController {
    void operator()(SDL_GameController* controller) const { SDL_GameControllerClose(controller); }
};

using WindowHandle = std::unique_ptr<SDL_Window, DestroyWindow>;
using RendererHandle = std::unique_ptr<SDL_Renderer, DestroyRenderer>;
using TextureHandle = std::unique_ptr<SDL_Texture, DestroyTexture>;
using GameControllerHandle = std::unique_ptr<SDL_GameController, CloseGameController>;

// The first joystick SDL knows as a game controller, opened; empty when
// there is none. Needs the game-controller subsystem.
GameControllerHandle OpenFirstGameController();

}  // namespace quorvel::live
