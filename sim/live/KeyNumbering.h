// The bench host's key numbering: the code a page's ConsumeKeyBuffered
// gets for a physical key. It is the PC keyboard's scan code set 1 (the
// make codes), with the keys that send an 0xE0 prefix numbered 0x80 plus
// their code, as the common PC game numbering does: Escape is 1, Up arrow
// 0xC8. Codes follow the key's place on the keyboard, not the letter the
// layout prints on it.
//
// Code 44 (0x2C) is the key right of left Shift on a US keyboard, Z (Y on
// a German one, W on a French one); code 47 (0x2F) is the fourth key from
// it, V. So Z opens QuorvelMFD from the mode list and V steps its ball.
#pragma once

#include <SDL2/SDL_scancode.h>

#include <cstdint>
#include <string>

namespace quorvel::live {

// The host's code for an SDL scancode (SDL numbers keys by place, too);
// 0 for a key that set 1 has no code for.
std::uint32_t HostKeyCode(SDL_Scancode key);
// The name of the key that gives the code, as the keyboard's layout
// labels it ("Z" for 44 on a US keyboard, "Y" on a German one); empty for
// a code no key gives.
std::string HostKeyName(std::uint32_t code);

}  // namespace quorvel::live
