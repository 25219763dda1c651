// The four doorways of a room and the one test of standing in them.
#pragma once

#include <array>
#include <cstdint>

#include "../scene/scene.h"

namespace munyura::world {

// The order of the room table and of DoorOpen (not the order of MoveKey).
enum class Side : std::uint8_t { kTop = 0, kBottom = 1, kLeft = 2, kRight = 3 };
inline constexpr std::array<Side, 4> kSides{Side::kTop, Side::kBottom, Side::kLeft, Side::kRight};

// Post 0 or 1 of a side: Line1 top, Line2 bottom, Line3 left, Line4 right.
scene::SceneControl& Post(scene::Scene& scene, Side side, std::int16_t index);
const scene::SceneControl& Post(const scene::Scene& scene, Side side, std::int16_t index);

// True when the chick lies strictly between the side's two posts and its
// leading edge has passed their inner end. The posts count whether they are
// shown or not: the hidden passages are closed doorways.
bool StandsInDoorway(const scene::Scene& scene, Side side);

}  // namespace munyura::world
