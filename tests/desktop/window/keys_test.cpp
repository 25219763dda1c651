// The codes and Shift argument the key handlers receive, and the presses the window takes itself.
#include <gtest/gtest.h>

#include <array>
#include <optional>

#include "desktop/window/virtual_keys.h"
#include "desktop/window/window_keys.h"

namespace munyura::desktop {
namespace {

using A = WindowAction;

constexpr SDL_Keysym Key(SDL_Scancode scancode, SDL_Keycode sym, Uint16 mod = KMOD_NONE) {
  return SDL_Keysym{scancode, sym, mod, 0};
}

SDL_KeyboardEvent Event(Uint32 type, const SDL_Keysym& key, Uint8 repeat = 0) {
  return {type, 0, 0, 0, repeat, 0, 0, key};  // the window reads the type, repeat and key alone
}

struct KeyCase {
  const char* what;
  SDL_Keysym key;
  std::optional<std::int16_t> code;
  WindowAction action = A::kNone;  // of the press alone
};

// A row for each way a code is found, each end of its range and each window action (Left, Up and
// Space are the end-to-end tests', M and Alt+Enter the next test's).
const auto kKeyCases = std::to_array<KeyCase>({
    {"right arrow", Key(SDL_SCANCODE_RIGHT, SDLK_RIGHT), 39},
    {"down arrow, NumLock on", Key(SDL_SCANCODE_DOWN, SDLK_DOWN, KMOD_NUM), 40},
    {"keypad Enter", Key(SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER), 13},
    // Letters follow the layout, not the position.
    {"AZERTY a on the US q key", Key(SDL_SCANCODE_Q, SDLK_a), 65},
    {"QWERTZ z on the US y key", Key(SDL_SCANCODE_Y, SDLK_z), 90},
    {"Dvorak ; on the US z key: no letter", Key(SDL_SCANCODE_Z, SDLK_SEMICOLON), std::nullopt},
    // No Latin letter on the key (SDL gives the code point it types): the letter of its position.
    {"Cyrillic ef on the US a key", Key(SDL_SCANCODE_A, 0x0444), 65},
    {"Cyrillic ya on the US z key", Key(SDL_SCANCODE_Z, 0x044F), 90},
    {"Cyrillic zhe on the US ; key", Key(SDL_SCANCODE_SEMICOLON, 0x0436), 186},
    {"a letter key SDL has no character for", Key(SDL_SCANCODE_H, SDLK_UNKNOWN), 72},
    // The digit row by position, whatever it types; its 0 (after 9 for SDL) is below.
    {"AZERTY & key", Key(SDL_SCANCODE_1, SDLK_AMPERSAND), 49},
    {"AltGr reported as mode switch", Key(SDL_SCANCODE_MODE, SDLK_MODE), 18},
    {"F1", Key(SDL_SCANCODE_F1, SDLK_F1), 112},
    {"F12", Key(SDL_SCANCODE_F12, SDLK_F12), 123},
    {"F24", Key(SDL_SCANCODE_F24, SDLK_F24), 135},
    {"unknown key", Key(SDL_SCANCODE_UNKNOWN, SDLK_UNKNOWN), std::nullopt},
    {"ISO key left of z", Key(SDL_SCANCODE_NONUSBACKSLASH, SDLK_LESS), std::nullopt},
    // The keypad's ends and the 6 the game walks with: digits with NumLock, arrows without.
    {"keypad 0, NumLock on", Key(SDL_SCANCODE_KP_0, SDLK_KP_0, KMOD_NUM), 96},
    {"keypad 6, NumLock on", Key(SDL_SCANCODE_KP_6, SDLK_KP_6, KMOD_NUM), 102},
    {"keypad ., NumLock on", Key(SDL_SCANCODE_KP_PERIOD, SDLK_KP_PERIOD, KMOD_NUM), 110},
    {"keypad 0", Key(SDL_SCANCODE_KP_0, SDLK_KP_0), 45},
    {"keypad 6", Key(SDL_SCANCODE_KP_6, SDLK_KP_6), 39},
    {"keypad .", Key(SDL_SCANCODE_KP_PERIOD, SDLK_KP_PERIOD), 46},
    // The window's own keys.
    {"Ctrl+=", Key(SDL_SCANCODE_EQUALS, SDLK_EQUALS, KMOD_LCTRL), 187, A::kZoomIn},
    {"own Plus", Key(SDL_SCANCODE_RIGHTBRACKET, SDLK_PLUS, KMOD_LCTRL), 221, A::kZoomIn},
    {"Ctrl+keypad Plus", Key(SDL_SCANCODE_KP_PLUS, SDLK_KP_PLUS, KMOD_LCTRL), 107, A::kZoomIn},
    {"Ctrl+Minus", Key(SDL_SCANCODE_MINUS, SDLK_MINUS, KMOD_LCTRL), 189, A::kZoomOut},
    {"AZERTY Ctrl+0", Key(SDL_SCANCODE_0, 0xE0, KMOD_LCTRL), 48, A::kZoomReset},
    {"F11", Key(SDL_SCANCODE_F11, SDLK_F11), 122, A::kToggleFullscreen},
    {"AZERTY's M", Key(SDL_SCANCODE_SEMICOLON, SDLK_m), 77, A::kToggleMute},
    // Keys that stay the game's.
    {"Ctrl+Alt+Enter", Key(SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_LCTRL | KMOD_LALT), 13},
    {"AltGr+0", Key(SDL_SCANCODE_0, SDLK_0, KMOD_LCTRL | KMOD_RALT), 48},
    {"Ctrl+M", Key(SDL_SCANCODE_M, SDLK_m, KMOD_LCTRL), 77},
});

// Modifiers other than NumLock change no code; of the window's keys only M reaches the game too.
TEST(Keys, EachPressGivesItsCodeWhateverTheModifiersAndTheWindowTakesItsOwn) {
  for (const KeyCase& c : kKeyCases) {
    SCOPED_TRACE(c.what);
    for (const int more : {KMOD_NONE | 0, KMOD_RSHIFT | KMOD_CAPS, KMOD_CTRL | KMOD_ALT}) {
      const auto mod = static_cast<Uint16>(c.key.mod | more);
      EXPECT_EQ(VirtualKeyOf(Key(c.key.scancode, c.key.sym, mod)), c.code) << "modifiers " << mod;
    }
    const bool reaches_game = c.action == A::kNone || c.action == A::kToggleMute;
    EXPECT_EQ(WindowKeys().Judge(Event(SDL_KEYDOWN, c.key)), (KeyVerdict{c.action, reaches_game}));
  }
}

TEST(Keys, ATakenPressKeepsItsRepeatsAndReleaseWhateverTheModifiersDo) {
  const SDL_Keysym alt = Key(SDL_SCANCODE_LALT, SDLK_LALT, KMOD_LALT);
  const SDL_Keysym alt_enter = Key(SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_LALT);
  const SDL_Keysym m = Key(SDL_SCANCODE_M, SDLK_m);
  const SDL_Keysym minus = Key(SDL_SCANCODE_MINUS, SDLK_MINUS);
  const KeyVerdict taken{A::kNone, false};
  const KeyVerdict passed{A::kNone, true};
  const std::pair<SDL_KeyboardEvent, KeyVerdict> steps[] = {
      // Alt+Enter held, Alt let go first: one switch, and none of Enter for the game.
      {Event(SDL_KEYDOWN, alt), passed},
      {Event(SDL_KEYDOWN, alt_enter), {A::kToggleFullscreen, false}},
      {Event(SDL_KEYDOWN, alt_enter, 1), taken},
      {Event(SDL_KEYUP, alt), passed},
      {Event(SDL_KEYUP, Key(SDL_SCANCODE_RETURN, SDLK_RETURN)), taken},
      // M held: one toggle, and every repeat and the release reach the game.
      {Event(SDL_KEYDOWN, m), {A::kToggleMute, true}},
      {Event(SDL_KEYDOWN, m, 1), passed},
      {Event(SDL_KEYUP, m), passed},
      // A release lost without the focus does not swallow the next plain press.
      {Event(SDL_KEYDOWN, Key(SDL_SCANCODE_MINUS, SDLK_MINUS, KMOD_LCTRL)), {A::kZoomOut, false}},
      {Event(SDL_KEYDOWN, minus), passed},
      {Event(SDL_KEYUP, minus), passed},
  };
  WindowKeys keys;
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    EXPECT_EQ(keys.Judge(steps[i].first), steps[i].second) << "step " << i;
  }
}

TEST(Keys, TheShiftArgumentOrsShiftCtrlAndAltFromEitherSide) {
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
