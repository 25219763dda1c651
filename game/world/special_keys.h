// H, O, A, K and R: the letter keys that open the hidden passages.
#pragma once

#include <array>
#include <cstdint>

#include "../game_state.h"
#include "../key_codes.h"
#include "../scene/scene.h"
#include "doorway.h"

namespace munyura::world {

enum class PassageEffect : std::uint8_t {
  kLift,  // the chick jumps 100 up, out through the top
  kDrop,  // the chick drops 100 down, out through the bottom
  kArmK,  // ComboKey(0): half of the hop out through the left wall
  kArmR,  // ComboKey(1): the other half
};

struct Passage {
  std::int16_t KeyCode;
  std::int16_t RoomX;
  std::int16_t RoomY;
  Side Doorway;  // closed on the map; the chick must stand in it
  PassageEffect Effect;
};

// In the order the keys are tried.
inline constexpr std::array<Passage, 5> kPassages{{
    {kKeyH, -2, 3, Side::kTop, PassageEffect::kLift},
    {kKeyO, -4, 4, Side::kBottom, PassageEffect::kDrop},
    {kKeyA, -4, 3, Side::kTop, PassageEffect::kLift},
    {kKeyK, -5, 2, Side::kLeft, PassageEffect::kArmK},
    {kKeyR, -5, 2, Side::kLeft, PassageEffect::kArmR},
}};

// Runs the passage of the key, if it is one of the five, the chick is in its
// room and stands in its doorway; a passage that opens also hides Label1.
// Anything else leaves everything as it was.
void PressSpecialKey(std::int16_t key_code, GameState& state, scene::Scene& scene);

}  // namespace munyura::world
