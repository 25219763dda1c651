#include "window_rules/key_names.h"

#include <algorithm>
#include <array>

namespace munyura::window_rules {
namespace {

struct NamedKey {
  std::string_view code;
  std::int16_t virtual_key;
};

// Keys that mean the same on every layout, and the ones the old platform named
// by their place on a US keyboard whatever they type. Letters are not here:
// they depend on the layout.
constexpr auto kKeysByPlace = std::to_array<NamedKey>({
    {"Digit0", 48},
    {"Digit1", 49},
    {"Digit2", 50},
    {"Digit3", 51},
    {"Digit4", 52},
    {"Digit5", 53},
    {"Digit6", 54},
    {"Digit7", 55},
    {"Digit8", 56},
    {"Digit9", 57},
    {"Backspace", 8},
    {"Tab", 9},
    {"Enter", 13},
    {"NumpadEnter", 13},
    {"ShiftLeft", 16},
    {"ShiftRight", 16},
    {"ControlLeft", 17},
    {"ControlRight", 17},
    {"AltLeft", 18},
    {"AltRight", 18},
    {"Pause", 19},
    {"CapsLock", 20},
    {"Escape", 27},
    {"Space", 32},
    {"PageUp", 33},
    {"PageDown", 34},
    {"End", 35},
    {"Home", 36},
    {"ArrowLeft", 37},
    {"ArrowUp", 38},
    {"ArrowRight", 39},
    {"ArrowDown", 40},
    {"PrintScreen", 44},
    {"Insert", 45},
    {"Delete", 46},
    {"MetaLeft", 91},
    {"MetaRight", 92},
    {"ContextMenu", 93},
    {"Numpad0", 96},
    {"Numpad1", 97},
    {"Numpad2", 98},
    {"Numpad3", 99},
    {"Numpad4", 100},
    {"Numpad5", 101},
    {"Numpad6", 102},
    {"Numpad7", 103},
    {"Numpad8", 104},
    {"Numpad9", 105},
    {"NumpadMultiply", 106},
    {"NumpadAdd", 107},
    {"NumpadSubtract", 109},
    {"NumpadDecimal", 110},
    {"NumpadDivide", 111},
    {"NumLock", 144},
    {"ScrollLock", 145},
    {"Semicolon", 186},
    {"Equal", 187},
    {"Comma", 188},
    {"Minus", 189},
    {"Period", 190},
    {"Slash", 191},
    {"Backquote", 192},
    {"BracketLeft", 219},
    {"Backslash", 220},
    {"BracketRight", 221},
    {"Quote", 222},
});

constexpr std::int16_t kVirtualKeyA = 65;
constexpr std::int16_t kVirtualKeyF1 = 112;
constexpr int kFunctionKeys = 24;

std::optional<std::int16_t> LetterOf(char c) {
  if (c >= 'a' && c <= 'z') {
    return static_cast<std::int16_t>(kVirtualKeyA + (c - 'a'));
  }
  if (c >= 'A' && c <= 'Z') {
    return static_cast<std::int16_t>(kVirtualKeyA + (c - 'A'));
  }
  return std::nullopt;
}

// "KeyQ" -> the virtual key of Q.
std::optional<std::int16_t> LetterPlaceOf(std::string_view code) {
  if (code.size() == 4 && code.starts_with("Key")) {
    const char letter = code[3];
    if (letter >= 'A' && letter <= 'Z') {
      return LetterOf(letter);
    }
  }
  return std::nullopt;
}

// "F1" to "F24".
std::optional<std::int16_t> FunctionKeyOf(std::string_view code) {
  if (code.size() < 2 || code.size() > 3 || code[0] != 'F') {
    return std::nullopt;
  }
  int number = 0;
  for (const char digit : code.substr(1)) {
    if (digit < '0' || digit > '9') {
      return std::nullopt;
    }
    number = number * 10 + (digit - '0');
  }
  if (number < 1 || number > kFunctionKeys || code[1] == '0') {
    return std::nullopt;
  }
  return static_cast<std::int16_t>(kVirtualKeyF1 + number - 1);
}

// With NumLock off the keypad's keys are the navigation keys printed on them,
// and the browser names those in `key`; the old platform gave their codes
// (Clear for the 5), and the digits' only with NumLock on.
std::optional<std::int16_t> KeypadNavigationOf(std::string_view code, std::string_view key) {
  constexpr std::string_view kKeypad = "Numpad";
  constexpr std::int16_t kVirtualKeyClear = 12;
  if (code.substr(0, kKeypad.size()) != kKeypad || key.size() <= 1) {
    return std::nullopt;
  }
  if (key == "Clear") {
    return kVirtualKeyClear;
  }
  // The navigation keys' names are the names of their own places.
  const auto* const found = std::find_if(kKeysByPlace.begin(), kKeysByPlace.end(),
                                         [key](const NamedKey& k) { return k.code == key; });
  return found == kKeysByPlace.end() ? std::nullopt : std::optional(found->virtual_key);
}

// The key types a character outside ASCII (a Cyrillic letter, say), or the
// browser cannot say what it types.
bool TypesNoAscii(std::string_view key) {
  return key == "Unidentified" || key == "Dead" ||
         (!key.empty() && static_cast<unsigned char>(key.front()) >= 0x80);
}

}  // namespace

std::optional<std::int16_t> VirtualKeyOfKeyName(std::string_view code, std::string_view key) {
  if (key.size() == 1) {
    if (const auto letter = LetterOf(key.front())) {
      return letter;
    }
  }
  // A key that types ASCII punctuation (Dvorak's ";" where US has Z) is no
  // letter at all; one that types another script is its US letter.
  if (TypesNoAscii(key)) {
    if (const auto letter = LetterPlaceOf(code)) {
      return letter;
    }
  }
  if (const auto function_key = FunctionKeyOf(code)) {
    return function_key;
  }
  if (const auto navigation = KeypadNavigationOf(code, key)) {
    return navigation;
  }
  const auto* const found = std::find_if(kKeysByPlace.begin(), kKeysByPlace.end(),
                                         [code](const NamedKey& k) { return k.code == code; });
  if (found == kKeysByPlace.end()) {
    return std::nullopt;
  }
  return found->virtual_key;
}

std::int16_t ShiftStateOf(bool shift, bool control, bool alt) {
  return static_cast<std::int16_t>((shift ? 1 : 0) | (control ? 2 : 0) | (alt ? 4 : 0));
}

}  // namespace munyura::window_rules
