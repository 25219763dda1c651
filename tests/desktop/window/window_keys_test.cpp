// The window's own keys: which take what press, and that a taken press's
// release and auto-repeats never reach the game while every other key does.
#include "desktop/window/window_keys.h"

#include <gtest/gtest.h>

#include <vector>

namespace munyura::desktop {
namespace {

SDL_KeyboardEvent Key(Uint32 type, SDL_Scancode scancode, SDL_Keycode sym, Uint16 mod,
                      Uint8 repeat = 0) {
  SDL_KeyboardEvent event{};
  event.type = type;
  event.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  event.repeat = repeat;
  event.keysym.scancode = scancode;
  event.keysym.sym = sym;
  event.keysym.mod = mod;
  return event;
}

SDL_KeyboardEvent Down(SDL_Scancode scancode, SDL_Keycode sym, Uint16 mod = KMOD_NONE) {
  return Key(SDL_KEYDOWN, scancode, sym, mod);
}

TEST(WindowKeysTest, EachPressAlone) {
  using A = WindowAction;
  struct Case {
    const char* what;
    SDL_KeyboardEvent press;
    WindowAction action;
    bool reaches_game;
  };
  const std::vector<Case> cases = {
      {"Ctrl+=", Down(SDL_SCANCODE_EQUALS, SDLK_EQUALS, KMOD_LCTRL), A::kZoomIn, false},
      {"own Plus", Down(SDL_SCANCODE_RIGHTBRACKET, SDLK_PLUS, KMOD_LCTRL), A::kZoomIn, false},
      {"Ctrl+keypad Plus", Down(SDL_SCANCODE_KP_PLUS, SDLK_KP_PLUS, KMOD_LCTRL), A::kZoomIn, false},
      {"Ctrl+Minus", Down(SDL_SCANCODE_MINUS, SDLK_MINUS, KMOD_LCTRL), A::kZoomOut, false},
      {"Ctrl+0", Down(SDL_SCANCODE_0, SDLK_0, KMOD_LCTRL), A::kZoomReset, false},
      {"AZERTY Ctrl+0", Down(SDL_SCANCODE_0, SDL_Keycode{0xE0}, KMOD_LCTRL), A::kZoomReset, false},
      {"F11", Down(SDL_SCANCODE_F11, SDLK_F11), A::kToggleFullscreen, false},
      {"Alt+Enter", Down(SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_LALT), A::kToggleFullscreen, false},
      {"M", Down(SDL_SCANCODE_M, SDLK_m), A::kToggleMute, true},
      {"AZERTY's M", Down(SDL_SCANCODE_SEMICOLON, SDLK_m), A::kToggleMute, true},
      // Keys that stay the game's.
      {"Enter", Down(SDL_SCANCODE_RETURN, SDLK_RETURN), A::kNone, true},
      {"Ctrl+Alt+Enter", Down(SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_LCTRL | KMOD_LALT), A::kNone,
       true},
      {"AltGr+0", Down(SDL_SCANCODE_0, SDLK_0, KMOD_LCTRL | KMOD_RALT), A::kNone, true},
      {"Ctrl+M", Down(SDL_SCANCODE_M, SDLK_m, KMOD_LCTRL), A::kNone, true},
  };
  for (const Case& c : cases) {
    WindowKeys keys;
    EXPECT_EQ(keys.Judge(c.press), (KeyVerdict{c.action, c.reaches_game})) << c.what;
  }
}

TEST(WindowKeysTest, ATakenPressKeepsItsRepeatsAndReleaseWhateverTheModifiersDo) {
  WindowKeys keys;
  const KeyVerdict taken{WindowAction::kNone, false};
  const KeyVerdict passed{WindowAction::kNone, true};
  // Alt+Enter, Alt let go first, then Enter: no part of Enter reaches the game.
  EXPECT_EQ(keys.Judge(Down(SDL_SCANCODE_LALT, SDLK_LALT, KMOD_LALT)), passed);
  EXPECT_EQ(keys.Judge(Down(SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_LALT)),
            (KeyVerdict{WindowAction::kToggleFullscreen, false}));
  EXPECT_EQ(keys.Judge(Key(SDL_KEYDOWN, SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_LALT, 1)), taken);
  EXPECT_EQ(keys.Judge(Key(SDL_KEYUP, SDL_SCANCODE_LALT, SDLK_LALT, KMOD_NONE)), passed);
  EXPECT_EQ(keys.Judge(Key(SDL_KEYUP, SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_NONE)), taken);
  // The next Enter is the game's again, press and release.
  EXPECT_EQ(keys.Judge(Down(SDL_SCANCODE_RETURN, SDLK_RETURN)), passed);
  EXPECT_EQ(keys.Judge(Key(SDL_KEYUP, SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_NONE)), passed);

  // Ctrl+Plus held: one zoom, not one per repeat; Ctrl's own keys pass.
  EXPECT_EQ(keys.Judge(Down(SDL_SCANCODE_EQUALS, SDLK_EQUALS, KMOD_LCTRL)).action,
            WindowAction::kZoomIn);
  EXPECT_EQ(keys.Judge(Key(SDL_KEYDOWN, SDL_SCANCODE_EQUALS, SDLK_EQUALS, KMOD_LCTRL, 1)), taken);
  EXPECT_EQ(keys.Judge(Key(SDL_KEYUP, SDL_SCANCODE_LCTRL, SDLK_LCTRL, KMOD_NONE)), passed);
  EXPECT_EQ(keys.Judge(Key(SDL_KEYUP, SDL_SCANCODE_EQUALS, SDLK_EQUALS, KMOD_NONE)), taken);

  // M held: one toggle, and every repeat and the release reach the game.
  EXPECT_EQ(keys.Judge(Down(SDL_SCANCODE_M, SDLK_m)).action, WindowAction::kToggleMute);
  EXPECT_EQ(keys.Judge(Key(SDL_KEYDOWN, SDL_SCANCODE_M, SDLK_m, KMOD_NONE, 1)), passed);
  EXPECT_EQ(keys.Judge(Key(SDL_KEYUP, SDL_SCANCODE_M, SDLK_m, KMOD_NONE)), passed);

  // A release lost while the window had no focus does not swallow the key's
  // next plain press and release.
  EXPECT_EQ(keys.Judge(Down(SDL_SCANCODE_MINUS, SDLK_MINUS, KMOD_LCTRL)).reaches_game, false);
  EXPECT_EQ(keys.Judge(Down(SDL_SCANCODE_MINUS, SDLK_MINUS)), passed);
  EXPECT_EQ(keys.Judge(Key(SDL_KEYUP, SDL_SCANCODE_MINUS, SDLK_MINUS, KMOD_NONE)), passed);
}

}  // namespace
}  // namespace munyura::desktop
