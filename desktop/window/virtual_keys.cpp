#include "desktop/window/virtual_keys.h"

#include <algorithm>
#include <array>
#include <utility>

namespace munyura::desktop {
namespace {

struct KeyCode {
  SDL_Scancode scancode;
  std::int16_t virtual_key;
};

// Keys that mean the same on every layout, and the ones the old platform named
// by their place on a US keyboard whatever they type. Letters are not here:
// they depend on the layout.
constexpr std::array kKeysByPosition = std::to_array<KeyCode>({
    // The digit row, by position: an AZERTY "&" key is still the 1 key.
    {SDL_SCANCODE_1, 49},
    {SDL_SCANCODE_2, 50},
    {SDL_SCANCODE_3, 51},
    {SDL_SCANCODE_4, 52},
    {SDL_SCANCODE_5, 53},
    {SDL_SCANCODE_6, 54},
    {SDL_SCANCODE_7, 55},
    {SDL_SCANCODE_8, 56},
    {SDL_SCANCODE_9, 57},
    {SDL_SCANCODE_0, 48},

    {SDL_SCANCODE_BACKSPACE, 8},
    {SDL_SCANCODE_TAB, 9},
    {SDL_SCANCODE_RETURN, 13},
    {SDL_SCANCODE_KP_ENTER, 13},
    {SDL_SCANCODE_LSHIFT, 16},
    {SDL_SCANCODE_RSHIFT, 16},
    {SDL_SCANCODE_LCTRL, 17},
    {SDL_SCANCODE_RCTRL, 17},
    {SDL_SCANCODE_LALT, 18},
    {SDL_SCANCODE_RALT, 18},
    {SDL_SCANCODE_MODE, 18},  // AltGr on some X11 layouts
    {SDL_SCANCODE_PAUSE, 19},
    {SDL_SCANCODE_CAPSLOCK, 20},
    {SDL_SCANCODE_ESCAPE, 27},
    {SDL_SCANCODE_SPACE, 32},
    {SDL_SCANCODE_PAGEUP, 33},
    {SDL_SCANCODE_PAGEDOWN, 34},
    {SDL_SCANCODE_END, 35},
    {SDL_SCANCODE_HOME, 36},
    {SDL_SCANCODE_LEFT, 37},
    {SDL_SCANCODE_UP, 38},
    {SDL_SCANCODE_RIGHT, 39},
    {SDL_SCANCODE_DOWN, 40},
    {SDL_SCANCODE_PRINTSCREEN, 44},
    {SDL_SCANCODE_INSERT, 45},
    {SDL_SCANCODE_DELETE, 46},
    {SDL_SCANCODE_LGUI, 91},
    {SDL_SCANCODE_RGUI, 92},
    {SDL_SCANCODE_APPLICATION, 93},
    {SDL_SCANCODE_MENU, 93},

    {SDL_SCANCODE_KP_MULTIPLY, 106},
    {SDL_SCANCODE_KP_PLUS, 107},
    {SDL_SCANCODE_KP_MINUS, 109},
    {SDL_SCANCODE_KP_DIVIDE, 111},

    {SDL_SCANCODE_NUMLOCKCLEAR, 144},
    {SDL_SCANCODE_SCROLLLOCK, 145},

    // Punctuation, by its place on a US keyboard.
    {SDL_SCANCODE_SEMICOLON, 186},
    {SDL_SCANCODE_EQUALS, 187},
    {SDL_SCANCODE_COMMA, 188},
    {SDL_SCANCODE_MINUS, 189},
    {SDL_SCANCODE_PERIOD, 190},
    {SDL_SCANCODE_SLASH, 191},
    {SDL_SCANCODE_GRAVE, 192},
    {SDL_SCANCODE_LEFTBRACKET, 219},
    {SDL_SCANCODE_BACKSLASH, 220},
    {SDL_SCANCODE_RIGHTBRACKET, 221},
    {SDL_SCANCODE_APOSTROPHE, 222},
});

// The keypad keys that type a digit or the decimal point with NumLock on and
// move the caret with it off, as the arrows, Home, End and the rest do.
struct KeypadKey {
  SDL_Scancode scancode;
  std::int16_t with_num_lock;
  std::int16_t without_num_lock;
};

constexpr std::array kKeypad = std::to_array<KeypadKey>({
    {SDL_SCANCODE_KP_0, 96, 45},        // Insert
    {SDL_SCANCODE_KP_1, 97, 35},        // End
    {SDL_SCANCODE_KP_2, 98, 40},        // Down
    {SDL_SCANCODE_KP_3, 99, 34},        // Page Down
    {SDL_SCANCODE_KP_4, 100, 37},       // Left
    {SDL_SCANCODE_KP_5, 101, 12},       // Clear
    {SDL_SCANCODE_KP_6, 102, 39},       // Right
    {SDL_SCANCODE_KP_7, 103, 36},       // Home
    {SDL_SCANCODE_KP_8, 104, 38},       // Up
    {SDL_SCANCODE_KP_9, 105, 33},       // Page Up
    {SDL_SCANCODE_KP_PERIOD, 110, 46},  // Delete
});

constexpr std::int16_t kVirtualKeyA = 65;
constexpr std::int16_t kVirtualKeyF1 = 112;
constexpr std::int16_t kVirtualKeyF13 = 124;

constexpr bool InRange(int value, int first, int last) {
  return first <= value && value <= last;
}

constexpr std::int16_t Offset(std::int16_t first_code, int steps) {
  return static_cast<std::int16_t>(first_code + steps);
}

// SDL numbers F1-F12 and F13-F24 as two runs of consecutive scancodes.
std::optional<std::int16_t> FunctionKeyOf(SDL_Scancode scancode) {
  if (InRange(scancode, SDL_SCANCODE_F1, SDL_SCANCODE_F12)) {
    return Offset(kVirtualKeyF1, scancode - SDL_SCANCODE_F1);
  }
  if (InRange(scancode, SDL_SCANCODE_F13, SDL_SCANCODE_F24)) {
    return Offset(kVirtualKeyF13, scancode - SDL_SCANCODE_F13);
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::int16_t> VirtualKeyOf(const SDL_Keysym& key) {
  // SDL gives letter keys their lower-case character whatever Shift or Caps
  // Lock, so one code per letter falls out.
  if (InRange(key.sym, SDLK_a, SDLK_z)) {
    return Offset(kVirtualKeyA, key.sym - SDLK_a);
  }
  // The key types a letter of another script (a Cyrillic layout, say), or
  // something SDL cannot name: the old platform named it after the letter at
  // its place on a US keyboard. A key that types ASCII punctuation (Dvorak's
  // ";" where US has Z) is no letter at all.
  const bool types_no_ascii =
      key.sym == SDLK_UNKNOWN || (key.sym >= 0x80 && (key.sym & SDLK_SCANCODE_MASK) == 0);
  if (types_no_ascii && InRange(key.scancode, SDL_SCANCODE_A, SDL_SCANCODE_Z)) {
    return Offset(kVirtualKeyA, key.scancode - SDL_SCANCODE_A);
  }
  if (const auto* const keypad = std::ranges::find(kKeypad, key.scancode, &KeypadKey::scancode);
      keypad != kKeypad.end()) {
    return (key.mod & KMOD_NUM) != 0 ? keypad->with_num_lock : keypad->without_num_lock;
  }
  if (const auto function_key = FunctionKeyOf(key.scancode)) {
    return function_key;
  }
  const auto* const found = std::ranges::find(kKeysByPosition, key.scancode, &KeyCode::scancode);
  if (found == kKeysByPosition.end()) {
    return std::nullopt;
  }
  return found->virtual_key;
}

std::int16_t ShiftStateOf(Uint16 sdl_modifiers) {
  constexpr std::array<std::pair<Uint16, std::int16_t>, 3> kBits{{
      {KMOD_SHIFT, 1},
      {KMOD_CTRL, 2},
      {KMOD_ALT, 4},
  }};
  std::int16_t state = 0;
  for (const auto& [sdl_bits, bit] : kBits) {
    if ((sdl_modifiers & sdl_bits) != 0) {
      state = static_cast<std::int16_t>(state | bit);
    }
  }
  return state;
}

}  // namespace munyura::desktop
