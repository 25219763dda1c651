// Turns SDL's key events into the 16-bit virtual-key codes and Shift states
// the window's key handlers were written for.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <optional>

namespace munyura::desktop {

// The virtual-key code of a key, or nothing for a key the handlers never see.
// Letters follow the letter the key types in the current layout, whatever
// Shift or Caps Lock; a key that types no Latin letter (a Cyrillic layout, say)
// counts as the letter printed at its position on a US keyboard, and so do
// the digit row and the punctuation keys. The keypad gives its digits with
// NumLock on and the arrows, Home, End and the rest with it off.
std::optional<std::int16_t> VirtualKeyOf(const SDL_Keysym& key);

// The handlers' Shift argument: 1 for Shift, 2 for Ctrl, 4 for Alt, or'ed,
// from SDL's modifier bits; the left and right keys count alike.
std::int16_t ShiftStateOf(Uint16 sdl_modifiers);

}  // namespace munyura::desktop
