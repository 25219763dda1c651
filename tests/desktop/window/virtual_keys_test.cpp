// The virtual-key codes the handlers receive, on US, AZERTY, QWERTZ and
// Cyrillic layouts, and the Shift argument.
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

// Characters of layouts other than US, as SDL reports them: the Unicode code
// point the key types.
constexpr SDL_Keycode kEAcute = 0x00E9;
constexpr SDL_Keycode kAGrave = 0x00E0;
constexpr SDL_Keycode kCCedilla = 0x00E7;
constexpr SDL_Keycode kCyrillicYa = 0x044F;   // on the US Z key
constexpr SDL_Keycode kCyrillicEf = 0x0444;   // on the US A key
constexpr SDL_Keycode kCyrillicKa = 0x043A;   // on the US R key
constexpr SDL_Keycode kCyrillicZhe = 0x0436;  // on the US ; key

const auto kKeyCases = std::to_array<KeyCase>({
    {"left arrow", Key(SDL_SCANCODE_LEFT, SDLK_LEFT), 37},
    {"up arrow", Key(SDL_SCANCODE_UP, SDLK_UP), 38},
    {"right arrow", Key(SDL_SCANCODE_RIGHT, SDLK_RIGHT), 39},
    {"down arrow", Key(SDL_SCANCODE_DOWN, SDLK_DOWN), 40},

    {"US a", Key(SDL_SCANCODE_A, SDLK_a), 65},
    {"US z", Key(SDL_SCANCODE_Z, SDLK_z), 90},
    {"Shift+q", Key(SDL_SCANCODE_Q, SDLK_q, KMOD_LSHIFT), 81},
    {"Caps Lock q", Key(SDL_SCANCODE_Q, SDLK_q, KMOD_CAPS), 81},
    {"Caps Lock + right Shift q", Key(SDL_SCANCODE_Q, SDLK_q, KMOD_CAPS | KMOD_RSHIFT), 81},
    {"Ctrl+Alt+k", Key(SDL_SCANCODE_K, SDLK_k, KMOD_CTRL | KMOD_ALT), 75},

    // Letters follow the layout, not the position.
    {"AZERTY a on the US q key", Key(SDL_SCANCODE_Q, SDLK_a), 65},
    {"AZERTY q on the US a key", Key(SDL_SCANCODE_A, SDLK_q), 81},
    {"AZERTY z on the US w key", Key(SDL_SCANCODE_W, SDLK_z), 90},
    {"AZERTY w on the US z key", Key(SDL_SCANCODE_Z, SDLK_w), 87},
    {"AZERTY m on the US ; key", Key(SDL_SCANCODE_SEMICOLON, SDLK_m), 77},
    {"QWERTZ z on the US y key", Key(SDL_SCANCODE_Y, SDLK_z), 90},
    {"QWERTZ y on the US z key", Key(SDL_SCANCODE_Z, SDLK_y), 89},
    {"Dvorak s on the US ; key", Key(SDL_SCANCODE_SEMICOLON, SDLK_s), 83},

    // No Latin letter on the key: the letter of its position.
    {"Cyrillic ya on the US z key", Key(SDL_SCANCODE_Z, kCyrillicYa), 90},
    {"Cyrillic ef on the US a key", Key(SDL_SCANCODE_A, kCyrillicEf), 65},
    {"Cyrillic ka on the US r key", Key(SDL_SCANCODE_R, kCyrillicKa), 82},
    {"Cyrillic zhe on the US ; key", Key(SDL_SCANCODE_SEMICOLON, kCyrillicZhe), 186},
    {"a letter key SDL has no character for", Key(SDL_SCANCODE_H, SDLK_UNKNOWN), 72},

    // The digit row by position, whatever it types.
    {"US 1", Key(SDL_SCANCODE_1, SDLK_1), 49},
    {"US 9", Key(SDL_SCANCODE_9, SDLK_9), 57},
    {"US 0", Key(SDL_SCANCODE_0, SDLK_0), 48},
    {"Shift+1 (!)", Key(SDL_SCANCODE_1, SDLK_1, KMOD_SHIFT), 49},
    {"AZERTY & key", Key(SDL_SCANCODE_1, SDLK_AMPERSAND), 49},
    {"AZERTY e-acute key", Key(SDL_SCANCODE_2, kEAcute), 50},
    {"AZERTY c-cedilla key", Key(SDL_SCANCODE_9, kCCedilla), 57},
    {"AZERTY a-grave key", Key(SDL_SCANCODE_0, kAGrave), 48},

    {"space", Key(SDL_SCANCODE_SPACE, SDLK_SPACE), 32},
    {"Enter", Key(SDL_SCANCODE_RETURN, SDLK_RETURN), 13},
    {"keypad Enter", Key(SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER), 13},
    {"Escape", Key(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE), 27},
    {"Tab", Key(SDL_SCANCODE_TAB, SDLK_TAB), 9},
    {"Backspace", Key(SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE), 8},
    {"left Shift", Key(SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, KMOD_LSHIFT), 16},
    {"right Shift", Key(SDL_SCANCODE_RSHIFT, SDLK_RSHIFT), 16},
    {"left Ctrl", Key(SDL_SCANCODE_LCTRL, SDLK_LCTRL), 17},
    {"right Ctrl", Key(SDL_SCANCODE_RCTRL, SDLK_RCTRL), 17},
    {"left Alt", Key(SDL_SCANCODE_LALT, SDLK_LALT), 18},
    {"right Alt", Key(SDL_SCANCODE_RALT, SDLK_RALT), 18},
    {"AltGr reported as right Alt", Key(SDL_SCANCODE_RALT, SDLK_MODE), 18},
    {"AltGr reported as mode switch", Key(SDL_SCANCODE_MODE, SDLK_MODE), 18},

    {"F1", Key(SDL_SCANCODE_F1, SDLK_F1), 112},
    {"F5", Key(SDL_SCANCODE_F5, SDLK_F5), 116},
    {"F12", Key(SDL_SCANCODE_F12, SDLK_F12), 123},
    {"F13", Key(SDL_SCANCODE_F13, SDLK_F13), 124},
    {"F24", Key(SDL_SCANCODE_F24, SDLK_F24), 135},

    {"Page Up", Key(SDL_SCANCODE_PAGEUP, SDLK_PAGEUP), 33},
    {"Page Down", Key(SDL_SCANCODE_PAGEDOWN, SDLK_PAGEDOWN), 34},
    {"End", Key(SDL_SCANCODE_END, SDLK_END), 35},
    {"Home", Key(SDL_SCANCODE_HOME, SDLK_HOME), 36},
    {"Insert", Key(SDL_SCANCODE_INSERT, SDLK_INSERT), 45},
    {"Delete", Key(SDL_SCANCODE_DELETE, SDLK_DELETE), 46},
    {"Pause", Key(SDL_SCANCODE_PAUSE, SDLK_PAUSE), 19},
    {"Caps Lock", Key(SDL_SCANCODE_CAPSLOCK, SDLK_CAPSLOCK), 20},
    {"Print Screen", Key(SDL_SCANCODE_PRINTSCREEN, SDLK_PRINTSCREEN), 44},
    {"left GUI", Key(SDL_SCANCODE_LGUI, SDLK_LGUI), 91},
    {"right GUI", Key(SDL_SCANCODE_RGUI, SDLK_RGUI), 92},
    {"Application", Key(SDL_SCANCODE_APPLICATION, SDLK_APPLICATION), 93},
    {"Menu", Key(SDL_SCANCODE_MENU, SDLK_MENU), 93},
    {"Num Lock", Key(SDL_SCANCODE_NUMLOCKCLEAR, SDLK_NUMLOCKCLEAR), 144},
    {"Scroll Lock", Key(SDL_SCANCODE_SCROLLLOCK, SDLK_SCROLLLOCK), 145},

    {"keypad 0", Key(SDL_SCANCODE_KP_0, SDLK_KP_0, KMOD_NUM), 96},
    {"keypad 1", Key(SDL_SCANCODE_KP_1, SDLK_KP_1, KMOD_NUM), 97},
    {"keypad 5", Key(SDL_SCANCODE_KP_5, SDLK_KP_5, KMOD_NUM), 101},
    {"keypad 9", Key(SDL_SCANCODE_KP_9, SDLK_KP_9, KMOD_NUM), 105},
    {"keypad *", Key(SDL_SCANCODE_KP_MULTIPLY, SDLK_KP_MULTIPLY), 106},
    {"keypad +", Key(SDL_SCANCODE_KP_PLUS, SDLK_KP_PLUS), 107},
    {"keypad -", Key(SDL_SCANCODE_KP_MINUS, SDLK_KP_MINUS), 109},
    {"keypad .", Key(SDL_SCANCODE_KP_PERIOD, SDLK_KP_PERIOD, KMOD_NUM), 110},
    {"keypad /", Key(SDL_SCANCODE_KP_DIVIDE, SDLK_KP_DIVIDE), 111},

    {"US ;", Key(SDL_SCANCODE_SEMICOLON, SDLK_SEMICOLON), 186},
    {"US =", Key(SDL_SCANCODE_EQUALS, SDLK_EQUALS), 187},
    {"US ,", Key(SDL_SCANCODE_COMMA, SDLK_COMMA), 188},
    {"US -", Key(SDL_SCANCODE_MINUS, SDLK_MINUS), 189},
    {"US .", Key(SDL_SCANCODE_PERIOD, SDLK_PERIOD), 190},
    {"US /", Key(SDL_SCANCODE_SLASH, SDLK_SLASH), 191},
    {"US `", Key(SDL_SCANCODE_GRAVE, SDLK_BACKQUOTE), 192},
    {"US [", Key(SDL_SCANCODE_LEFTBRACKET, SDLK_LEFTBRACKET), 219},
    {"US \\", Key(SDL_SCANCODE_BACKSLASH, SDLK_BACKSLASH), 220},
    {"US ]", Key(SDL_SCANCODE_RIGHTBRACKET, SDLK_RIGHTBRACKET), 221},
    {"US '", Key(SDL_SCANCODE_APOSTROPHE, SDLK_QUOTE), 222},
    {"AZERTY ^ on the US [ key", Key(SDL_SCANCODE_LEFTBRACKET, SDLK_CARET), 219},

    {"unknown key", Key(SDL_SCANCODE_UNKNOWN, SDLK_UNKNOWN), std::nullopt},
    {"volume up", Key(SDL_SCANCODE_VOLUMEUP, SDLK_VOLUMEUP), std::nullopt},
    {"keypad =", Key(SDL_SCANCODE_KP_EQUALS, SDLK_KP_EQUALS), std::nullopt},
    {"browser back", Key(SDL_SCANCODE_AC_BACK, SDLK_AC_BACK), std::nullopt},
    {"ISO key left of z", Key(SDL_SCANCODE_NONUSBACKSLASH, SDLK_LESS), std::nullopt},
    {"Dvorak ; on the US z key: punctuation, no letter", Key(SDL_SCANCODE_Z, SDLK_SEMICOLON),
     std::nullopt},
});

TEST(VirtualKeyOf, FollowsTheKeyTable) {
  for (const KeyCase& c : kKeyCases) {
    EXPECT_EQ(VirtualKeyOf(c.key), c.expected) << c.what;
  }
}

TEST(VirtualKeyOf, IgnoresEveryModifier) {
  constexpr std::array<Uint16, 6> kModifiers{
      KMOD_NONE, KMOD_LSHIFT, KMOD_CAPS, KMOD_RSHIFT | KMOD_CAPS, KMOD_CTRL | KMOD_ALT, KMOD_NUM};
  for (const KeyCase& c : kKeyCases) {
    for (const Uint16 mod : kModifiers) {
      SDL_Keysym key = c.key;
      key.mod = mod;
      EXPECT_EQ(VirtualKeyOf(key), c.expected) << c.what << " with modifiers " << mod;
    }
  }
}

TEST(VirtualKeyOf, GivesEveryLetterAndDigitItsCode) {
  for (int i = 0; i < 26; ++i) {
    const auto scancode = static_cast<SDL_Scancode>(SDL_SCANCODE_A + i);
    const std::int16_t expected = static_cast<std::int16_t>('A' + i);
    EXPECT_EQ(VirtualKeyOf(Key(scancode, SDLK_a + i)), expected);
    EXPECT_EQ(VirtualKeyOf(Key(scancode, kCyrillicEf)), expected) << "by position";
  }
  // SDL puts 0 after 9; the codes run 0 to 9.
  for (int i = 0; i < 10; ++i) {
    const auto scancode =
        static_cast<SDL_Scancode>(i == 0 ? SDL_SCANCODE_0 : SDL_SCANCODE_1 + i - 1);
    EXPECT_EQ(VirtualKeyOf(Key(scancode, SDLK_0 + i)), 48 + i);
  }
}

TEST(ShiftStateOf, OrsShiftCtrlAndAltFromEitherSide) {
  struct Case {
    Uint16 modifiers;
    std::int16_t expected;
  };
  constexpr auto kCases = std::to_array<Case>({
      {KMOD_NONE, 0},
      {KMOD_LSHIFT, 1},
      {KMOD_RSHIFT, 1},
      {KMOD_LSHIFT | KMOD_RSHIFT, 1},
      {KMOD_LCTRL, 2},
      {KMOD_RCTRL, 2},
      {KMOD_LALT, 4},
      {KMOD_RALT, 4},
      {KMOD_LSHIFT | KMOD_RCTRL, 3},
      {KMOD_RSHIFT | KMOD_LALT, 5},
      {KMOD_CTRL | KMOD_RALT, 6},
      {KMOD_SHIFT | KMOD_CTRL | KMOD_ALT, 7},
      {KMOD_CAPS | KMOD_NUM | KMOD_SCROLL, 0},
      {KMOD_LGUI | KMOD_RGUI | KMOD_MODE, 0},
      {KMOD_CAPS | KMOD_RSHIFT | KMOD_GUI, 1},
  });
  for (const Case& c : kCases) {
    EXPECT_EQ(ShiftStateOf(c.modifiers), c.expected) << "modifiers " << c.modifiers;
  }
}

}  // namespace
}  // namespace munyura::desktop
