// The virtual-key codes the handlers receive, on US, AZERTY, QWERTZ, Dvorak
// and Cyrillic layouts, the keypad with NumLock on and off, and the Shift
// argument.
#include "desktop/window/virtual_keys.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string_view>

namespace munyura::desktop {
namespace {

constexpr SDL_Keysym Key(SDL_Scancode scancode, SDL_Keycode sym, Uint16 mod = KMOD_NONE) {
  return SDL_Keysym{scancode, sym, mod, 0};
}

struct KeyCase {
  std::string_view what;
  SDL_Keysym key;
  std::optional<std::int16_t> expected;
};

// What keys of layouts other than US type, as SDL reports it: the code point.
constexpr SDL_Keycode kCyrillicEf = 0x0444;   // on the US A key
constexpr SDL_Keycode kCyrillicZhe = 0x0436;  // on the US ; key
constexpr SDL_Keycode kCyrillicYa = 0x044F;   // on the US Z key

// One row for each way a code is found, and each end of its range. Modifiers
// change no code (the keypad's NumLock apart, below).
const auto kKeyCases = std::to_array<KeyCase>({
    {"left arrow", Key(SDL_SCANCODE_LEFT, SDLK_LEFT), 37},
    {"up arrow", Key(SDL_SCANCODE_UP, SDLK_UP), 38},
    {"right arrow", Key(SDL_SCANCODE_RIGHT, SDLK_RIGHT), 39},
    {"down arrow", Key(SDL_SCANCODE_DOWN, SDLK_DOWN), 40},
    {"space", Key(SDL_SCANCODE_SPACE, SDLK_SPACE), 32},
    {"Enter", Key(SDL_SCANCODE_RETURN, SDLK_RETURN), 13},
    {"keypad Enter", Key(SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER), 13},
    // Letters follow the layout, not the position.
    {"AZERTY a on the US q key", Key(SDL_SCANCODE_Q, SDLK_a), 65},
    {"QWERTZ z on the US y key", Key(SDL_SCANCODE_Y, SDLK_z), 90},
    {"Dvorak ; on the US z key: no letter", Key(SDL_SCANCODE_Z, SDLK_SEMICOLON), std::nullopt},
    // No Latin letter on the key: the letter of its position.
    {"Cyrillic ef on the US a key", Key(SDL_SCANCODE_A, kCyrillicEf), 65},
    {"Cyrillic ya on the US z key", Key(SDL_SCANCODE_Z, kCyrillicYa), 90},
    {"Cyrillic zhe on the US ; key", Key(SDL_SCANCODE_SEMICOLON, kCyrillicZhe), 186},
    {"a letter key SDL has no character for", Key(SDL_SCANCODE_H, SDLK_UNKNOWN), 72},
    // The digit row by position, whatever it types.
    {"AZERTY & key", Key(SDL_SCANCODE_1, SDLK_AMPERSAND), 49},
    {"the 0 key, which SDL numbers after 9", Key(SDL_SCANCODE_0, SDLK_0), 48},
    {"AltGr reported as mode switch", Key(SDL_SCANCODE_MODE, SDLK_MODE), 18},
    {"F1", Key(SDL_SCANCODE_F1, SDLK_F1), 112},
    {"F12", Key(SDL_SCANCODE_F12, SDLK_F12), 123},
    {"F24", Key(SDL_SCANCODE_F24, SDLK_F24), 135},
    {"unknown key", Key(SDL_SCANCODE_UNKNOWN, SDLK_UNKNOWN), std::nullopt},
    {"ISO key left of z", Key(SDL_SCANCODE_NONUSBACKSLASH, SDLK_LESS), std::nullopt},
});

TEST(VirtualKeyOf, FollowsTheKeyTableWhateverTheModifiers) {
  constexpr std::array<Uint16, 4> kModifiers{KMOD_NONE, KMOD_RSHIFT | KMOD_CAPS,
                                             KMOD_CTRL | KMOD_ALT, KMOD_NUM};
  for (const KeyCase& c : kKeyCases) {
    for (const Uint16 mod : kModifiers) {
      EXPECT_EQ(VirtualKeyOf(Key(c.key.scancode, c.key.sym, mod)), c.expected)
          << c.what << " with modifiers " << mod;
    }
  }
}

// The keypad's ends and the 6 the game walks with.
TEST(VirtualKeyOf, GivesTheKeypadsDigitsWithNumLockAndItsArrowsWithout) {
  struct Case {
    SDL_Scancode scancode;
    std::int16_t with_num_lock, without;
  };
  constexpr auto kCases = std::to_array<Case>({
      {SDL_SCANCODE_KP_0, 96, 45},
      {SDL_SCANCODE_KP_6, 102, 39},
      {SDL_SCANCODE_KP_PERIOD, 110, 46},
  });
  for (const Case& c : kCases) {
    const SDL_Keycode sym = SDL_GetKeyFromScancode(c.scancode);
    EXPECT_EQ(VirtualKeyOf(Key(c.scancode, sym, KMOD_NUM | KMOD_SHIFT)), c.with_num_lock);
    EXPECT_EQ(VirtualKeyOf(Key(c.scancode, sym, KMOD_CAPS | KMOD_CTRL)), c.without);
  }
}

TEST(ShiftStateOf, OrsShiftCtrlAndAltFromEitherSide) {
  // clang-format off
  constexpr auto kCases = std::to_array<std::pair<Uint16, std::int16_t>>({
      {KMOD_NONE, 0}, {KMOD_LSHIFT, 1}, {KMOD_RSHIFT, 1}, {KMOD_LCTRL, 2}, {KMOD_RCTRL, 2},
      {KMOD_LALT, 4}, {KMOD_RALT, 4}, {KMOD_SHIFT | KMOD_CTRL | KMOD_ALT, 7},
      {KMOD_CAPS | KMOD_NUM | KMOD_SCROLL | KMOD_GUI | KMOD_MODE, 0},
  });
  // clang-format on
  for (const auto& [modifiers, expected] : kCases) {
    EXPECT_EQ(ShiftStateOf(modifiers), expected) << "modifiers " << modifiers;
  }
}

}  // namespace
}  // namespace munyura::desktop
