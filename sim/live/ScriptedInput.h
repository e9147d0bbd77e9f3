// Input for the live window from a list instead of SDL: events at given
// simulated times, for tests to fly a live session. Keys go through the
// same layout as the keyboard's (sim/live/KeyboardLayout.h); an MFD key
// goes to one MFD's station directly, in the host's numbering.
#pragma once

#include <SDL2/SDL_scancode.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorvel::live {

struct InputEvent {
    enum class Kind {
        KeyDown,  // key: pressed
        KeyUp,    // key: released
        MfdKey,   // code to MFD mfd
        Focus,    // the keyboard to MFD mfd
        Quit,
    };
    Kind kind = Kind::Quit;
    SDL_Scancode key = SDL_SCANCODE_UNKNOWN;
    std::uint32_t code = 0;
    std::size_t mfd = 0;
};

struct ScriptedEvent {
    double timeS = 0;  // simulated
    InputEvent event;
};

class ScriptedInput {
public:
    // Events at the same time keep their order; one at a time that is not
    // a number is dropped.
    explicit ScriptedInput(std::vector<ScriptedEvent> events);

    // The events not yet given whose time is at or before simTimeS (within
    // a microsecond, for times that are sums of steps), in time order.
    std::vector<InputEvent> Due(double simTimeS);
    bool Finished() const { return next == events.size(); }

private:
    std::vector<ScriptedEvent> events;
    std::size_t next = 0;
};

}  // namespace quorvel::live
