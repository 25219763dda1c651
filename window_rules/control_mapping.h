// What a gamepad, a touch screen or any other device without a keyboard
// gives the game: one table from device-neutral actions to the keys and
// clicks the game already reads, and one from a pad's buttons to actions.
#pragma once

#include <bitset>
#include <cstdint>
#include <optional>

#include "key_codes.h"

namespace munyura::window_rules {

// The four arrows, in the order of their virtual-key codes (37 to 40).
enum class Direction : std::uint8_t { kLeft = 0, kUp = 1, kRight = 2, kDown = 3 };
// Up to two directions held at once by one stick or touch vector; bit i is
// Direction(i), so to_ulong() gives the mask 1 Left, 2 Up, 4 Right, 8 Down.
using Directions = std::bitset<4>;

// The arrow key of a direction: Left 37, Up 38, Right 39, Down 40.
constexpr std::int16_t DirectionKey(Direction direction) {
  return static_cast<std::int16_t>(kKeyLeft + static_cast<int>(direction));
}

// The 26 letters of the picker, A = 0 ... Z = 25, and their key codes 65 ... 90.
inline constexpr int kLetterCount = 26;
constexpr std::int16_t LetterKey(int letter) {
  return static_cast<std::int16_t>(kKeyA + letter);
}

enum class Action : std::uint8_t {
  kLeft,   // the arrow keys while the picker is closed; inside the
  kUp,     // open picker they move its highlight instead, one step
  kRight,  // per press, and nothing walks
  kDown,
  kRead,         // Z (90), held while the action is held
  kStart,        // at the press, a click at the centre of Command1 while it
                 // is visible; nothing while it is hidden
  kRestart,      // at the press, a click at the centre of Label2 while it is
                 // visible; nothing while it is hidden
  kPicker,       // opens the letter picker, or closes it
  kType,         // the highlighted letter's key, held while the action is
                 // held; nothing while the picker is closed
  kClosePicker,  // closes the picker; nothing while it is closed
};

// What a direction action holds: Left, Up, Right or Down for kLeft ... kDown.
std::optional<Direction> DirectionOf(Action action);

// The key an action holds down while the picker is closed: an arrow for a
// direction, Z for kRead; nothing for the clicks and the picker's actions.
std::optional<std::int16_t> HeldKeyOf(Action action);

// A pad's buttons, numbered as in the W3C Gamepad "standard" mapping (the
// page's Gamepad.buttons index). A desktop front end translates SDL's
// GameController buttons into these. Other values are allowed and map to
// nothing.
enum class PadButton : std::uint8_t {
  kA = 0,
  kB = 1,
  kX = 2,
  kY = 3,
  kBack = 8,
  kStart = 9,
  kDpadUp = 12,
  kDpadDown = 13,
  kDpadLeft = 14,
  kDpadRight = 15,
};

// The shared pad table:
//   button      picker closed   picker open
//   d-pad       kLeft ... kDown kLeft ... kDown (moving the highlight)
//   A (0)       kRead           kType
//   B (1)       -               kClosePicker
//   Y (3)       kPicker         kPicker
//   Back (8)    kRestart        kRestart
//   Start (9)   kStart          kStart
// The left stick is not a button: see DirectionsFromVector.
std::optional<Action> PadButtonAction(PadButton button, bool picker_open);

}  // namespace munyura::window_rules
