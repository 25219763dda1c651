// The browser's key names to the old platform's virtual-key codes: the same
// codes the desktop gives for the same keys on the same layouts.
#include "window_rules/key_names.h"

#include <gtest/gtest.h>

#include <optional>

namespace munyura::window_rules {
namespace {

struct KeyCase {
  const char* code;  // KeyboardEvent.code: the key's place
  const char* key;   // KeyboardEvent.key: what it types
  std::optional<std::int16_t> expected;
};

TEST(KeyNames, EachKeyOnEachLayoutGivesItsVirtualKey) {
  const KeyCase cases[] = {
      {"ArrowLeft", "ArrowLeft", 37},
      {"ArrowUp", "ArrowUp", 38},
      {"ArrowRight", "ArrowRight", 39},
      {"ArrowDown", "ArrowDown", 40},
      {"Space", " ", 32},
      {"Enter", "Enter", 13},
      {"NumpadEnter", "Enter", 13},
      {"KeyZ", "z", 90},
      {"KeyZ", "Z", 90},
      {"KeyQ", "a", 65},            // AZERTY: A where US has Q
      {"Semicolon", "s", 83},       // Dvorak: S where US has ;
      {"KeyZ", ";", std::nullopt},  // Dvorak: ; where US has Z is no letter
      {"KeyZ", "я", 90},            // Cyrillic: the US letter of its place
      {"KeyA", "Unidentified", 65},
      {"BracketLeft", "Dead", 219},
      {"Digit1", "&", 49},           // AZERTY's digit row, by place
      {"Numpad7", "7", 103},         // NumLock on: the digits
      {"Numpad4", "ArrowLeft", 37},  // NumLock off: the keys printed on them
      {"Numpad9", "PageUp", 33},
      {"Numpad5", "Clear", 12},
      {"NumpadDecimal", "Delete", 46},
      {"NumpadDecimal", ".", 110},
      {"F1", "F1", 112},
      {"F24", "F24", 135},
      {"F25", "F25", std::nullopt},
      {"F01", "F1", std::nullopt},
      {"Fn", "Fn", std::nullopt},
      {"Lang1", "HangulMode", std::nullopt},
      {"", "", std::nullopt},
  };
  for (const KeyCase& c : cases) {
    EXPECT_EQ(VirtualKeyOfKeyName(c.code, c.key), c.expected) << c.code << " " << c.key;
  }
}

TEST(KeyNames, ShiftStateIsShiftCtrlAltBits) {
  for (int bits = 0; bits < 8; ++bits) {
    EXPECT_EQ(ShiftStateOf(bits & 1, bits & 2, bits & 4), bits);
  }
}

}  // namespace
}  // namespace munyura::window_rules
