// Turns a key named as the browser names it (KeyboardEvent.code, the key's
// place, and KeyboardEvent.key, what it types) into the 16-bit virtual-key
// code and Shift state of the window's key handlers, by the same rules as the
// desktop's key events: letters follow the letter the key types in the
// current layout; a key that types no Latin letter counts as the letter at
// its place on a US keyboard, and so do the digit row and punctuation.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace munyura::window_rules {

// The virtual-key code, or nothing for a key the handlers never see. `code`
// is a place name such as "KeyZ", "ArrowLeft", "Digit1", "Space"; `key` is
// what the key types in UTF-8 ("z", "Z", "я", "&") or a name ("ArrowLeft",
// "Unidentified").
std::optional<std::int16_t> VirtualKeyOfKeyName(std::string_view code, std::string_view key);

// The handlers' Shift argument: 1 for Shift, 2 for Ctrl, 4 for Alt, or'ed.
std::int16_t ShiftStateOf(bool shift, bool control, bool alt);

}  // namespace munyura::window_rules
